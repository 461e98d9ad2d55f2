// Direct mode (--model PATH) and --output-dir: the listing and comment file of a batch run, the model named
// in every path form, with and without a settings store, bad use; runs of one listing wait for each other.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <map>

#include "support/model_builder.h"

using namespace orvant::testing;
namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

const std::string kExampleDir = std::string(ORVANT_SOURCE_DIR) + "/examples/frame";
const std::string kEverything = "1/1/1/1/1/1/1/1/1/1/1/1/";  // all parts, active group set 1

// What one run wrote in a directory: the names of the listing and comment file, the listing with its date
// and time masked, the comment file. They are removed, so that the next run starts afresh.
struct Written { std::string names, listing, comments; };

Written Take(const std::string& dir) {
  std::map<std::string, std::string> found;  // by name: the extension in capitals
  for (const auto& e : fs::directory_iterator(dir)) {
    std::string ext = e.path().extension();
    for (char& c : ext) c = char(std::toupper(static_cast<unsigned char>(c)));
    if (ext == ".MTM" || ext == ".LCM") found[e.path().filename()] = ext;
  }
  Written w;
  for (const auto& [name, ext] : found) {
    w.names += (w.names.empty() ? "" : " ") + name;
    (ext == ".MTM" ? w.listing : w.comments) = ReadFileText(dir + "/" + name);
    fs::remove(dir + "/" + name);
  }
  w.listing = MaskDateTime(w.listing);
  return w;
}

// The example model in an installation whose BATCH.NAM names it as a direct run does (an absolute path).
struct ExampleInstall : TestInstall {
  std::string dir;
  ExampleInstall() {
    fs::copy(kExampleDir, modelDir, fs::copy_options::recursive);
    dir = fs::canonical(modelDir).string();
    WriteFile(dataDir + "/BATCH.NAM", "\"" + dir + "/FRAME\"\r\n\"x\"\r\n\"" + dir + "\"\r\n");
  }
};

}  // namespace

// Without an option string a direct run lists every part: the batch run's listing with kListEverything.
// With --output-dir the listing and the comment file go there under their own names, the model's
// folder (read-only) left as it is.
TEST(DirectMode, ListsAsABatchRunInEveryPathFormAndIntoAnOutputDirectory) {
  ExampleInstall install;
  install.WriteSettings("[Drives]\nq=" + install.root.path + "\n");
  const std::string& dir = install.dir;
  const std::string root = install.root.path, out = root + "/out", saved = fs::current_path();
  const std::string one = "1/1/1/1/1/1/1/1/1/1/1/", conv = "-1/1/1/1/0/1/1/1/1/1/0/1/-2/0/CONV/";
  fs::create_directory(out);
  std::map<std::string, Written> batch;  // by option string
  for (const std::string& options : {one, kEverything, conv}) {
    ASSERT_EQ(RunInProcess(install, {options}).status, 0);
    batch[options] = Take(dir);
  }
  const std::tuple<std::string, std::string, std::vector<std::string>, std::string> cases[] = {
      // cwd, the batch run's option string, the arguments, the names written
      {"/", one, {"--model", dir + "/FRAME.XSZ"}, "FRAME.LCM FRAME.MTM"},  // a file of the model
      {"/", one, {"--model", dir + "/frame.l1"}, "frame.LCM frame.MTM"},   // its name in other letters, kept
      {"/", one, {"--model", "Q:\\JOBS\\FRAME.xsz"}, "FRAME.LCM FRAME.MTM"},  // a drive of [Drives]
      {"/", one, {"--model", "q:jobs/frame"}, "frame.LCM frame.MTM"},
      {root, one, {"--model", "jobs/FRAME.#1"}, "FRAME.LCM FRAME.MTM"},  // relative to the working directory
      {root, kEverything, {"--model", "jobs/FRAME.#1", kEverything}, "FRAME.LCM FRAME.MTM"},
      {"/", one, {"--output-dir", out, "--model", dir + "/FRAME"}, "FRAME.LCM FRAME.MTM"},
      {"/", conv, {"--output-dir=" + out, conv}, batch[conv].names},  // batch mode, a listing name
  };
  for (const auto& [cwd, options, args, names] : cases) {
    SCOPED_TRACE(args.back());
    const bool toOut = args[0].starts_with("--output-dir");
    if (toOut) ::chmod(dir.c_str(), 0555);
    fs::current_path(cwd);
    RunResult r = RunInProcess(install, args);
    fs::current_path(saved);
    ASSERT_EQ(r.status, 0) << r.stderrText;
    EXPECT_EQ(r.stderrText, "");
    const Written written = Take(toOut ? out : dir);
    EXPECT_EQ(written.names, names);
    EXPECT_TRUE(written.listing == batch[options].listing && written.comments == batch[options].comments);
    EXPECT_EQ(Take(dir).names, "");
  }
  // A comment file there in other letters is the one written.
  WriteFile(out + "/frame.lcm", std::string());
  ASSERT_EQ(RunInProcess(install, {"--output-dir", out, "--model", dir + "/FRAME"}).status, 0);
  EXPECT_EQ(Take(out).names, "FRAME.MTM frame.lcm");
  ::chmod(dir.c_str(), 0755);
}

