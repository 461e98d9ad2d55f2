// Start-up: option string, in.CNT, config.ini, model size file, selection
// files, start-up failures and file lookup.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "run/run_context.h"
#include "run/startup.h"
#include "support/model_builder.h"

using namespace orvant;
using namespace orvant::testing;

namespace {

TestModel SmallModel() {
  TestModel m;
  m.AddNode(0, 0, 0);
  m.AddNode(1, 0, 0);
  m.AddElement(1, 2, 1, 1, 1.0f);
  m.geoms.push_back(GeomRec{});
  m.mats.push_back(MatRec{});
  return m;
}

// Runs the start procedure for a command line (empty: interactive mode).
std::unique_ptr<RunContext> Start(const TestInstall& install, const std::string& commandLine) {
  ::setenv("XDG_CONFIG_HOME", install.configHome.c_str(), 1);
  auto ctx = std::make_unique<RunContext>();
  StartUp(*ctx, commandLine);
  ctx->listing.Close();
  return ctx;
}

RunSettings Options(const std::string& commandLine, const std::string& modelPath = "") {
  RunSettings s;
  s.ModelPath = modelPath;
  std::string field1;
  ParseCommandLine(s, commandLine, field1);
  DeriveOptionSettings(s, field1);
  return s;
}

}  // namespace

TEST(OptionString, ElevenFieldsLeaveTheRestAtTheirDefaults) {
  RunSettings s = Options("1/1/1/1/0/1/1/1/1/1/0/");
  EXPECT_EQ(s.ListModelData, 1);
  EXPECT_EQ(s.ConvertedUnits, 0);
  EXPECT_EQ(s.ListUmFiles, 0);
  EXPECT_EQ(s.ListModelFiles, 1);
  EXPECT_EQ(s.ListBrFiles, 0);
  EXPECT_EQ(s.ActiveGroupSet, "");
  EXPECT_EQ(s.GroupFilter, 0);
  EXPECT_EQ(s.GroupLimit, 1);
  EXPECT_EQ(s.GroupRangeMode, 0);
  EXPECT_EQ(s.ListingName, "");
  EXPECT_EQ(s.CombinationSelection, "");
}

TEST(OptionString, FieldsAreClosedBySlashes) {
  // Without a final slash the last field is lost.
  RunSettings s = Options("1/0");
  EXPECT_EQ(s.ListModelData, 1);
  EXPECT_EQ(s.ListLoadCases, 1);  // default kept
  // Every field in order, beyond 17 ignored.
  s = Options("-2/0/0/0/1/0/0/0/0/0/1/ 3 /-4/1/ abc /7/9/99/");
  EXPECT_EQ(s.ListModelData, 2);
  EXPECT_EQ(s.ConvertedUnits, 1);
  EXPECT_EQ(s.ListLoadCases, 0);
  EXPECT_EQ(s.ListLoadCaseSummary, 0);
  EXPECT_EQ(s.ListCombinationSummary, 0);
  EXPECT_EQ(s.ListUmFiles, 1);
  EXPECT_EQ(s.ListGroupSetSummary, 0);
  EXPECT_EQ(s.ListResultsSetSummary, 0);
  EXPECT_EQ(s.ListCombinations, 0);
  EXPECT_EQ(s.ListGroupSets, 0);
  EXPECT_EQ(s.ListModelFiles, 0);
  EXPECT_EQ(s.ListBrFiles, 1);
  EXPECT_EQ(s.ActiveGroupSet, " 3 ");
  EXPECT_EQ(s.GroupFilter, -4);
  EXPECT_EQ(s.GroupLimit, 4);
  EXPECT_EQ(s.GroupRangeMode, 1);
  EXPECT_EQ(s.GroupedOnly, 1);
  EXPECT_EQ(s.ListingName, ".abc");
  EXPECT_EQ(s.CombinationSelection, "7");
  EXPECT_EQ(s.ResultsSetSelection, "9");
}

TEST(OptionString, FieldOneGivesModelDataAndUnits) {
  EXPECT_EQ(Options("-1/").ListModelData, 1);
  EXPECT_EQ(Options("-1/").ConvertedUnits, 1);
  EXPECT_EQ(Options("0/").ListModelData, 0);
  EXPECT_EQ(Options("//").ListModelData, 0);  // empty field
  EXPECT_EQ(Options("").ListModelData, 0);    // absent field
  EXPECT_EQ(Options("-0/").ConvertedUnits, 1);
  EXPECT_EQ(Options("x/").ListModelData, 0);  // no number reads as 0
}

