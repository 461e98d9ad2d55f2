// Start-up: selections, in.CNT, names, failures, the binary.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "base/clock.h"
#include "install/tools.h"
#include "examples/models/example_models.h"
#include "support/start_up.h"
#include "support/model_builder.h"
#include "support/settings_summary.h"

using namespace orvant;
using namespace orvant::testing;

namespace {

struct SmallInstall : TestInstall {  // a model of two nodes and one beam
  explicit SmallInstall(const std::string& name = "") {
    if (!name.empty()) modelName = name;
    TestModel m;
    m.AddNode(0, 0, 0), m.AddNode(1, 0, 0), m.AddElement(1, 2, 1, 1, 1.0f);
    m.geoms.push_back(GeomRec{}), m.mats.push_back(MatRec{});
    WriteModel(m);
  }
};

std::unique_ptr<RunContext> Start(const TestInstall& install, const std::string& commandLine) {
  ::setenv("XDG_CONFIG_HOME", install.configHome.c_str(), 1);
  auto ctx = std::make_unique<RunContext>();
  StartUp(*ctx, commandLine), ctx->listing.Close();
  return ctx;
}

// Status 2, no listing and one line on standard error.
void ExpectStartUpFailed(const TestInstall& install, const RunResult& r) {
  EXPECT_TRUE(r.status == 2 && !PathExists(install.ModelFile(".MTM"))) << r.status;
  const std::string& e = r.stderrText;
  EXPECT_TRUE(e.starts_with("orvant-in: ") && e.find('\n') == e.size() - 1) << e;  // one line
}

}  // namespace

// The selection files as the rack example uses them are in RACK.SEL; here: no config.ini, no .C9, and a
// results set naming a combination twice.
TEST(StartUp, SelectionsWithoutTheOptionalFiles) {
  SmallInstall install;
  install.WriteModelText(".Q5", "\"heading\",4,4\r\n");
  const RunSettings s = Start(install, "1/1/1/1/0/1/1/1/1/1/0/////9/5/")->settings;
  std::string marked = std::to_string(s.SelectedCombinationCount) + ":";
  for (long long i = 0; i <= s.SelectedCombinations.MaxIndex(); ++i) marked += s.SelectedCombinations[i] ? " " + std::to_string(i) : "";
  EXPECT_EQ(std::to_string(s.LoadItemCapacity) + " " + std::to_string(s.MaxLoadLabel) + " C" + s.CombinationSelection +
                std::to_string(s.SelectedCaseCount) + " Q" + s.ResultsSetSelection + marked,
            "502 99 C0 Q52: 4");
}

TEST(StartUp, InteractiveModeWithNamesInAnotherLetterCaseBackslashesAndADrive) {
  SmallInstall install("Frame");
  ::unlink((install.dataDir + "/MODEL.NAM").c_str());
  WriteFile(install.dataDir + "/model.nam", std::string("\"Q:\\JOBS\\FRAME\"\r\n\"x\"\r\n\"Q:\\JOBS\"\r\n"));
  install.WriteSettings("[Drives]\nq=" + install.root.path + "\n");
  install.WriteRunControl("\"ABC\",\"-1\",0,1,1,0,1,1,1,1,1,0,\"\",-2,1,\"\",\"\"\r\n");
  auto ctx = Start(install, "");
  EXPECT_FALSE(ctx->batch);
  EXPECT_EQ(ctx->settings.MaxNodeLabel, 2);
  EXPECT_EQ(Summary(ctx->settings), "1 1 0 1 1 0 1 1 1 1 1 0 ||-2 2 1 1 0|.ABC||");
  EXPECT_TRUE(PathExists(install.root.path + "/jobs/FRAME.ABC.MTM"));  // created by the formed name
}

// Failures that the damaged example model does not meet (missing, removed and overflowing files are there).
TEST(StartUpFailure, EndsWithStatusTwoNoListingAndOneLine) {
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {"", "", ""},                                                // interactive mode without in.CNT
      {"1/", ".XEN", std::string("\x08\0\x09\0\x01\0\x02\0", 8)},  // a solid of nine nodes
      {"1/", ".XEL", "<125"},  // its first 125 bytes: cut before its spring part, no spring codes
  };
  for (const auto& [args, file, content] : cases) {
    SCOPED_TRACE(args + " " + file + " " + content);
    SmallInstall install;
    if (const std::string path = install.ModelFile(file); !file.empty())
      WriteFile(path, content[0] == '<' ? ReadFileText(path).substr(0, std::stoul(content.substr(1))) : content);
    ExpectStartUpFailed(install, RunInProcess(install, args.empty() ? std::vector<std::string>{} : std::vector{args}));
  }
}

