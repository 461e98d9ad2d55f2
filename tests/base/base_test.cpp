// The base floor: the settings store, file lookup, the confinement of what is written and copied, text values.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "base/checked.h"
#include "base/confinement.h"
#include "base/faults.h"
#include "base/file_system.h"
#include "base/settings_store.h"
#include "base/text_values.h"
#include "support/model_builder.h"

using namespace orvant;
using Names = std::vector<std::string>;

namespace {

struct FileSystemTest : ::testing::Test {
  orvant::testing::TempDir dir;
  std::string root = dir.path;
  void Write(const std::string& rel, const std::string& text = "x") {
    std::filesystem::create_directories(std::filesystem::path(root + "/" + rel).parent_path());
    orvant::testing::WriteFile(root + "/" + rel, text);
  }
};

}  // namespace

TEST(SettingsAndPaths, SettingsNamesIgnoreCaseAndPathsMapDrives) {
  SettingsStore s = SettingsStore::Parse(
      "Orphan=1\r\n[ setup ]\r\n; comment=1\r\n \t \r\nBlank= \t\r\n  files1 =  /home/eng/data \r"
      "# Files2=x\nFILES1=/second\n[Other]\nFiles2=y\n[SETUP]\nKey3=late\n");
  EXPECT_EQ(s.Get("SETUP", "Files1"), "/home/eng/data");  // the first section and key count
  EXPECT_EQ(s.Get("other", "FILES2"), "y");
  for (auto [section, key] :
       {std::pair{"Setup", "Files2"}, {"Setup", "# Files2"}, {"Setup", "; comment"}, {"Setup", "Key3"},
        {"Setup", "Orphan"}, {"X", "Files1"}, {"setup", "blank"}})
    EXPECT_EQ(s.Get(section, key), "") << key;
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  const std::string saved = xdg ? xdg : "", home = std::getenv("HOME") ? std::getenv("HOME") : "";
  setenv("XDG_CONFIG_HOME", "", 1);  // empty: under HOME
  EXPECT_EQ(SettingsFilePath(), home + "/.config/ORVANT/settings.ini");
  setenv("HOME", "", 1);  // no home either: the user's in the password file
  EXPECT_EQ(SettingsFilePath(), std::string(getpwuid(getuid())->pw_dir) + "/.config/ORVANT/settings.ini");
  xdg ? setenv("XDG_CONFIG_HOME", saved.c_str(), 1) : unsetenv("XDG_CONFIG_HOME"), setenv("HOME", home.c_str(), 1);
  FileSystem fs;
  fs.drives['D'] = "/mnt/p", fs.drives['E'] = "/mnt/e/", fs.drives['Z'] = "/net";
  for (auto [path, want] : {std::pair{"D:\\JOBS\\F", "/mnt/p/JOBS/F"}, {"E:\\x", "/mnt/e/x"}, {"Q:\\JOBS", "Q:/JOBS"},
                             {"data\\BATCH.NAM", "data/BATCH.NAM"}, {"\\BATCH.NAM", "/BATCH.NAM"},
                             {"D:", "/mnt/p"}, {"z:\\x", "/net/x"}})
    EXPECT_EQ(fs.ToLinux(path), want);
}

