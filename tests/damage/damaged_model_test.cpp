// Damaged and hostile model files, on the bundled example model: every case
// ends the run in order with its exit status and standard error line, the
// listing stops where it must (or is not written at all), and no file but
// the listing and the comment file is created or changed.
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

#include "support/model_builder.h"

using namespace orvant::testing;
namespace fs = std::filesystem;

namespace {

const std::string kAll = "1/1/1/1/1/1/1/1/1/1/1/1/0/0/";  // everything, group set 1
const std::string kIndexMessage = "orvant-in: Load label too high - Check or reset CONFIG.INI for maximum\n";
const std::string kRule(105, '=');
using Damage = std::function<void(TestInstall&)>;

// The example's sizes: 25 elements, 2 springs, 31 nodes, 10 restraints.
constexpr int kElements = 25, kNodes = 31;

void CopyExample(TestInstall& i) {
  for (const auto& f : fs::directory_iterator(std::string(ORVANT_SOURCE_DIR) + "/examples/frame"))
    fs::copy_file(f.path(), i.modelDir + "/" + f.path().filename().string(), fs::copy_options::overwrite_existing);
}

// Every file of the installation with its contents.
std::map<std::string, std::string> Snapshot(const TestInstall& i) {
  std::map<std::string, std::string> files;
  for (const auto& f : fs::recursive_directory_iterator(i.root.path))
    if (f.is_regular_file() && f.path().filename() != "stderr.txt") {
      struct stat st;
      bool readable = ::stat(f.path().c_str(), &st) == 0 && (st.st_mode & S_IRUSR);
      files[f.path().string()] = readable ? ReadFileText(f.path().string()) : "(unreadable)";
    }
  return files;
}

// Damage helpers; a name starting with "." is a model file, any other a
// file of the data directory.
std::string PathOf(const TestInstall& i, const std::string& name) {
  return name[0] == '.' ? i.ModelFile(name) : i.dataDir + "/" + name;
}
Damage Remove(std::string name) {
  return [name](TestInstall& i) { fs::remove(PathOf(i, name)); };
}
Damage Text(std::string name, std::string text) {
  return [name, text](TestInstall& i) { WriteFile(PathOf(i, name), text); };
}
Damage Directory(std::string name) {
  return [name](TestInstall& i) { fs::remove(PathOf(i, name)), fs::create_directory(PathOf(i, name)); };
}
Damage Append(std::string ext, std::string text) {
  return [ext, text](TestInstall& i) { i.WriteModelText(ext, ReadFileText(i.ModelFile(ext)) + text); };
}
Damage Cut(std::string ext, size_t keep) {
  return [ext, keep](TestInstall& i) { i.WriteModelText(ext, ReadFileText(i.ModelFile(ext)).substr(0, keep)); };
}
Damage Put16(std::string ext, size_t offset, int value) {
  return [ext, offset, value](TestInstall& i) {
    std::string b = ReadFileText(i.ModelFile(ext));
    b[offset] = static_cast<char>(value & 0xFF);
    b[offset + 1] = static_cast<char>((value >> 8) & 0xFF);
    i.WriteModelText(ext, b);
  };
}
std::string Size(std::initializer_list<std::string> numbers) {  // ".XSZ" values 7..13 and 20
  std::vector<std::string> v(numbers);
  return "\"ORVANT\",\"FRAME\",\"d\",\"u\",\"01/01/2026\",\"10:00:00\"," + v[0] + "," + v[1] + "," + v[2] + "," +
         v[3] + "," + v[4] + "," + v[5] + "," + v[6] + ",,,\"a\",\"c\",\"j\",," + v[7] + "\r\n";
}
std::string Config(const std::string& capacity, const std::string& maxLabel) {
  return "\"Load items\"," + capacity + "\r\n\"a\",0\r\n\"b\",0\r\n\"c\",0\r\n\"d\",0\r\n\"Max\"," + maxLabel + "\r\n";
}
std::string Repeat(const std::string& line, int n) {
  std::string s;
  for (int k = 0; k < n; ++k) s += line;
  return s;
}

// One case: the damage, the expected status and standard error (a start-up
// failure's line names its cause; "{M}" stands for the model path), and for
// status 1 the listing's last line (a line cut short by the failure
// included). A stopped listing is the reference listing up to that line.
// A status 0 case with `same` lists exactly what the undamaged model does.
struct Case {
  std::string what;
  Damage damage;
  int status;
  std::string err;
  std::string last;
  std::string args = kAll;
  bool same = false;
};

// The listing's lines, run date and time and the installation's directory masked.
std::vector<std::string> Lines(const TestInstall& i) {
  std::string text = MaskDateTime(i.Listing());
  for (size_t at; (at = text.find(i.root.path)) != std::string::npos;) text.replace(at, i.root.path.size(), "ROOT");
  return ListingLines(text);
}

struct Reference {
  std::vector<std::string> lines;
  Reference() {
    TestInstall i;
    CopyExample(i);
    RunResult r = RunInProcess(i, {kAll});
    EXPECT_EQ(r.status, 0) << r.stderrText;
    lines = Lines(i);
  }
};

const Reference& Ref() {
  static const Reference ref;
  return ref;
}

void Check(const Case& c) {
  SCOPED_TRACE(c.what);
  TestInstall i;
  CopyExample(i);
  c.damage(i);
  const auto before = Snapshot(i);
  RunResult r = RunInProcess(i, c.args.empty() ? std::vector<std::string>{} : std::vector{c.args});
  std::string err = c.err;
  for (const auto& [key, value] : {std::pair{"{M}", i.ModelPath()}, {"{D}", i.dataDir}})
    if (size_t at = err.find(key); at != std::string::npos) err.replace(at, 3, value);
  EXPECT_EQ(r.status, c.status);
  EXPECT_EQ(r.stderrText, err);

  const std::string listingPath = i.ModelFile(".MTM");
  if (c.status == 2) {
    EXPECT_FALSE(PathExists(listingPath) && fs::is_regular_file(listingPath));
  } else if (fs::is_regular_file(listingPath)) {
    const std::vector<std::string> lines = Lines(i);
    const std::vector<std::string>& ref = Ref().lines;
    ASSERT_FALSE(lines.empty());
    if (c.same) {
      EXPECT_TRUE(lines == ref) << "not the undamaged listing";
    } else if (c.status == 0) {
      // Listed to its end: the results set summary closes it.
      auto summary = std::find(lines.rbegin(), lines.rend(), "*** R E S U L T S   S E T    S U M M A R Y  ***");
      ASSERT_TRUE(summary != lines.rend() && summary.base() + 3 <= lines.end());
      EXPECT_EQ(std::vector<std::string>(summary.base(), summary.base() + 3),
                (std::vector<std::string>{"", "SET No    Description", ""}));
      for (auto it = summary.base() + 3; it != lines.end(); ++it) EXPECT_EQ(it->substr(0, 1), " ") << *it;
    } else {
      EXPECT_EQ(lines.back(), c.last);
      ASSERT_LE(lines.size(), ref.size());
      EXPECT_TRUE(std::equal(lines.begin(), lines.end() - 1, ref.begin())) << "not the reference up to the stop";
    }
  } else {
    ADD_FAILURE() << "no listing";
  }

  auto after = Snapshot(i), expected = before;
  for (const std::string& written : {listingPath, i.ModelFile(".LCM")}) after.erase(written), expected.erase(written);
  EXPECT_TRUE(after == expected) << "a file other than the listing and the comment file changed";
}

// Byte offset of the first solid element's node count in ".XEN".
size_t FirstSolidCount(const TestInstall& i) {
  std::string b = ReadFileText(i.ModelFile(".XEN"));
  size_t at = 0;
  while (at + 2 <= b.size() && b[at] == 0 && b[at + 1] == 0) at += 2;
  return at + 2;
}
Damage SolidNode(int position, int value) {
  return [position, value](TestInstall& i) { Put16(".XEN", FirstSolidCount(i) + 2 * position, value)(i); };
}

// Dropping CAP_DAC_OVERRIDE and CAP_DAC_READ_SEARCH from the effective set
// (restored afterwards) makes permissions count for root as well.
struct PermissionsCount {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct saved[2]{};
  bool changed = false;
  PermissionsCount() {
    if (::geteuid() != 0 || ::syscall(SYS_capget, &header, saved) != 0) return;
    __user_cap_data_struct lowered[2];
    std::memcpy(lowered, saved, sizeof lowered);
    lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
    changed = ::syscall(SYS_capset, &header, lowered) == 0;
  }
  ~PermissionsCount() {
    if (changed) ::syscall(SYS_capset, &header, saved);
  }
};

}  // namespace