TEST(DirectMode, ReadsNoNameFileAndConfigOnlyFromAStoresDataDirectory) {
  ExampleInstall install;
  // Case 150 is listed only when config.ini raises the highest label; other models' name files, in.CNT: unread.
  fs::rename(install.dir + "/FRAME.L4", install.dir + "/FRAME.L150"), install.WriteConfig(1000, 200);
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

TEST(DirectModeBadUse, StatusTwoOneLineAndNothingWritten) {
  ExampleInstall install;
  const std::string model = install.dir + "/FRAME", readOnly = install.root.path + "/read-only";
  fs::create_directory(readOnly), ::chmod(readOnly.c_str(), 0555);
  std::vector<std::pair<std::vector<std::string>, std::string>> cases = {  // the arguments, what the message names
      {{"--model", install.dir + "/NOPE.XSZ"}, install.dir + "/NOPE.XSZ.XSZ, " + install.dir + "/NOPE.XSZ"},
      {{"--model", install.root.path + "/v1.2/FRAME"}, "/v1.2/FRAME.XSZ\n"},  // a folder's dot is no extension
      {{"--model", model, "--output-dir", install.root.path + "/missing"}, "/missing"},
      {{"--model", model, "--output-dir", model + ".XSZ"}, "FRAME.XSZ"},  // not a directory
      {{"--output-dir", install.root.path + "/missing", "1/"}, "/missing"},
      {{"--model", model, "--picture", "p.svg", "--view", "top\nx\x7f"}, "unknown view 'top?x?'"},  // one line
  };
  // A directory that cannot be written: root writes in any with write bits off, not in /proc/sys.
  if (::geteuid() != 0) cases.push_back({{"--model", model, "--output-dir", readOnly}, "read-only"});
  if (fs::is_directory("/proc/sys")) cases.push_back({{"--model", model, "--output-dir", "/proc/sys"}, "/proc/sys"});
  for (const auto& [args, named] : cases) {
    SCOPED_TRACE(args.back());
    RunResult r = RunInProcess(install, args);
    EXPECT_EQ(r.status, 2);
    const std::string& e = r.stderrText;  // one line, naming what is wrong
    EXPECT_TRUE(e.starts_with("orvant-in: ") && e.find('\n') == e.size() - 1 && e.find(named) != e.npos) << e;
    EXPECT_EQ(Take(install.dir).names + Take(readOnly).names, "");
  }
  ::chmod(readOnly.c_str(), 0755);
}

TEST(OneRunPerListing, RunsWaitForTheListingsLockAndWriteWhatOneRunWrites) {
  TestInstall a, b;  // each run its own installation (and standard error file), one model folder
  const std::string dir = a.modelDir + "/frame";
  fs::copy(kExampleDir, dir, fs::copy_options::recursive);
  const std::string listing = dir + "/FRAME.MTM", comments = dir + "/FRAME.LCM";
  const std::vector<std::string> args{"--model", dir + "/FRAME"};
  const auto start = [&args](const TestInstall& install) {
    return std::async(std::launch::async, [&args, at = &install] { return RunBinary(ORVANT_BINARY, *at, args).status; });
  };

  ASSERT_EQ(start(a).get(), 0);
  const std::string oneListing = MaskDateTime(ReadFileText(listing)), oneComments = ReadFileText(comments);
  ASSERT_FALSE(oneComments.empty());
  fs::remove(comments);

  // Another run holds the listing: two runs started now both wait, the old listing left as it is.
  const std::string old = "the listing of a run still writing\r\n";
  WriteFile(listing, old);
  const int held = ::open(listing.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
  auto first = start(a), second = start(b);
  EXPECT_EQ(first.wait_for(500ms), std::future_status::timeout);
  EXPECT_EQ(second.wait_for(10ms), std::future_status::timeout);
  EXPECT_TRUE(ReadFileText(listing) == old) << "the old listing was changed while another run held it";
  EXPECT_FALSE(PathExists(comments));

  ::close(held);
  EXPECT_EQ(std::pair(first.get(), second.get()), std::pair(0, 0));
  EXPECT_TRUE(MaskDateTime(ReadFileText(listing)) == oneListing);
  EXPECT_TRUE(ReadFileText(comments) == oneComments);
}