TEST_F(FileSystemTest, LookupIgnoresCaseTakesTheExactNameFirstAndOnlyRegularFiles) {
  const std::string bytes("a\r\nb\0c\xff\n", 8);
  Write("Jobs/FRAME.XSZ", bytes);
  Write("abc", "lower"), Write("ABC", "upper"), Write("aBc", "mixed");
  const std::string longer(70000, 'L');
  Write("long.txt", longer), Write("x"), Write("X/inner");  // a file named like a directory
  ASSERT_EQ(symlink((root + "/Jobs/FRAME.XSZ").c_str(), (root + "/link.txt").c_str()), 0);
  ASSERT_EQ(symlink((root + "/gone").c_str(), (root + "/dangling").c_str()), 0);
  FileSystem fs;
  EXPECT_EQ(fs.Find(root + "//JOBS/./../jobs//frame.xsz"), root + "/Jobs/../Jobs/FRAME.XSZ");
  EXPECT_EQ(fs.Find(root + "/jobs/frame.xs"), std::nullopt);
  EXPECT_EQ(fs.Find(root + "/abc"), root + "/abc");
  EXPECT_EQ(fs.ReadFile(root + "/ABc"), "upper");
  EXPECT_EQ(fs.Find(root + "/x/INNER"), root + "/X/inner");
  EXPECT_EQ(fs.ReadFile(root + "\\LINK.TXT"), bytes);
  EXPECT_FALSE(fs.FileExists(root + "/jobs") || fs.FileExists(root + "/dangling") || fs.FileExists(root + "/abc/"));
  // One buffer read into again and again: a longer file, then a shorter; a size shown as 0 read past.
  TextBuffer buffer;
  fs.ReadFile(root + "/long.txt", buffer);
  EXPECT_EQ(buffer.View(), longer);
  fs.ReadFile(root + "/abc", buffer);
  EXPECT_EQ(buffer.View(), "lower");
  TextBuffer fresh;
  fs.ReadFile("/proc/self/status", fresh);
  EXPECT_NE(fresh.View().find("Name:"), std::string_view::npos);
  EXPECT_NE(fs.ReadFile("/proc/self/status").find("VmPeak:"), std::string::npos);
}

TEST_F(FileSystemTest, SearchInByteOrderAndEachDirectoryListedOnce) {
  for (const char* n : {"frame.wav2", "FRAME.WAV10", "Frame.Wavx", "FRAME.WAV1", "FRAME.WA", "other.wav1", "Frame.xsz"})
    Write(std::string("Model/") + n);
  Write("Model/FRAME.WAVDIR/inner");
  for (int i = 0; i < 200; i += 4) Write("Loads/FRAME.L" + std::to_string(i));
  Write("Jobs/BEAM1.mtm");
  FileSystem fs;
  EXPECT_EQ(fs.PathForCreate(root + "\\Jobs\\beam1.MTM"), root + "/Jobs/BEAM1.mtm");
  EXPECT_FALSE(fs.FileExists(root + "/Loads/FRAME.L1") || fs.FileExists(root + "/Model/x"));
  EXPECT_EQ(fs.Search(root + "\\MODEL\\..\\Model\\*.x?z"), Names{"Frame.xsz"});
  const size_t reads = fs.directoryReads;  // each directory on the way listed once, and no more below
  EXPECT_EQ(fs.Search(root + "/model/FRAME.WAV*"), (Names{"FRAME.WAV1", "FRAME.WAV10", "Frame.Wavx", "frame.wav2"}));
  EXPECT_EQ(fs.Search(root + "\\MODEL\\frame.wav?"), (Names{"FRAME.WAV1", "Frame.Wavx", "frame.wav2"}));
  EXPECT_EQ(fs.Search(root + "/model/*.*1*"), (Names{"FRAME.WAV1", "FRAME.WAV10", "other.wav1"}));
  EXPECT_EQ(fs.Search(root + "/model/*A?1"), (Names{"FRAME.WAV1", "other.wav1"}));  // the star taken back
  int found = 0;
  for (int i = 0; i < 10000; ++i) found += fs.FileExists(root + "/LOADS/frame.l" + std::to_string(i));
  EXPECT_EQ(found, 50);
  std::string created = fs.PathForCreate(root + "/Jobs/BEAM1.CMT");  // a new file is noted, not listed
  Write("Jobs/BEAM1.CMT");
  fs.NoteCreated(created), fs.NoteCreated(root + "/Jobs/BEAM1.mtm");  // the second is there already
  EXPECT_TRUE(fs.FileExists(root + "/jobs/beam1.cmt"));
  EXPECT_EQ(fs.Search(root + "/Jobs/*"), (Names{"BEAM1.CMT", "BEAM1.mtm"}));
  EXPECT_TRUE(fs.directoryReads == reads && reads >= 4 && reads < 100) << reads;
  EXPECT_EQ(fs.Search(root + "/nowhere/*"), Names{});
  Names atRoot;  // a pattern in "/" searches there, not in the working directory
  for (const auto& e : std::filesystem::directory_iterator("/")) if (e.is_regular_file()) atRoot.push_back(e.path().filename());
  EXPECT_EQ(fs.Search("/*"), (std::sort(atRoot.begin(), atRoot.end()), atRoot));
}