TEST(DamagedModel, RequiredFilesMissingEmptyOrDirectories) {
  for (const char* ext : {".XSZ", ".XYZ", ".XZY", ".XEC", ".XEN", ".XEL", ".XE1"}) {
    const std::string err = std::string("orvant-in: cannot open {M}") + ext + "\n";
    Check({ext, Remove(ext), 2, err, ""});
    Check({ext, Directory(ext), 2, err, ""});
  }
  Check({"BATCH.NAM", Remove("BATCH.NAM"), 2, "orvant-in: cannot open {D}/BATCH.NAM\n", ""});
  Check({"BATCH.NAM a directory", Directory("BATCH.NAM"), 2, "orvant-in: cannot open {D}/BATCH.NAM\n", ""});
  Check({"empty .XSZ", Text(".XSZ", ""), 2, "orvant-in: input past end of file {M}.XSZ\n", ""});
  Check({"empty BATCH.NAM", Text("BATCH.NAM", "\r\n"), 2, "orvant-in: input past end of file {D}\\BATCH.NAM\n", ""});
  Check({"empty config.ini", Text("config.ini", ""), 2, "orvant-in: input past end of file {D}\\config.ini\n", ""});
  Check({"empty .G1", Text(".G1", ""), 2, "orvant-in: input past end of file {M}.G1\n", ""});
  Check({".G1 ending in a triple", Append(".G1", "2,1\r\n"), 2, "orvant-in: input past end of file {M}.G1\n", ""});
  Check({".MTM a directory", Directory(".MTM"), 2, "orvant-in: cannot create {M}.MTM: Is a directory\n", ""});
  // Optional files that are missing or directories are skipped; empty binary
  // and optional files hold no values.
  for (const char* ext : {".XCO", ".XEP", ".XPM", ".ELN", ".L1", ".#2", ".C1", ".NSG", ".BG1", ".ECI", ".WIN"}) {
    Check({ext, Remove(ext), 0, "", ""});
    Check({ext, Directory(ext), 0, "", ""});
  }
  for (const char* ext : {".XYZ", ".XZY", ".XEC", ".XCO", ".XEN", ".XEL", ".XE1", ".XEP", ".XPM", ".ELN", ".L2",
                          ".NSG", ".NSS", ".BG1", ".PRI"})
    Check({ext, Text(ext, ""), 0, "", ""});
  // A combination or totals file without its values stops the listing
  // quietly where it is read.
  Check({"empty .C1", Text(".C1", ""), 1, "", ""});
  Check({"empty .#1", Text(".#1", ""), 1, "", ""});
}

