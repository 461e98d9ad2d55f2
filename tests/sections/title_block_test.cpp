// The prologue and the title block: the cases the example listings do not show.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "listing/listing.h"
#include "run/run_context.h"
#include "sections/title_block.h"
#include "support/model_builder.h"

using namespace orvant;
using namespace orvant::testing;
using Lines = std::vector<std::string>;

namespace {

struct TitleBlock : ::testing::Test {
  TempDir dir;
  std::unique_ptr<RunContext> ctx = std::make_unique<RunContext>();
  RunSettings& s = ctx->settings;
  void SetUp() override { s.ModelPath = dir.path + "/BEAM1"; }
};

}  // namespace

TEST_F(TitleBlock, GroupFilterGroupedOnlyAndFiltersThatWriteNoNote) {
  s.ActiveGroupSet = "3", s.GroupSetDescription = "Piers", s.GroupFilter = 3, s.GroupedOnly = 1;
  auto afterHead = [&] {  // the lines after the "B A S I C ..." heading
    WriteTitleBlock(ctx->settings, ctx->listing);
    Lines all = ListingLines(ctx->listing.Pending());
    ctx->listing.Discard();
    return Lines(all.begin() + 23, all.end());
  };
  const std::string rule(105, '=');
  EXPECT_EQ(afterHead(), (Lines{"Group SET 3 is Active", "SET Desc  Piers", "Output Restricted to Group 3 only",
                                "Output Restricted to Grouped Entities only", "", "Definition Units:", rule}));
  // A range filter writes no note.
  s.ActiveGroupSet = "5", s.GroupSetDescription = "", s.GroupFilter = -2, s.GroupedOnly = 0;
  EXPECT_EQ(afterHead(), (Lines{"Group SET 5 is Active", "SET Desc  ", "", "Definition Units:", rule}));
}

TEST_F(TitleBlock, PrologueCopiesCheckRunFilesForUnnamedOrRepListingsOnly) {
  WriteFile(dir.path + "/ONLY2.DC2", std::string("second\r\n"));
  WriteFile(s.ModelPath + ".DC2", std::string("second\r\n"));
  WriteFile(s.ModelPath + ".dc1", std::string("CHECK ONE\r\nline two\rline three\n\nlast"));
  const Lines both = {"CHECK ONE", "line two", "line three", "", "last", ":", "second", ":"};
  const std::tuple<std::string, std::string, Lines> cases[] = {
      {"NONE", "", {}}, {"ONLY2", "", {"second", ":"}}, {"BEAM1", "", both},
      {"BEAM1", ".rep", both}, {"BEAM1", ".REP", both}, {"BEAM1", ".ABC", {}}};
  for (const auto& [model, name, want] : cases) {
    ctx->listing.Discard();
    s.ModelPath = dir.path + "/" + model;
    s.ListingName = name;
    WritePrologue(ctx->settings, ctx->listing, ctx->files);
    EXPECT_EQ(ListingLines(ctx->listing.Pending()), want) << model << name;
  }
}