// A link named in another letter case is refused; a dangling link names no file, so its name in another
// case is a new file beside it (its own name and links elsewhere: the damaged model's shared folder rows).
TEST_F(FileSystemTest, FilesToWriteAreNeverSymbolicLinks) {
  Write("outside/target.txt", "kept"), Write("model/FRAME.XSZ");
  ASSERT_EQ(symlink((root + "/outside/target.txt").c_str(), (root + "/model/other.mtm").c_str()), 0);
  ASSERT_EQ(symlink((root + "/outside/new.txt").c_str(), (root + "/model/FRAME.LCM").c_str()), 0);
  FileSystem fs;
  EXPECT_THROW(fs.PathToWrite(root + "/model/OTHER.MTM"), RunFault);
  EXPECT_EQ(fs.PathToWrite(root + "\\MODEL\\frame.lcm"), root + "/model/frame.lcm");
  errno = 0;  // the open itself refuses a link put there after the check
  EXPECT_TRUE(OpenToWrite(root + "/model/other.mtm") == -1 && errno == ELOOP);
  const int null = OpenToWrite("/dev/null");  // one byte written is no failure
  EXPECT_EQ(WriteAll(null, "x"), 0), ::close(null);
}

TEST_F(FileSystemTest, CopiesOnlyFromInsideTheAllowedDirectoriesLinksResolved) {
  Write("jobs/FRAME.UM1", "own"), Write("jobs/sub/notes.txt", "notes"), Write("origin/shared.txt", "origin");
  Write("jobsX/secret", "secret"), Write("home/key", "key");
  for (auto [to, at] : {std::pair{"jobs/sub/notes.txt", "jobs/FRAME.UM2"}, {"origin/shared.txt", "jobs/FRAME.UM3"},
                        {"jobsX/secret", "jobs/FRAME.UM4"}, {"home/key", "jobs/FRAME.UM5"}, {"home", "jobs/HOME"},
                        {"jobs", "named"}})
    ASSERT_EQ(symlink((root + "/" + to).c_str(), (root + "/" + at).c_str()), 0);
  FileSystem fs;
  fs.AllowCopiesBeside(root + "\\NAMED\\FRAME");  // the model's directory through a link the user named
  fs.AllowCopiesFrom(root + "/Origin");
  fs.AllowCopiesFrom("/nowhere");  // adds nothing
  EXPECT_EQ(fs.copyRoots, (Names{root + "/jobs", root + "/origin"}));
  const std::pair<std::string, std::string> cases[] = {
      {"/named/frame.um1", "own"}, {"/jobs/FRAME.UM2", "notes"}, {"/jobs/FRAME.UM3", "origin"},
      {"/jobs/FRAME.UM4", "refused"},  // "jobsX" only begins like "jobs"
      {"/jobs/FRAME.UM5", "refused"}, {"/jobs/home/key", "refused"}, {"/jobs/FRAME.UM4", "refused"}};
  for (const auto& [path, want] : cases) EXPECT_EQ(fs.ReadCopy(root + path).value_or("refused"), want) << path;
  EXPECT_EQ(fs.refusedCopies, (Names{root + "/jobs/FRAME.UM4", root + "/jobs/FRAME.UM5", root + "/jobs/HOME/key"}));
  for (const char* bad : {"/jobs/FRAME.UM9", "/jobs/sub"}) EXPECT_THROW(fs.ReadCopy(root + bad), RunFault);
}