// On a terminal an interactive run shows its progress line and clears it before it ends or shows a message,
// whatever the end: listed, a picture, a file missing or an index at the start-up, an index while listing.
// With standard input closed (the files opened take descriptor 0) the example lists as with it open. --help
// and --version end well.
TEST(Program, ProgressLineClearedWhateverTheEndAndStandardInputClosed) {
  NEED_TOOL(HaveTool("script"), "bsdutils");
  const std::string progress = "ORVANT - Data Format: Formatting Model Data Files";
  const std::string cleared = progress + "\r" + std::string(progress.size(), ' ') + "\r";
  const std::tuple<std::string, std::string, std::string, int, std::string> cases[] = {  // bytes written over a file
      {"", "", "", 0, ""}, {"--picture p.svg", "", "", 0, ""}, {"", ".XSZ", "", 2, "input past end"},
      {"", ".XEN", std::string("\x08\0\x09\0\x01\0\x02\0", 8), 2, "position index 9"},
      {"", ".XEC", "\x09", 1, "Load label too high"}};
  for (const auto& [args, file, bytes, status, message] : cases) {
    SCOPED_TRACE(args + " " + file);
    SmallInstall install;
    install.WriteRunControl("\"\",\"1\",1,1,1,0,1,1,1,1,1,0,\"\",0,0,\"\",\"\"\r\n");
    const std::string path = install.ModelFile(file);
    if (!file.empty()) WriteFile(path, bytes.empty() ? "" : bytes + ReadFileText(path).substr(1));
    const CommandOutput r = RunCommand("cd " + ShellWord(install.root.path) + " && XDG_CONFIG_HOME=" +
                                       ShellWord(install.configHome) + " script -qec " +
                                       ShellWord(ShellWord(ORVANT_BINARY) + " " + args) + " /dev/null </dev/null");
    EXPECT_EQ(r.status, status);
    const std::string after = r.text.substr(std::min(cleared.size(), r.text.size()));
    EXPECT_TRUE(r.text.starts_with(cleared) && after.starts_with(message.empty() ? "" : "orvant-in: " + message))
        << r.text;
    EXPECT_EQ(after.find('\n'), message.empty() ? std::string::npos : after.size() - 1);
  }
  TestInstall install;
  WriteExampleModel(install.modelDir);
  const std::string run =
      "XDG_CONFIG_HOME=" + ShellWord(install.configHome) + " " + ShellWord(ORVANT_BINARY) + " 1/1/1/1/1/1/1/1/1/1/1/1/ ";
  ASSERT_EQ(RunCommand(run + "</dev/null").status, 0);
  const std::string listing = MaskDateTime(install.Listing()), comments = ReadFileText(install.ModelFile(".LCM"));
  EXPECT_EQ(RunCommand(run + "<&-").status, 0);
  EXPECT_TRUE(MaskDateTime(install.Listing()) == listing && ReadFileText(install.ModelFile(".LCM")) == comments);
  for (const char* arg : {" --help", " --version"}) EXPECT_EQ(RunCommand(ShellWord(ORVANT_BINARY) + arg).status, 0);
}

// SOURCE_DATE_EPOCH dates the listing at that second in UTC, whatever the time zone; unset, now in local
// time; a value that is not a whole number of seconds ends start-up.
TEST(StartUp, SourceDateEpochDatesTheListingInUtcOrEndsStartUp) {
  ::setenv("TZ", "XST-9", 1), ::tzset();  // nine hours ahead of UTC
  const std::pair<const char*, std::string> cases[] = {
      {"1700000000", "14/11/2023  Time:22:13:20"}, {"0", "01/01/1970  Time:00:00:00"},
      {"0951782400", "29/02/2000  Time:00:00:00"}, {"253402300799", "31/12/9999  Time:23:59:59"},
      {nullptr, CurrentDate() + "  Time:"}, {"abc", ""}, {"1.5", ""}, {"", ""}, {" 12", ""}, {"12 ", ""},
      {"-1", ""}, {"+1", ""}, {"253402300800", ""}, {"99999999999999999999999", ""}};
  for (const auto& [value, dated] : cases) {
    SCOPED_TRACE(value ? std::string("SOURCE_DATE_EPOCH='") + value + "'" : "unset");
    SmallInstall install;
    value ? ::setenv("SOURCE_DATE_EPOCH", value, 1) : ::unsetenv("SOURCE_DATE_EPOCH");
    const RunResult r = RunInProcess(install, {"1/"});
    ::unsetenv("SOURCE_DATE_EPOCH");
    if (dated.empty()) ExpectStartUpFailed(install, r);
    else EXPECT_TRUE(r.status == 0 && install.Listing().find("\r\nDate:" + dated) != std::string::npos) << r.stderrText;
  }
  ::unsetenv("TZ"), ::tzset();
  // The value in the message: up to 40 characters of it.
  const std::string forty(40, '7');
  for (const auto& [value, shown] : {std::pair{forty, forty}, {forty + "7\n", forty + "..."}}) {
    SmallInstall install;
    ::setenv("SOURCE_DATE_EPOCH", value.c_str(), 1);
    const RunResult r = RunInProcess(install, {"1/"});
    ::unsetenv("SOURCE_DATE_EPOCH");
    EXPECT_EQ(r.stderrText, "orvant-in: SOURCE_DATE_EPOCH='" + shown +
                                "' is not a whole number of seconds since 1970 (0 to 253402300799)\n");
  }
}
