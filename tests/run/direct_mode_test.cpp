// Direct mode (--model PATH) and --output-dir: the same listing and comment
// file as a batch run of the model, the model named in every path form, the
// configuration with and without a settings store, and bad use.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <optional>

#include "support/model_builder.h"

using namespace orvant::testing;
namespace fs = std::filesystem;

namespace {

const std::string kExampleDir = std::string(ORVANT_SOURCE_DIR) + "/examples/frame";
const std::string kEverything = "1/1/1/1/1/1/1/1/1/1/1/1/";  // all parts, active group set 1

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

std::string Backslashed(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

bool EndsWithFolded(const std::string& name, const std::string& ending) {
  if (name.size() < ending.size()) return false;
  for (size_t i = 0; i < ending.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(name[name.size() - ending.size() + i])) != ending[i]) return false;
  return true;
}

// The listings (".MTM") and comment files (".LCM") in a directory.
std::vector<std::string> Outputs(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) {
    const std::string name = e.path().filename().string();
    if (EndsWithFolded(name, ".MTM") || EndsWithFolded(name, ".LCM")) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// What one run wrote: the names, the listing with its date and time masked,
// the comment file. The files are removed, so that the next run starts afresh.
struct Written {
  std::string names, listing, comments;
  bool operator==(const Written&) const = default;
};

Written Take(const std::string& dir) {
  Written w;
  for (const std::string& name : Outputs(dir)) {
    const std::string path = dir + "/" + name;
    w.names += (w.names.empty() ? "" : " ") + name;
    (EndsWithFolded(name, ".MTM") ? w.listing : w.comments) = ReadFileText(path);
    fs::remove(path);
  }
  w.listing = MaskDateTime(w.listing);
  return w;
}

// The example model in an installation whose BATCH.NAM names it as a direct
// run names it (its directory as an absolute path).
struct ExampleInstall : TestInstall {
  std::string dir;
  ExampleInstall() {
    fs::copy(kExampleDir, modelDir, fs::copy_options::recursive);
    dir = fs::canonical(modelDir).string();
    WriteFile(dataDir + "/BATCH.NAM", Quoted(dir + "/FRAME") + "\r\n\"x\"\r\n" + Quoted(dir) + "\r\n");
  }
};

// Runs in another working directory.
RunResult RunIn(const std::string& cwd, const TestInstall& install, const std::vector<std::string>& args) {
  const fs::path saved = fs::current_path();
  fs::current_path(cwd);
  RunResult r = RunInProcess(install, args);
  fs::current_path(saved);
  return r;
}

bool OneLine(const std::string& text) {
  return text.rfind("orvant-in: ", 0) == 0 && text.find('\n') == text.size() - 1;
}

}  // namespace

TEST(DirectMode, ListsAsABatchRunInEveryPathForm) {
  ExampleInstall install;
  install.WriteSettings("[Drives]\nq=" + install.root.path + "\n");
  const std::string& dir = install.dir;

  for (const std::string& options : {kEverything, std::string("1/1/1/1/1/1/1/1/1/1/1/")}) {
    SCOPED_TRACE(options);
    ASSERT_EQ(RunInProcess(install, {options}).status, 0);
    const Written batch = Take(dir);
    ASSERT_EQ(batch.names, "FRAME.LCM FRAME.MTM");
    // Without an option string a direct run lists every part.
    const bool defaultOptions = options != kEverything;

    struct Case {
      std::string cwd, path, names;
    };
    const Case cases[] = {
        {"/", dir + "/FRAME", "FRAME.LCM FRAME.MTM"},
        {"/", dir + "/FRAME.XSZ", "FRAME.LCM FRAME.MTM"},      // a file of the model
        {"/", dir + "/frame.l1", "frame.LCM frame.MTM"},       // its name in other letters
        {"/", dir + "/Frame.dc1", "Frame.LCM Frame.MTM"},      // named as written
        {"/", Backslashed(dir) + "\\FRAME", "FRAME.LCM FRAME.MTM"},
        {"/", "Q:\\JOBS\\FRAME.xsz", "FRAME.LCM FRAME.MTM"},   // a drive of [Drives]
        {"/", "q:jobs/frame", "frame.LCM frame.MTM"},
        {install.root.path, "jobs/FRAME.#1", "FRAME.LCM FRAME.MTM"},  // relative to the working directory
    };
    for (const Case& c : cases) {
      SCOPED_TRACE(c.path);
      std::vector<std::string> args{"--model", c.path};
      if (!defaultOptions) args.push_back(options);
      RunResult r = RunIn(c.cwd, install, args);
      ASSERT_EQ(r.status, 0) << r.stderrText;
      EXPECT_EQ(r.stderrText, "");
      const Written direct = Take(dir);
      EXPECT_EQ(direct.names, c.names);
      EXPECT_TRUE(direct.listing == batch.listing);
      EXPECT_TRUE(direct.comments == batch.comments);
    }
  }
}

TEST(DirectMode, ReadsNoNameFileAndConfigOnlyFromAStoresDataDirectory) {
  ExampleInstall install;
  // Load case 150 is listed only when config.ini raises the highest label.
  fs::rename(install.dir + "/FRAME.L4", install.dir + "/FRAME.L150");
  install.WriteConfig(1000, 200);
  // Name files naming another model, and a broken in.CNT: none is read.
  for (const char* name : {"/BATCH.NAM", "/MODEL.NAM"})
    WriteFile(install.dataDir + name, std::string("\"/nowhere/OTHER\"\r\n\"x\"\r\n\"/nowhere\"\r\n"));
  install.WriteRunControl("1,2\r\n");
  const std::vector<std::string> args{"--model", install.dir + "/FRAME"};

  RunResult withStore = RunInProcess(install, args);
  ASSERT_EQ(withStore.status, 0) << withStore.stderrText;
  EXPECT_NE(Take(install.dir).listing.find("Load Case No: 150 "), std::string::npos);

  fs::remove(install.configHome + "/ORVANT/settings.ini");  // no settings store: the defaults
  RunResult without = RunInProcess(install, args);
  ASSERT_EQ(without.status, 0) << without.stderrText;
  const Written w = Take(install.dir);
  EXPECT_EQ(w.listing.find("Load Case No: 150 "), std::string::npos);
  EXPECT_NE(w.listing.find("Load Case No: 3 "), std::string::npos);

  install.WriteSettings();  // a store that names the data directory again
  ASSERT_EQ(RunInProcess(install, {"1/1/1/1/1/1/1/1/1/1/1/"}).status, 2);  // while batch mode reads BATCH.NAM
}

TEST(OutputDirectory, ListingAndCommentFileGoThereUnderTheirOwnNames) {
  ExampleInstall install;
  const std::string out = install.root.path + "/out";
  fs::create_directory(out);
  const std::string conv = "-1/1/1/1/0/1/1/1/1/1/0/1/-2/0/CONV/";
  ASSERT_EQ(RunInProcess(install, {"--model", install.dir + "/FRAME"}).status, 0);
  const Written direct = Take(install.dir);
  ASSERT_EQ(RunInProcess(install, {conv}).status, 0);
  const Written named = Take(install.dir);

  ::chmod(install.dir.c_str(), 0555);  // a read-only model folder
  struct Case {
    std::vector<std::string> args;
    const Written& beside;
  };
  const Case cases[] = {
      {{"--output-dir", out, "--model", install.dir + "/FRAME.XSZ"}, direct},
      {{"--output-dir=" + out, conv}, named},  // batch mode, a listing name
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0]);
    RunResult r = RunInProcess(install, c.args);
    ASSERT_EQ(r.status, 0) << r.stderrText;
    EXPECT_TRUE(Outputs(install.dir).empty());
    const Written there = Take(out);
    EXPECT_EQ(there.names, c.beside.names);
    EXPECT_TRUE(there.listing == c.beside.listing);
    EXPECT_TRUE(there.comments == c.beside.comments);
  }
  // A comment file there in other letters is the one written.
  WriteFile(out + "/frame.lcm", std::string());
  ASSERT_EQ(RunInProcess(install, {"--output-dir", out, "--model", install.dir + "/FRAME"}).status, 0);
  EXPECT_EQ(Take(out).names, "FRAME.MTM frame.lcm");
  ::chmod(install.dir.c_str(), 0755);
}

