// The prologue (check-run files) and the title block: identification lines,
// group set and selection notes, and the active group set's listing.
#include <gtest/gtest.h>

#include <memory>
#include <regex>

#include "listing/title_block.h"
#include "run/run_context.h"
#include "support/model_builder.h"

using namespace orvant;
using namespace orvant::testing;

namespace {

const std::string kRule(105, '=');

struct TitleFixture : ::testing::Test {
  TempDir dir;
  std::unique_ptr<RunContext> owned = std::make_unique<RunContext>();
  RunContext& ctx = *owned;
  RunSettings& s = owned->settings;

  void SetUp() override {
    s.ModelPath = dir.path + "/BEAM1";
    s.ModelName = "BEAM1";
    s.DateCreated = "01/02/2026";
    s.TimeCreated = "10:20:30";
    s.AnalysisDescription = "Portal frame";
    s.CreatedChecked = "JB/KL";
    s.JobReference = "J-1234";
    s.AddDescription = "";
    s.OriginDirectory = "D:\\JOBS";
    s.DefinitionUnits = "Metres, kN";
  }
  std::vector<std::string> Lines() const { return ListingLines(MaskDateTime(ctx.listing.buffer)); }
  std::vector<std::string> Head() const {
    return {"",
            kRule,
            "",
            "ORVANT Structural/Pipework Analysis System  Ver 8" + std::string(40, ' ') + "ORVANT Engineering Software",
            "",
            "Date:dd/mm/yyyy  Time:HH:MM:SS     Formatted Data:BEAM1" + s.ListingName + ".MTM",
            kRule,
            "Model:BEAM1",
            "Date Created:01/02/2026 Time:10:20:30",
            "",
            "Analysis Desc.  :Portal frame",
            "",
            "Created/Checked :JB/KL",
            "",
            "Job Reference   :J-1234",
            "",
            "Add Description :",
            "",
            "Origin Directory:D:\\JOBS",
            kRule,
            "                  B A S I C    M O D E L     D A T A ",
            kRule,
            ""};
  }
  static std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  }
};

}  // namespace

TEST_F(TitleFixture, WithoutGroupSetOrSelections) {
  WriteTitleBlock(ctx);
  EXPECT_EQ(Lines(), Join(Head(), {"Definition Units:Metres, kN", kRule}));
  // The date and time are the run's own.
  const std::string raw = ListingLines(ctx.listing.buffer)[5];
  EXPECT_TRUE(std::regex_match(raw, std::regex(R"(Date:\d\d/\d\d/\d{4}  Time:\d\d:\d\d:\d\d     Formatted Data:BEAM1\.MTM)")))
      << raw;
}

TEST_F(TitleFixture, ActiveGroupSetFilterGroupedOnlyAndSelections) {
  s.ListingName = ".ABC";
  s.ActiveGroupSet = "3";
  s.GroupSetDescription = "Piers";
  s.GroupFilter = 3;
  s.GroupedOnly = 1;
  s.CombinationSelection = "4";
  s.ResultsSetSelection = "2";
  s.MaxLoadLabel = 99;
  Bytes sets;
  for (int k = 0; k <= 3; ++k) sets.Append(SetRecord(1, "Set " + std::to_string(k)));
  WriteFile(s.ModelPath + ".NSG", sets);
  WriteFile(s.ModelPath + ".BG3", Bytes().Append(GroupRecord(0, "Deck")).Append(GroupRecord(1, "Piers")));
  WriteTitleBlock(ctx);
  EXPECT_EQ(Lines(), Join(Head(), {"Group SET 3 is Active",
                                   "SET Desc  Piers",
                                   "Output Restricted to Group 3 only",
                                   "Output Restricted to Grouped Entities only",
                                   "",
                                   "",
                                   "Load Case details limited to those in Load Case Combination 4",
                                   "",
                                   "",
                                   "Load Case Combination details limited to those in Resulst SET 2",
                                   "",
                                   "Definition Units:Metres, kN",
                                   kRule,
                                   "***  Group SET 3    Set 3" + std::string(45, ' '),
                                   "",
                                   "Group No    Description",
                                   "",
                                   " 1       Piers" + std::string(45, ' '),
                                   ":"}));
}

TEST_F(TitleFixture, RangeFilterWritesNoRestrictionAndMissingGroupFileListsNothing) {
  s.ActiveGroupSet = "5";
  s.GroupSetDescription = "";
  s.GroupFilter = -2;
  WriteTitleBlock(ctx);
  EXPECT_EQ(Lines(), Join(Head(), {"Group SET 5 is Active", "SET Desc  ", "", "Definition Units:Metres, kN", kRule}));
}

TEST_F(TitleFixture, PrologueCopiesCheckRunFilesWithoutNameOrForRep) {
  WriteFile(s.ModelPath + ".dc1", std::string("CHECK ONE\r\nline two\rline three\n\nlast"));
  WriteFile(s.ModelPath + ".DC2", std::string("second\r\n"));
  const std::vector<std::string> copied = {"CHECK ONE", "line two", "line three", "", "last", ":", "second", ":"};
  for (const char* name : {"", ".rep", ".REP"}) {
    SCOPED_TRACE(name);
    ctx.listing.buffer.clear();
    s.ListingName = name;
    WritePrologue(ctx);
    EXPECT_EQ(ListingLines(ctx.listing.buffer), copied);
  }
  ctx.listing.buffer.clear();
  s.ListingName = ".ABC";
  WritePrologue(ctx);
  WriteTitleBlock(ctx);
  EXPECT_EQ(Lines().front(), "");
  EXPECT_EQ(Lines()[1], kRule);
}

TEST_F(TitleFixture, PrologueWithOnlyTheSecondFile) {
  WriteFile(s.ModelPath + ".dc2", std::string("only\r\n"));
  WritePrologue(ctx);
  EXPECT_EQ(ListingLines(ctx.listing.buffer), (std::vector<std::string>{"only", ":"}));
}
