// Start-up: selections, in.CNT, names, failures, the binary.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "run/run_context.h"
#include "run/startup.h"
#include "support/model_builder.h"
#include "support/settings_summary.h"

using namespace orvant;
using namespace orvant::testing;

namespace {

TestModel SmallModel() {
  TestModel m;
  m.AddNode(0, 0, 0), m.AddNode(1, 0, 0), m.AddElement(1, 2, 1, 1, 1.0f);
  m.geoms.push_back(GeomRec{}), m.mats.push_back(MatRec{});
  return m;
}

std::unique_ptr<RunContext> Start(const TestInstall& install, const std::string& commandLine) {
  ::setenv("XDG_CONFIG_HOME", install.configHome.c_str(), 1);
  auto ctx = std::make_unique<RunContext>();
  StartUp(*ctx, commandLine);
  ctx->listing.Close();
  return ctx;
}

// Damages a model file (".XYZ") or data file: "-" removes it, "<n" keeps n bytes, other text replaces it.
void Damage(TestInstall& i, const std::string& file, const std::string& content) {
  if (file.empty()) return;
  const std::string path = file[0] == '.' ? i.ModelFile(file) : i.dataDir + "/" + file;
  if (content == "-") ::unlink(path.c_str());
  else WriteFile(path, content[0] == '<' ? ReadFileText(path).substr(0, std::stoul(content.substr(1))) : content);
}

}  // namespace

TEST(StartUp, SelectionFilesAndMissingOptionalFiles) {
  auto selections = [](const TestInstall& install, const std::string& options) {
    RunSettings s = Start(install, options)->settings;
    auto marked = [](const Table<int16_t>& t, int count) {
      std::string out = std::to_string(count) + ":";
      for (long long i = 0; i <= t.MaxIndex(); ++i) out += t[i] ? " " + std::to_string(i) : "";
      return out;
    };
    return std::to_string(s.LoadItemCapacity) + " " + std::to_string(s.MaxLoadLabel) + " C" + s.CombinationSelection +
           marked(s.SelectedLoadCases, s.SelectedCaseCount) + " Q" + s.ResultsSetSelection +
           marked(s.SelectedCombinations, s.SelectedCombinationCount);
  };
  TestInstall install;
  install.WriteModel(SmallModel());
  install.WriteConfig(1000, 250);
  install.WriteModelText(".Q2", "\"Results set two\"\r\n3,,7\r\n");  // an empty value between
  install.WriteModelText(".C4", "2\r\n1,1.5\r\n12,-1\r\n\"Comb four\"\r\n");
  EXPECT_EQ(selections(install, "1/1/1/1/0/1/1/1/1/1/0/////4/2/"), "1002 250 C42: 1 12 Q22: 3 7");
  TestInstall bare;  // no config.ini, no .C9; .Q5 names 4 twice
  bare.WriteModel(SmallModel());
  bare.WriteModelText(".Q5", "\"heading\",4,4\r\n");
  EXPECT_EQ(selections(bare, "1/1/1/1/0/1/1/1/1/1/0/////9/5/"), "502 99 C0: Q52: 4");
}

TEST(StartUp, InteractiveModeWithNamesInAnotherLetterCaseBackslashesAndADrive) {
  TestInstall install;
  install.modelName = "Frame";
  install.WriteModel(SmallModel());
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

TEST(StartUpFailure, EndsWithStatusTwoNoListingAndOneLine) {
  const std::string selectC1 = "1/1/1/1/0/1/1/1/1/1/0/////1/";
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {"1/", "BATCH.NAM", "-"}, {"1/", ".XSZ", "-"},  {"1/", ".XYZ", "-"}, {"1/", ".XZY", "-"}, {"1/", ".XEC", "-"},
      {"1/", ".XEN", "-"},      {"1/", ".XEL", "-"},  {"1/", ".XE1", "-"}, {"1/99999/", "", ""}, {"", "", ""},
      {"1/", ".XSZ", "a,b,c,d,e,f,1,0,2\r\n"},                                 // too few values
      {"1/", ".XSZ", "a,b,c,d,e,f,1,0,40000,0,1,1,0,,,,,,,0\r\n"},             // overflow
      {selectC1, ".C1", "1\r\n100,1\r\n\"x\"\r\n"},                            // label above 99
      {"1/", ".XEN", std::string("\x08\0\x09\0\x01\0\x02\0", 8)},            // a solid of nine nodes
      {"1/", ".XEL", "<125"},  // cut before its spring part, no spring codes
  };
  for (const auto& [args, file, content] : cases) {
    SCOPED_TRACE(args + " " + file + " " + content);
    TestInstall install;
    install.WriteModel(SmallModel());
    Damage(install, file, content);
    RunResult r = RunInProcess(install, args.empty() ? std::vector<std::string>{} : std::vector{args});
    EXPECT_EQ(r.status, 2);
    EXPECT_FALSE(PathExists(install.ModelFile(".MTM")));
    EXPECT_TRUE(r.stderrText.rfind("orvant-in: ", 0) == 0 && r.stderrText.find('\n') == r.stderrText.size() - 1)
        << r.stderrText;  // one line
  }
}

TEST(StartUpFailure, TruncatedAndMissingOptionalFilesAreNotFailures) {
  TestInstall install;
  TestModel m = SmallModel();
  m.AddNode(2, 0, 0), m.AddElement(2, 3, 1, 1, 2.0f), m.springConsts.push_back(SpringConstRec{});
  install.WriteModel(m);
  for (const char* ext : {".XYZ", ".XEC", ".XEL", ".XCO", ".XE1"}) Damage(install, ext, "<3");
  RunResult r = RunInProcess(install, {"1/1/1/1/0/1/1/1/1/1/0/3////8/8/"});  // no group set 3, no .C8, no .Q8
  EXPECT_EQ(r.status, 0) << r.stderrText;
  EXPECT_EQ(r.stderrText, "");
  EXPECT_TRUE(PathExists(install.ModelFile(".MTM")));
}

TEST(Program, BinaryAnswersHelpAndVersionAndRunsBatchMode) {
  TestInstall install;
  install.WriteModel(SmallModel());
  for (const char* arg : {"--help", "--version"}) EXPECT_EQ(RunBinary(ORVANT_BINARY, install, {arg}).status, 0);
  EXPECT_FALSE(PathExists(install.ModelFile(".MTM")));
  RunResult run = RunBinary(ORVANT_BINARY, install, {"1/1/1/1/0/1/1/1/1/1/0/"});
  EXPECT_EQ(run.status, 0) << run.stderrText;
  EXPECT_TRUE(PathExists(install.ModelFile(".MTM")));
  ::unlink((install.dataDir + "/BATCH.NAM").c_str());
  RunResult failed = RunBinary(ORVANT_BINARY, install, {"1/"});
  EXPECT_EQ(failed.status, 2);
  EXPECT_NE(failed.stderrText.find("BATCH.NAM"), std::string::npos) << failed.stderrText;
}