TEST(DamagedModel, BinaryFilesTruncatedReadAsZeros) {
  for (const char* ext : {".XYZ", ".XZY", ".XEC", ".XCO", ".XEN", ".XEL", ".XE1", ".XEP", ".XPM", ".NSG", ".NSS",
                          ".BG1"}) {
    const size_t size = fs::file_size(std::string(ORVANT_SOURCE_DIR) + "/examples/frame/FRAME" + ext);
    for (size_t keep : {size_t{1}, size / 3, size / 2 + 1, size - 1})
      Check({std::string(ext) + " cut at " + std::to_string(keep), Cut(ext, keep), 0, "", ""});
  }
}

TEST(DamagedModel, LabelsAndCodesOutOfRange) {
  const size_t restraint1 = kNodes * 14, offset1 = (kElements + 2) * 28;
  const std::string cause = "orvant-in: ";
  // Indices met while loading end the start-up with the failing index named.
  Check({"geometric code", Put16(".XEC", 14, 5), 2, cause + "GeometricPropertyTable index 5 outside 0..4\n", ""});
  Check({"material code", Put16(".XEC", 16, 4), 2, cause + "MaterialPropertyTable index 4 outside 0..3\n", ""});
  Check({"taper code", Put16(".XEC", 22, -7), 2, cause + "GeometricPropertyTable index 7 outside 0..4\n", ""});
  Check({"ninth solid node", SolidNode(0, 9), 2, cause + "position index 9 outside 0..8\n", ""});
  Check({"negative IC count", Put16(".XCO", 0, -1), 2, cause + "IcConstantTable index -1 outside 0..-1\n", ""});
  Check({"negative group label", Append(".G1", "1,-1,2\r\n"), 2, "orvant-in: negative label -1 in {M}.G1\n", ""});
  Check({"selected case above MaxLoadLabel", Text(".C1", "1\r\n100,1\r\n\"x\"\r\n"), 2,
         cause + "SelectedLoadCases index 100 outside 0..99\n", "", "1/1/1/1/1/1/1/1/1/1/1/1/0/0//1/"});
  Check({"selected combination above MaxLoadLabel", Text(".Q1", "\"h\"\r\n100\r\n"), 2,
         cause + "SelectedCombinations index 100 outside 0..99\n", "", "1/1/1/1/1/1/1/1/1/1/1/1/0/0///1/"});
  // Indices met while listing stop the listing with the message.
  Check({"element node", Put16(".XEC", 0, kNodes + 1), 1, kIndexMessage, "1-G1        1  "});
  Check({"negative element node", Put16(".XEC", 2, -1), 1, kIndexMessage, "1-G1        1  1-G1       "});
  Check({"restrained node", Put16(".XYZ", restraint1, kNodes + 1), 1, kIndexMessage, ""});
  Check({"solid node", SolidNode(1, kNodes + 1), 1, kIndexMessage, "25-G3      1-8  4    3    180.0080.000   "});
  Check({"offset element", Put16(".XEC", offset1, 40), 1, kIndexMessage, ""});
  Check({"element line data element", Append(".ELN", "ME,26,1,2,3,4,5\r\n"), 1, kIndexMessage,
         "  Elem    Ins.t    Ins.d    Lin.t    Lin.d    Corr"});
  // Load entities, group entries and case files beyond their limits are skipped.
  Check({"load entities", Append(".L1", "ND,32\r\nNF,0,1\r\nEP,26,1\r\nUDL,-1,5\r\nPUDL,9,1,5\r\nPUDL,1,4,5\r\n"), 0,
         "", "", kAll, true});
  Check({"group labels", Append(".G1", "2,32,1\r\n1,26,1\r\n3,3,1\r\n"), 0, "", "", kAll, true});
  Check({"case above MaxLoadLabel", Text(".L100", "LDESC x\r\nNF,1,1\r\n"), 0, "", "", kAll, true});
}