TEST(DirectModeBadUse, StatusTwoOneLineAndNothingWritten) {
  ExampleInstall install;
  const std::string model = install.dir + "/FRAME";
  const std::string readOnly = install.root.path + "/read-only";
  fs::create_directory(readOnly);
  ::chmod(readOnly.c_str(), 0555);
  struct Case {
    std::vector<std::string> args;
    std::string named;  // what the message names
  };
  std::vector<Case> cases = {
      {{"--model"}, "--model"},
      {{"--model", install.dir + "/NOPE.XSZ"}, install.dir + "/NOPE.XSZ.XSZ, " + install.dir + "/NOPE.XSZ"},
      {{"--model", install.dir}, install.dir + ".XSZ"},
      {{"--model", model, "--output-dir", install.root.path + "/missing"}, "/missing"},
      {{"--model", model, "--output-dir", model + ".XSZ"}, "FRAME.XSZ"},  // not a directory
      {{"--output-dir", install.root.path + "/missing", "1/"}, "/missing"},
  };
  // A directory that cannot be written: root writes in any with write bits
  // off, not in /proc/sys.
  if (::geteuid() != 0) cases.push_back({{"--model", model, "--output-dir", readOnly}, "read-only"});
  if (fs::is_directory("/proc/sys")) cases.push_back({{"--model", model, "--output-dir", "/proc/sys"}, "/proc/sys"});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.back());
    RunResult r = RunInProcess(install, c.args);
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(OneLine(r.stderrText)) << r.stderrText;
    EXPECT_NE(r.stderrText.find(c.named), std::string::npos) << r.stderrText;
    EXPECT_TRUE(Outputs(install.dir).empty());
    EXPECT_TRUE(Outputs(readOnly).empty());
  }
  ::chmod(readOnly.c_str(), 0755);
}
