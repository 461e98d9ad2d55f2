// The model file survey: named and found copies, search order, the
// ".UMRegions" exception, the survey switches and failures.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "run/faults.h"
#include "run/run_context.h"
#include "sections/sections.h"
#include "support/model_builder.h"

using namespace orvant;
using orvant::testing::ListingLines;
using orvant::testing::TempDir;
using orvant::testing::WriteFile;

namespace {

using Lines = std::vector<std::string>;

// The block of one copied file.
Lines Block(const std::string& name, const Lines& content) {
  Lines out{":", name, ""};
  out.insert(out.end(), content.begin(), content.end());
  out.push_back("");
  return out;
}

Lines Join(std::initializer_list<Lines> parts) {
  Lines out;
  for (const Lines& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

class ModelFileSurvey : public ::testing::Test {
 protected:
  TempDir dir;
  std::unique_ptr<RunContext> ctx = std::make_unique<RunContext>();

  void SetUp() override {
    RunSettings& s = ctx->settings;
    s.ModelPath = dir.path + "/FRAME";
    s.OriginDirectory = dir.path;
    s.MaxElementLabel = 3;
    AllocateModelTables(s, ctx->model);
    s.ListModelFiles = 1;
    s.ListUmFiles = 0;
    s.ListBrFiles = 0;
  }

  void File(const std::string& name, const std::string& content) { WriteFile(dir.path + "/" + name, content); }
  Lines Listed() const { return ListingLines(ctx->listing.buffer); }
};

TEST_F(ModelFileSurvey, FixedOrderOfTheSurvey) {
  File("FRAME.PR2", "pr2\r\n");
  File("FRAME.PRA", "pra\r\n");
  File("FRAME.PRI", "pri");  // last line without a line end
  File("FRAME.ECI", "eci 1\r\n\r\n  eci 3  \r\n");
  File("FRAME.WAV2", "wave 2\n");
  File("frame.wav1", "wave 1\r");
  File("FRAME.ELN", "Line data\r\n");
  File("OTHER.ECI", "not this model\r\n");
  WriteModelFileSurvey(*ctx);
  // The element line data opens the survey; it has no closing line.
  EXPECT_EQ(Listed(), Join({Lines{":", "FRAME.ELN", "", "Line data"}, Block("FRAME.ECI", {"eci 1", "", "  eci 3  "}), Block("FRAME.WAV2", {"wave 2"}),
                            Block("frame.wav1", {"wave 1"}), Block("FRAME.PRI", {"pri"}),
                            Block("FRAME.PRA", {"pra"}), Block("FRAME.PR2", {"pr2"})}));
}

TEST_F(ModelFileSurvey, WinFileIsCopiedTwice) {
  File("FRAME.WIN", "w1\r\n");
  File("FRAME.WIN2", "w2\r\n");
  WriteModelFileSurvey(*ctx);
  EXPECT_EQ(Listed(), Join({Block("FRAME.WIN", {"w1"}), Block("FRAME.WIN", {"w1"}), Block("FRAME.WIN2", {"w2"})}));
}

TEST_F(ModelFileSurvey, UmRegionsNeverCopiedAndSwitchesRespected) {
  File("FRAME.UM1", "um1\r\n");
  File("FRAME.UMRegions", "regions\r\n");
  File("FRAME.UMREGIONS", "other case\r\n");
  File("FRAME.BR", "br\r\n");
  File("FRAME.ECI", "eci\r\n");

  ctx->settings.ListModelFiles = 0;
  WriteModelFileSurvey(*ctx);
  EXPECT_EQ(ctx->listing.buffer, "");

  ctx->settings.ListUmFiles = 1;
  WriteModelFileSurvey(*ctx);
  // The comparison is exact in letter case: only FRAME.UMRegions is left out.
  EXPECT_EQ(Listed(), Join({Block("FRAME.UM1", {"um1"}), Block("FRAME.UMREGIONS", {"other case"})}));

  ctx->listing.buffer.clear();
  ctx->settings.ListUmFiles = 0;
  ctx->settings.ListBrFiles = 1;
  WriteModelFileSurvey(*ctx);
  EXPECT_EQ(Listed(), Block("FRAME.BR", {"br"}));
}

TEST_F(ModelFileSurvey, UmRegionsTestFollowsTheFormedPath) {
  // With the origin directory written with backslashes the formed path still
  // names the model's ".UMRegions" file.
  std::string withBackslashes = dir.path;
  std::replace(withBackslashes.begin(), withBackslashes.end(), '/', '\\');
  ctx->settings.OriginDirectory = withBackslashes;
  ctx->settings.ListModelFiles = 0;
  ctx->settings.ListUmFiles = 1;
  File("FRAME.UMRegions", "regions\r\n");
  WriteModelFileSurvey(*ctx);
  EXPECT_EQ(ctx->listing.buffer, "");
}

TEST_F(ModelFileSurvey, EmptyFileCopiedAsHeadingAndTwoEmptyLines) {
  File("FRAME.PRT", "");
  EchoModelFile(*ctx, ctx->settings.ModelPath, ".PRT");
  EXPECT_EQ(Listed(), (Lines{":", "FRAME.PRT", "", ""}));
}

TEST_F(ModelFileSurvey, NamedFormFindsTheNameInAnyCase) {
  File("Frame.prb", "b\r\n");
  EchoModelFile(*ctx, ctx->settings.ModelPath, ".PRB");
  EchoModelFile(*ctx, ctx->settings.ModelPath, ".PRC");  // absent: nothing
  EXPECT_EQ(Listed(), Block("Frame.prb", {"b"}));
}

TEST_F(ModelFileSurvey, FoundFileMissingUnderOriginDirectoryStops) {
  TempDir origin;
  ctx->settings.OriginDirectory = origin.path;
  File("FRAME.ECI", "eci\r\n");
  File("FRAME.WAV", "wave\r\n");
  EXPECT_THROW(WriteModelFileSurvey(*ctx), RunFault);
  // Nothing of the missing file's block was written.
  EXPECT_EQ(Listed(), Block("FRAME.ECI", {"eci"}));

  // Found under the origin directory, its copy there is what is listed.
  ctx->listing.buffer.clear();
  WriteFile(origin.path + "/FRAME.WAV", "origin wave\r\n");
  ctx->files.listings.clear();
  WriteModelFileSurvey(*ctx);
  EXPECT_EQ(Listed(), Join({Block("FRAME.ECI", {"eci"}), Block("FRAME.WAV", {"origin wave"})}));
}

// Whole program: the survey ends with its last block; one empty line follows
// before the load case summary; a missing found file stops the listing.
TEST(ModelFileSurveyRun, ClosingLineSharedWithSummariesAndMissingFoundFileStops) {
  orvant::testing::TestInstall install;
  orvant::testing::TestModel model;
  install.WriteModel(model);
  install.WriteModelText(".ECI", "eci line\r\n");
  // fields: model data 0, load cases 0, case summary 1, comb summary 0, UM 0,
  // set summary 0, results summary 0, combinations 0, group sets 0, files 1, BR 0
  const std::vector<std::string> args{"0/0/1/0/0/0/0/0/0/1/0/"};
  auto r = orvant::testing::RunInProcess(install, args);
  ASSERT_EQ(r.status, 0) << r.stderrText;
  Lines lines = ListingLines(install.Listing());
  auto at = std::find(lines.begin(), lines.end(), "eci line");
  ASSERT_NE(at, lines.end());
  ASSERT_GE(lines.end() - at, 5);
  EXPECT_EQ(at[1], "");  // the copy's own closing line
  EXPECT_EQ(at[2], "");  // the survey's closing line, opening the summaries
  EXPECT_EQ(at[3], ":");
  EXPECT_EQ(at[4], std::string(105, '='));

  // The origin directory lacks the ".WAV" file found beside the model.
  install.WriteModelText(".WAV", "wave\r\n");
  TempDir origin;
  WriteFile(install.dataDir + "/BATCH.NAM",
            "\"" + install.ModelPath() + "\"\r\n\"unused\"\r\n\"" + origin.path + "\"\r\n");
  r = orvant::testing::RunInProcess(install, args);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.stderrText, "");
  std::string listing = install.Listing();
  EXPECT_NE(listing.find("eci line\r\n\r\n"), std::string::npos);
  EXPECT_EQ(listing.find("FRAME.WAV"), std::string::npos);
  EXPECT_EQ(listing.find("L O A D   C A S E"), std::string::npos);
}

}  // namespace
