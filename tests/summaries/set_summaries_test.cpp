// Group and results set summaries: records by number, descriptions as
// stored, missing and short files, the group set listings.
#include <gtest/gtest.h>

#include <memory>

#include "run/run_context.h"
#include "listing/title_block.h"
#include "summaries/summaries.h"
#include "support/model_builder.h"

using namespace orvant;
using namespace orvant::testing;

namespace {

struct SetContext {
  TempDir dir;
  std::unique_ptr<RunContext> owned = std::make_unique<RunContext>();
  RunContext& ctx = *owned;
  RunSettings& s = owned->settings;

  SetContext() {
    s.ModelPath = dir.path + "/BEAM1";
    s.MaxLoadLabel = 99;
  }
  void Write(const std::string& extension, const Bytes& b) { WriteFile(s.ModelPath + extension, b); }
  std::vector<std::string> Lines() const { return ListingLines(ctx.listing.buffer); }
};

struct SetFixture : ::testing::Test, SetContext {};

std::string Padded(const std::string& text, size_t width = 50) { return text + std::string(width - text.size(), ' '); }

const std::vector<std::string> kGroupsHeading = {
    ":", "***  G R O U P S   S E T    S U M M A R Y  ****", "", "SET No    Description", ""};
const std::vector<std::string> kResultsHeading = {
    ":", "*** R E S U L T S   S E T    S U M M A R Y  ***", "", "SET No    Description", ""};

std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace

TEST_F(SetFixture, SummaryListsDefinedRecordsByNumber) {
  const std::string full(50, 'X');
  Bytes b;
  b.Append(SetRecord(1, "Set zero  "));  // record 1 holds set 0
  b.Append(SetRecord(0, "not defined"));
  b.Append(SetRecord(2, "flag two is not defined"));
  b.Append(SetRecord(1, full));
  for (int k = 4; k <= 12; ++k) b.Append(SetRecord(0, ""));
  b.Append(SetRecord(1, "Thirteen"));
  Write(".NSG", b);
  WriteSetSummary(ctx, ".NSG");
  EXPECT_EQ(Lines(), Join(kGroupsHeading, {" 0         " + Padded("Set zero"), " 3         " + full,
                                           " 13        " + Padded("Thirteen")}));
  EXPECT_EQ(Lines()[6].substr(11), full);  // columns 12 to 61
}

TEST_F(SetFixture, ResultsSummaryHasItsOwnTitleAndStopsAtMaxLoadLabel) {
  s.MaxLoadLabel = 2;
  Bytes b;
  for (int k = 0; k <= 4; ++k) b.Append(SetRecord(k == 0 || k >= 2 ? 1 : 0, "R" + std::to_string(k)));
  Write(".NSS", b);
  WriteSetSummary(ctx, ".NSS");
  EXPECT_EQ(Lines(), Join(kResultsHeading, {" 0         " + Padded("R0"), " 2         " + Padded("R2")}));
}

TEST_F(SetFixture, MissingOrShortSetFileListsHeadingsOnly) {
  WriteSetSummary(ctx, ".NSG");
  EXPECT_EQ(Lines(), kGroupsHeading);
  EXPECT_FALSE(PathExists(s.ModelPath + ".NSG"));

  // A record cut short by the end of the file counts as not defined.
  Bytes b = SetRecord(1, "cut");
  b.data.resize(40);
  Write(".NSS", b);
  ctx.listing.buffer.clear();
  WriteSetSummary(ctx, ".NSS");
  EXPECT_EQ(Lines(), kResultsHeading);
}

TEST_F(SetFixture, AllGroupSetsOnlyThoseWithAGroupFile) {
  Write(".NSG", Bytes()
                    .Append(SetRecord(1, "Set zero"))
                    .Append(SetRecord(0, "Undefined one"))
                    .Append(SetRecord(1, "Two without groups"))
                    .Append(SetRecord(1, "Three")));
  Write(".BG1", GroupRecord(1, "ignored: set 1 is not defined"));
  Write(".BG0", Bytes().Append(GroupRecord(1, "Deck")).Append(GroupRecord(0, "Not in")).Append(GroupRecord(1, "Piers")));
  Write(".BG3", Bytes().Append(GroupRecord(0, "")).Append(GroupRecord(0, "")).Append(GroupRecord(0, "")));
  WriteAllGroupSets(ctx);
  EXPECT_EQ(Lines(), (std::vector<std::string>{
                         ":",
                         "***  Group SET 0    " + Padded("Set zero"),
                         "",
                         "Group No    Description",
                         "",
                         " 0       " + Padded("Deck"),
                         " 2       " + Padded("Piers"),
                         ":",
                         "***  Group SET 3    " + Padded("Three"),
                         "",
                         "Group No    Description",
                         "",
                     }));
}

TEST_F(SetFixture, ActiveGroupSetZeroAndMissingFiles) {
  // No group file: nothing at all.
  WriteActiveGroupSet(ctx, 0);
  EXPECT_EQ(ctx.listing.buffer, "");

  // A group file without a set file: the description reads as blanks.
  SetContext later;
  later.Write(".BG0", GroupRecord(1, "Only group"));
  WriteActiveGroupSet(later.ctx, 0);
  EXPECT_EQ(later.Lines(), (std::vector<std::string>{"***  Group SET 0    " + std::string(50, ' '), "", "Group No    Description",
                                               "", " 0       " + Padded("Only group"), ":"}));
  EXPECT_FALSE(PathExists(later.s.ModelPath + ".NSG"));
}

TEST_F(SetFixture, ActiveGroupSetGivenAsDashListsSetZeroAtTheEndOfTheTitleBlock) {
  Write(".NSG", SetRecord(1, "Everything"));
  Write(".BG0", Bytes().Append(GroupRecord(0, "")).Append(GroupRecord(1, "Frames")));
  s.ActiveGroupSet = "-";
  WriteTitleBlock(ctx);
  std::vector<std::string> lines = Lines();
  ASSERT_GE(lines.size(), 6u);
  std::vector<std::string> tail(lines.end() - 6, lines.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"***  Group SET 0    " + Padded("Everything"), "", "Group No    Description",
                                            "", " 1       " + Padded("Frames"), ":"}));
}