TEST(DamagedModel, CountsAtCapacityAndOneBeyond) {
  // 502 load items (config.ini's floor) + 2 per table.
  Check({"504 nodal loads", Append(".L1", Repeat("NF,1,1\r\n", 504)), 0, "", ""});
  Check({"505 nodal loads", Append(".L1", Repeat("NF,1,1\r\n", 505)), 1, kIndexMessage, kRule});
  Check({"120 interpreted commands", Append(".L1", Repeat("ESTR,1,0.1\r\n", 120)), 0, "", ""});
  Check({"capacity 32767", Text("config.ini", Config("32763", "99")), 0, "", "", kAll, true});
  Check({"capacity 32768", Text("config.ini", Config("32764", "99")), 1, "", ""});
  Check({"MaxLoadLabel 32766", Text("config.ini", Config("0", "32766")), 0, "", "", kAll, true});
  Check({"MaxLoadLabel 32767", Text("config.ini", Config("0", "32767")), 1, "",
         " 4         Support settlement and foundation pressure                    ****       ****       ****"});
  // Model size values at their limits with files that hold nothing (and no
  // pipework extended data, whose 16-bit positions could not reach them).
  auto emptyModel = [](std::string size) {
    return [size](TestInstall& i) {
      for (const char* ext : {".XYZ", ".XZY", ".XEC", ".XCO", ".XEN", ".XEL", ".XE1", ".XEP"}) i.WriteModelText(ext, "");
      fs::remove(i.ModelFile(".XPM"));
      i.WriteModelText(".XSZ", size);
    };
  };
  Check({"model size maxima", emptyModel(Size({"32766", "0", "32767", "32766", "32767", "32767", "32767", "0"})), 0,
         "", ""});
  Check({"elements and springs past 32767", emptyModel(Size({"32766", "1", "1", "1", "1", "1", "1", "0"})), 2,
         "orvant-in: 16-bit overflow: 32768\n", ""});
  Check({"restraints past 32767", emptyModel(Size({"1", "1", "1", "32767", "1", "1", "1", "0"})), 2,
         "orvant-in: 16-bit overflow: 32768\n", ""});
}