// Texts run across separators, blanks, quotes and line ends. A number's text runs to a comma, a space or
// a line end: a quote or a tab is part of it. Reads: n Number, i Int16, t Text; numbers shown as by <<;
// "fault" for a fault that names the file.
// Tables sized from data (a count of -1 or less gives none) and record positions: every index outside throws.
TEST(CheckedTables, EveryIndexOutsideThrows) {
  Table<int> t{{}, "T"};
  t.Size(-2);
  EXPECT_THROW(t[0], IndexFault);
  t.Size(0);
  EXPECT_EQ(t.MaxIndex(), 0);
  std::array<int, 3> a{};
  const std::array<int, 3>& constant = a;
  for (long long i : {-1LL, 1LL}) EXPECT_THROW(t[i], IndexFault) << i;
  for (long long i : {-1LL, 3LL}) {
    EXPECT_THROW(At(a, i), IndexFault) << i;
    EXPECT_THROW(At(constant, i), IndexFault) << i;
  }
  EXPECT_EQ(&At(constant, 2), &a[2]);
}

TEST(TextValues, TextsAndNumbersAcrossSeparatorsQuotesTabsAndLineEnds) {
  const struct { std::string text; bool quotedNumbers; std::string plan; Names want; } cases[] = {
      {"a,,b", false, "ttt", {"a", "", "b"}}, {"a,\n\nb", false, "ttt", {"a", "", "b"}},  // a blank line gives nothing
      {"a\n  \t \nb", false, "tt", {"a", "b"}}, {"a\r\nb\rc\n", false, "ttt", {"a", "b", "c"}},
      {",x", false, "tt", {"", "x"}}, {"a,", false, "t", {"a"}}, {"  \tabc d \t ,  x\t\r\n", false, "tt", {"abc d", "x"}},
      {"\"ab\r\ncd\" junk,next", false, "tt", {"ab\r\ncd", "next"}},
      {"  \" a, b \"\r\n\"\",z", false, "ttt", {" a, b ", "", "z"}}, {"\"open to the end", false, "t", {"open to the end"}},
      {"3 ,4\n3 4\r\n5\t,6   \n abc,7,,2.5e1x ,-8", false, "nnnnnnnnnnn", {"3", "4", "3", "4", "5", "6", "0", "7", "0", "25", "-8"}},
      {"\"2\",\"-1.5\" x\r\n\"7\"", false, "tti", {"2", "-1.5", "0"}},  // text positions drop the quotes
      {"\"2 3\",\"1,5\",4", false, "nnnnn", {"0", "3", "0", "5", "4"}},  // a quote opens no run
      {"\t 7\t,8\t\r\n9 \t ,\t-2.5e1\tx", false, "nnnn", {"7", "8", "9", "-25"}},
      {"-\t5,6\t 7,3\t.5", false, "nnnn", {"0", "6", "7", "3"}},   // a space still ends the text
      {"\"2\",\t\"-1.5\" junk,\"2.5\"\r\n3\t4,\"6", true, "nninn", {"2", "-1.5", "2", "3", "6"}},
      {"2.5,3.5,-2.5,32767.4,-32768,32768,-32768.6,1e400", false, "iiiiiiii",  // rounded half away, 16 bits
       {"2", "4", "-2", "32767", "-32768", "fault", "fault", "fault"}},
      {"a\r\n\r\n  \t", false, "tnt", {"a", "fault", "fault"}},  // past the end
  };
  for (const auto& c : cases) {
    TextValues v(c.text, "T.TXT");
    v.quotedNumbers = c.quotedNumbers;
    Names got;
    for (char read : c.plan) {
      std::ostringstream number;
      try {
        if (read == 't') got.push_back(v.Text());
        else (read == 'i' ? number << v.Int16() : number << v.Number()), got.push_back(number.str());
      } catch (const RunFault& f) {
        got.push_back(std::string(f.what()).find("T.TXT") != std::string::npos ? "fault" : f.what());
      }
    }
    EXPECT_EQ(got, c.want) << c.text;
    EXPECT_TRUE(v.AtEnd()) << c.text;
  }
}