TEST(OptionString, NumbersRoundHalfToEvenAndOverflowFails) {
  EXPECT_EQ(Options("1/2.5/").ListLoadCases, 2);
  EXPECT_EQ(Options("1/3.5/").ListLoadCases, 4);
  EXPECT_EQ(Options("1/-2.5/").ListLoadCases, -2);
  EXPECT_EQ(Options("1/1/1/1/1/1/1/1/1/1/1/1/32767/").GroupFilter, 32767);
  EXPECT_THROW(Options("1/32768/"), RunFault);
  EXPECT_THROW(Options("1/1/1/1/1/1/1/1/1/1/1/1/-40000/"), RunFault);
  // Text after the last slash is never read, so it cannot fail.
  EXPECT_NO_THROW(Options("1/99999"));
}

TEST(OptionString, GroupFilterGivesLimitAndMode) {
  RunSettings s = Options("1/1/1/1/0/1/1/1/1/1/0//-3/");
  EXPECT_EQ(s.GroupLimit, 3);
  EXPECT_EQ(s.GroupRangeMode, 1);
  s = Options("1/1/1/1/0/1/1/1/1/1/0//4/");
  EXPECT_EQ(s.GroupLimit, 1);
  EXPECT_EQ(s.GroupRangeMode, 0);
}

TEST(OptionString, ListingNameAndBriefMode) {
  const std::string head = "1/1/1/1/0/1/1/1/1/1/0/";
  EXPECT_EQ(Options(head + "///none/").ListingName, "");
  EXPECT_EQ(Options(head + "///NoNe/").ListingName, "");
  EXPECT_EQ(Options(head + "/////").ListingName, "");
  RunSettings s = Options(head + "///  ABC  /", "D:\\JOBS\\BEAM1");
  EXPECT_EQ(s.ListingName, ".ABC");
  EXPECT_EQ(s.ListingPath, "D:\\JOBS\\BEAM1.ABC.MTM");
  EXPECT_EQ(Options(head, "D:\\JOBS\\BEAM1").ListingPath, "D:\\JOBS\\BEAM1.MTM");
  EXPECT_EQ(Options(head + " - /").BriefModelData, 1);
  EXPECT_EQ(Options(head + "-1/").BriefModelData, 0);
  EXPECT_EQ(Options(head + "//// 12/  7/").CombinationSelection, "12");
  EXPECT_EQ(Options(head + "//// 12/  7/").ResultsSetSelection, "7");
}

TEST(ConfigFile, FloorsAndOverflow) {
  RunSettings s;
  ReadConfig(s, "\"Items\",300\r\n\"a\",1\r\n\"b\",2\r\n\"c\",3\r\n\"d\",4\r\n\"Max\",50\r\n", "config.ini");
  EXPECT_EQ(s.LoadItemCapacity, 302);  // raised to 502 by the start procedure
  EXPECT_EQ(s.MaxLoadLabel, 50);
  ReadConfig(s, "Items,1000\nA,0\nB,0\nC,0\nD,0\nMax,500\n", "config.ini");
  EXPECT_EQ(s.LoadItemCapacity, 1002);
  EXPECT_EQ(s.MaxLoadLabel, 500);
  EXPECT_THROW(ReadConfig(s, "Items,32766\nA,0\nB,0\nC,0\nD,0\nMax,500\n", "config.ini"), RunFault);
  EXPECT_THROW(ReadConfig(s, "Items,100\nA,0\nB,0\n", "config.ini"), RunFault);
}