TEST(DamagedModel, SixteenBitOverflowInEveryNumericInput) {
  const std::string over = "orvant-in: {M}.XSZ: number 32768.000000 overflows 16 bits\n";
  for (int v = 0; v < 8; ++v) {
    std::vector<std::string> values{"25", "2", "31", "10", "4", "3", "2", "0"};
    values[static_cast<size_t>(v)] = "32768";
    Check({".XSZ value " + std::to_string(v), Text(".XSZ", Size({values[0], values[1], values[2], values[3], values[4],
                                                                  values[5], values[6], values[7]})),
           2, over, ""});
  }
  const std::string number = "number 32768.000000 overflows 16 bits\n";
  Check({"config entry 1", Text("config.ini", Config("32766", "99")), 2, "orvant-in: 16-bit overflow: 32768\n", ""});
  Check({"config entry 6", Text("config.ini", Config("0", "32768")), 2, "orvant-in: {D}\\config.ini: " + number, ""});
  for (int field : {1, 2, 7, 11, 13, 14}) {
    std::string args;
    for (int f = 1; f <= 14; ++f) args += (f == field ? "32768" : "1") + std::string("/");
    Check({"option field " + std::to_string(field), [](TestInstall&) {}, 2, "orvant-in: " + number, "", args});
  }
  Check({"in.CNT", Text("in.CNT", "\"\",1,1,1,1,0,1,1,1,1,1,0,\"\",32768,0,\"\",\"\"\r\n"), 2,
         "orvant-in: {D}\\in.CNT: " + number, "", ""});
  Check({"selection count", Text(".C1", "32768\r\n"), 2, "orvant-in: {M}.C1: " + number, "",
         "1/1/1/1/1/1/1/1/1/1/1/1/0/0//1/"});
  Check({"results set value", Text(".Q1", "\"h\"\r\n32768\r\n"), 2, "orvant-in: " + number, "",
         "1/1/1/1/1/1/1/1/1/1/1/1/0/0///1/"});
  Check({"group set value", Append(".G1", "2,1,32768\r\n"), 2, "orvant-in: {M}.G1: " + number, ""});
  // Inside the listing the overflow stops it quietly where the value is read.
  Check({"combination count", Text(".C1", "32768\r\n"), 1, "", ""});
  Check({"combination case", Text(".C2", "1\r\n32768,1\r\n\"x\"\r\n"), 1, "",
         " 1         Ultimate: dead + imposed                                    0.000E+00 -2.548E+05  0.000E+00"});
  Check({"load case node", Append(".L1", "ND,32768\r\n"), 1, "", kRule});
  Check({"load case axes", Append(".L1", "EP,1,32768\r\n"), 1, "", kRule});
  Check({"element line data", Append(".ELN", "ME,32768\r\n"), 1, "",
         "  Elem    Ins.t    Ins.d    Lin.t    Lin.d    Corr"});
}

TEST(DamagedModel, ValuesOfTheWrongKind) {
  // A coordinate that is not a number cannot be listed: the listing stops quietly.
  Check({"NaN coordinate", [](TestInstall& i) { Put16(".XYZ", 2, 0)(i), Put16(".XYZ", 4, 0x7FC0)(i); }, 1, "",
         "1-G1        0 "});
  // Text in a numeric field reads as 0.
  Check({"config.ini", Text("config.ini", Config("many", "lots")), 0, "", "", kAll, true});
  Check({"load case fields", Append(".L1", "NF,abc,5\r\nND,x1,1\r\n"), 0, "", "", kAll, true});
  Check({"group set entries", Append(".G1", "x,y,z\r\n"), 0, "", "", kAll, true});
  Check({"model size value", [](TestInstall& i) {
           std::string xsz = ReadFileText(i.ModelFile(".XSZ"));
           i.WriteModelText(".XSZ", xsz.substr(0, xsz.rfind("0\r\n")) + "metric\r\n");
         }, 0, "", "", kAll, true});
  Check({"combination factor", Text(".C1", "2\r\n1,abc\r\n2,1.5\r\n\"Ultimate\"\r\n"), 0, "", ""});
  Check({"option field", [](TestInstall&) {}, 0, "", "", "1/1/1/1/1/1/1/1/1/1/1/1/x/0/", true});
}

TEST(DamagedModel, UnreadableFiles) {
  PermissionsCount permissions;
  TestInstall probe;
  CopyExample(probe);
  fs::permissions(probe.ModelFile(".XYZ"), fs::perms::none);
  if (std::ifstream(probe.ModelFile(".XYZ")).is_open()) GTEST_SKIP() << "files stay readable for this user";
  auto unreadable = [](std::string ext) {
    return [ext](TestInstall& i) { fs::permissions(i.ModelFile(ext), fs::perms::none); };
  };
  Check({".XYZ", unreadable(".XYZ"), 2, "orvant-in: cannot open {M}.XYZ\n", ""});
  Check({".XCO", unreadable(".XCO"), 2, "orvant-in: cannot open {M}.XCO\n", ""});
  Check({".L1", unreadable(".L1"), 1, "", ""});
  Check({".ECI", unreadable(".ECI"), 1, "", "24-G2        0.050  120.000    0.003 1100.000    0.001"});
  Check({".LCM", [&](TestInstall& i) { i.WriteModelText(".LCM", ""); unreadable(".LCM")(i); }, 1, "", ""});
}