TEST(LeadingNumber, Forms) {
  const std::pair<const char*, double> cases[] = {
      {"", 0},         {"abc", 0},        {"  \t-12.5xyz", -12.5}, {"+.5", 0.5},    {"7.", 7},
      {"1.2.3", 1.2},  {"1E", 1},         {"1e+", 1},              {"2D3", 2000},   {"2d-2", 0.02},
      {"1.5E+02", 150}, {"0x10", 0},      {"inf", 0},              {"nan", 0},      {"- 5", 0},
      {"1,5", 1},      {".e5", 0},        {".", 0},                {"1 2", 1},      {"3e2e1", 300},
      {"1e999999999999999999", HUGE_VAL}, {"-1e400", -HUGE_VAL},   {"1e-999999999999999999", 0}, {"0.001e311", 1e308},
      {"1234567890123456789x5", 1234567890123456789.0},  // read the long way: a letter but E or D ends it
  };
  for (auto [text, want] : cases) EXPECT_EQ(LeadingNumber(text), want) << '"' << text << '"';
}

// Correctly rounded, as strtod: long digit strings, and numbers at the limits of the quick reading (15
// significant digits, powers of ten up to 1E22), which leaves the text to the full one or gives the same.
TEST(LeadingNumber, CorrectlyRoundedLikeStrtodWithOrWithoutTheQuickReading) {
  using namespace std::string_literals;
  const std::string halfway = "9007199254740993";  // 2^53 + 1: a tie, broken by a digit far out
  for (std::string text :
       {"0.1"s, "123456789012345678901234567890"s, "2.2250738585072011e-308"s, "4.9e-324"s, halfway,
        halfway + "." + std::string(1200, '0') + "1", "1" + std::string(1500, '7') + "e-1400",
        "0." + std::string(400, '0') + std::string(1000, '3') + "e500", "123456789012345"s, "1234567890.12345"s,
        "9985544991321.181"s, "17.481582383545453"s, "762707.308901916208"s, "161725.9955908218503"s,
        "98765432109876543210"s, "-9876543210.9876543210"s, "0000000000000000000001.5"s, "2694.9"s, "-2694.92"s,
        "2694.928"s, "2694.9284"s, "2694.92845"s, "2694.928450"s, "2694.9284501"s,
        "0.000000000000000000001234567890123"s, "1e22"s, "1e23"s, "-1e-22"s, "1e-23"s, "4.5e-22"s, "12e21"s, "12e22"s,
        "0.0000000000000000000001"s, "0.00000000000000000000001"s, "123456789012345e8"s,
        "1e0000000000000000000000005"s, "3e1001"s, "3e-1001"s, ".001234567890123456789"s}) {
    const double want = std::strtod(text.c_str(), nullptr);
    EXPECT_EQ(LeadingNumber(text), want) << text.substr(0, 40);
    const std::string closed = text + "," + std::string(16, '\0');
    const char* const end = closed.data() + text.size();
    double quick = 0, beforeComma = 0;
    const char* stop = QuickLeadingNumber(closed.data(), end, quick);  // null: left to the full conversion
    EXPECT_TRUE(!stop || std::pair(quick, stop) == std::pair(want, end)) << text;
    stop = QuickNumberBeforeComma(closed.data(), beforeComma);
    EXPECT_TRUE(!stop || std::pair(beforeComma, stop) == std::pair(want, end)) << text;
  }
}

TEST(LineReader, LineEnds) {
  const std::pair<std::string, Names> cases[] = {
      {"", {}}, {"a\n", {"a"}}, {"\n", {""}}, {"a\r\nb\rc\n\nd", {"a", "b", "c", "", "d"}}, {"x\n\r", {"x", ""}},
      // Lines of 15, 16 and 17 and more characters, ends on either side of 16-byte steps.
      {std::string(15, 'a') + "\r\n" + std::string(16, 'b') + "\n" + std::string(17, 'c') + "\r" + std::string(40, 'd'),
       {std::string(15, 'a'), std::string(16, 'b'), std::string(17, 'c'), std::string(40, 'd')}},
      {std::string(31, 'e') + "\n\n" + std::string(32, 'f') + "\r\r\n", {std::string(31, 'e'), "", std::string(32, 'f'), ""}}};
  for (const auto& [text, want] : cases) {
    LineReader r(text);
    Names got;
    for (std::string_view line; r.Next(line);) got.emplace_back(line);
    EXPECT_EQ(got, want) << text;
  }
}