TEST(ModelSizeFile, ValuesInOrderAndCommasShiftThem) {
  TestModel m = SmallModel();
  m.imperialUnits = 2;
  m.jobReference = "JOB 7";
  RunSettings s;
  ReadModelSize(s, ModelSizeText(m), "FRAME.XSZ");
  EXPECT_EQ(s.ModelName, "FRAME");
  EXPECT_EQ(s.MaxElementLabel, 1);
  EXPECT_EQ(s.MaxNodeLabel, 2);
  EXPECT_EQ(s.PhysicalPropertyCount, 1);
  EXPECT_EQ(s.JobReference, "JOB 7");
  EXPECT_EQ(s.ImperialUnits, 2);

  // An unquoted text holding a comma is cut there; the rest becomes the
  // next value, so the label maxima shift by one.
  std::string text = "X\r\nFRAME\r\nFirst, second\r\nunits\r\ndate\r\ntime\r\n"
                     "5\r\n0\r\n8\r\n0\r\n1\r\n1\r\n0\r\na\r\nb\r\nc\r\nd\r\ne\r\nf\r\n0\r\n";
  ReadModelSize(s, text, "FRAME.XSZ");
  EXPECT_EQ(s.AnalysisDescription, "First");
  EXPECT_EQ(s.DefinitionUnits, "second");
  EXPECT_EQ(s.TimeCreated, "date");
  EXPECT_EQ(s.MaxElementLabel, 0);  // "time" is not a number
  EXPECT_EQ(s.MaxSpringLabel, 5);
  EXPECT_THROW(ReadModelSize(s, "a\r\nb\r\nc\r\n", "FRAME.XSZ"), RunFault);
}

TEST(StartUp, ReadsSettingsNameFileAndSelections) {
  TestInstall install;
  install.WriteModel(SmallModel());
  install.WriteConfig(1000, 250);
  // A results set selection: heading, 3, an empty value, 7.
  install.WriteModelText(".Q2", "\"Results set two\"\r\n3,,7\r\n");
  install.WriteModelText(".C4", "2\r\n1,1.5\r\n12,-1\r\n\"Comb four\"\r\n");
  auto ctx = Start(install, "1/1/1/1/0/1/1/1/1/1/0/////4/2/");
  const RunSettings& s = ctx->settings;
  EXPECT_EQ(s.LoadItemCapacity, 1002);
  EXPECT_EQ(s.MaxLoadLabel, 250);
  EXPECT_EQ(s.ModelPath, install.ModelPath());
  EXPECT_EQ(s.OriginDirectory, install.modelDir);
  EXPECT_EQ(s.SelectedCombinationCount, 2);
  EXPECT_EQ(s.SelectedCombinations[3], 1);
  EXPECT_EQ(s.SelectedCombinations[7], 1);
  EXPECT_EQ(s.SelectedCombinations[0], 0);
  EXPECT_EQ(s.SelectedCaseCount, 2);
  EXPECT_EQ(s.SelectedLoadCases[1], 1);
  EXPECT_EQ(s.SelectedLoadCases[12], 1);
  EXPECT_EQ(s.SelectedLoadCases[2], 0);
  EXPECT_EQ(s.CombinationSelection, "4");
  EXPECT_EQ(s.ResultsSetSelection, "2");
  EXPECT_TRUE(PathExists(install.ModelFile(".MTM")));
}

TEST(StartUp, MissingOptionalFilesClearTheirSettings) {
  TestInstall install;
  install.WriteModel(SmallModel());
  install.WriteModelText(".Q5", "\"heading\",4,4\r\n");
  auto ctx = Start(install, "1/1/1/1/0/1/1/1/1/1/0/////9/5/");
  EXPECT_EQ(ctx->settings.MaxLoadLabel, 99);
  EXPECT_EQ(ctx->settings.LoadItemCapacity, 502);
  EXPECT_EQ(ctx->settings.CombinationSelection, "");
  EXPECT_EQ(ctx->settings.SelectedCaseCount, 0);
  EXPECT_EQ(ctx->settings.SelectedCombinationCount, 2);  // 4 counted twice
  EXPECT_EQ(ctx->settings.SelectedCombinations[4], 1);
}

TEST(StartUp, InteractiveModeReadsModelNamAndRunControl) {
  TestInstall install;
  install.WriteModel(SmallModel());
  // MODEL.NAM names the same model; in.CNT: listing name first.
  install.WriteRunControl("\"ABC\",\"-1\",0,1,1,0,1,1,1,1,1,0,\"\",-2,1,\"\",\"\"\r\n");
  auto ctx = Start(install, "");
  const RunSettings& s = ctx->settings;
  EXPECT_FALSE(ctx->batch);
  EXPECT_EQ(s.ListingName, ".ABC");
  EXPECT_EQ(s.ConvertedUnits, 1);
  EXPECT_EQ(s.ListModelData, 1);
  EXPECT_EQ(s.ListLoadCases, 0);
  EXPECT_EQ(s.GroupFilter, -2);
  EXPECT_EQ(s.GroupedOnly, 1);
  EXPECT_TRUE(PathExists(install.ModelPath() + ".ABC.MTM"));
}

TEST(StartUp, NamesInAnotherLetterCaseAndBackslashPathsAreFound) {
  TestInstall install;
  install.modelName = "Frame";
  install.WriteModel(SmallModel());
  // BATCH.NAM names the model in capitals with backslashes through a drive.
  std::string name = "\"Q:\\JOBS\\FRAME\"\r\n\"x\"\r\n\"Q:\\JOBS\"\r\n";
  WriteFile(install.dataDir + "/batch.nam", name);
  ::unlink((install.dataDir + "/BATCH.NAM").c_str());
  install.WriteSettings("[Drives]\nq=" + install.root.path + "\n");
  auto ctx = Start(install, "1/");
  EXPECT_EQ(ctx->settings.MaxNodeLabel, 2);
  // The listing is created by the formed name.
  EXPECT_TRUE(PathExists(install.root.path + "/jobs/FRAME.MTM"));
}

TEST(StartUpFailure, EndsWithStatusTwoNoListingAndOneLine) {
  struct Case {
    const char* what;
    void (*damage)(TestInstall&);
    std::vector<std::string> args;
  };
  const Case cases[] = {
      {"missing name file", [](TestInstall& i) { ::unlink((i.dataDir + "/BATCH.NAM").c_str()); }, {"1/"}},
      {"missing model size file", [](TestInstall& i) { ::unlink(i.ModelFile(".XSZ").c_str()); }, {"1/"}},
      {"too few values", [](TestInstall& i) { i.WriteModelText(".XSZ", "a,b,c,d,e,f,1,0,2\r\n"); }, {"1/"}},
      {"16-bit overflow", [](TestInstall& i) { i.WriteModelText(".XSZ", "a,b,c,d,e,f,1,0,40000,0,1,1,0,,,,,,,0\r\n"); }, {"1/"}},
      {"option overflow", [](TestInstall&) {}, {"1/99999/"}},
      {"interactive without in.CNT", [](TestInstall&) {}, {}},
      {"selection label out of range", [](TestInstall& i) { i.WriteModelText(".C1", "1\r\n100,1\r\n\"x\"\r\n"); },
       {"1/1/1/1/0/1/1/1/1/1/0/////1/"}},
      {"missing geometry file", [](TestInstall& i) { ::unlink(i.ModelFile(".XEL").c_str()); }, {"1/"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TestInstall install;
    install.WriteModel(SmallModel());
    c.damage(install);
    RunResult r = RunInProcess(install, c.args);
    EXPECT_EQ(r.status, 2);
    EXPECT_FALSE(PathExists(install.ModelFile(".MTM")));
    ASSERT_FALSE(r.stderrText.empty());
    EXPECT_EQ(r.stderrText.rfind("orvant-in: ", 0), 0u) << r.stderrText;
    EXPECT_EQ(r.stderrText.find('\n'), r.stderrText.size() - 1) << r.stderrText;
  }
}

TEST(StartUpFailure, MissingOptionalFilesAreNotFailures) {
  TestInstall install;
  TestModel m = SmallModel();
  m.writeXco = false;
  install.WriteModel(m);
  RunResult r = RunInProcess(install, {"1/1/1/1/0/1/1/1/1/1/0/3////8/8/"});
  EXPECT_EQ(r.status, 0) << r.stderrText;
  EXPECT_EQ(r.stderrText, "");
  EXPECT_TRUE(PathExists(install.ModelFile(".MTM")));
}

TEST(Program, BinaryAnswersHelpAndVersionAndRunsBatchMode) {
  TestInstall install;
  install.WriteModel(SmallModel());
  RunResult help = RunBinary(ORVANT_BINARY, install, {"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_FALSE(PathExists(install.ModelFile(".MTM")));
  RunResult run = RunBinary(ORVANT_BINARY, install, {"1/1/1/1/0/1/1/1/1/1/0/"});
  EXPECT_EQ(run.status, 0) << run.stderrText;
  EXPECT_TRUE(PathExists(install.ModelFile(".MTM")));
  ::unlink((install.dataDir + "/BATCH.NAM").c_str());
  RunResult failed = RunBinary(ORVANT_BINARY, install, {"1/"});
  EXPECT_EQ(failed.status, 2);
  EXPECT_NE(failed.stderrText.find("BATCH.NAM"), std::string::npos) << failed.stderrText;
}
