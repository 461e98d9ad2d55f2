// Group set membership: triples by kind, springs/couples after the
// elements, labels above their limits, a missing file.
#include <gtest/gtest.h>

#include <memory>

#include "model/geometry.h"
#include "run/faults.h"
#include "run/run_context.h"
#include "support/model_builder.h"

using namespace orvant;
using namespace orvant::testing;

namespace {

struct GroupSetFixture : ::testing::Test {
  TempDir dir;
  std::unique_ptr<RunContext> owned = std::make_unique<RunContext>();
  RunContext& ctx = *owned;
  RunSettings& s = owned->settings;
  ModelTables& m = owned->model;

  void SetUp() override {
    s.ModelPath = dir.path + "/BEAM1";
    s.MaxNodeLabel = 10;
    s.MaxElementLabel = 40;
    s.MaxSpringLabel = 3;
    AllocateModelTables(s, m);
  }
  void Read(const std::string& activeSet, const std::string* content) {
    s.ActiveGroupSet = activeSet;
    if (content) WriteFile(s.ModelPath + ".G" + activeSet, *content);
    ReadGroupSet(ctx, s.ModelPath + ".G" + s.ActiveGroupSet, s.MaxNodeLabel, s.MaxElementLabel);
  }
  void Read(const std::string& activeSet, const std::string& content) { Read(activeSet, &content); }
};

}  // namespace

TEST_F(GroupSetFixture, TriplesByKindWithLimits) {
  Read("3",
       "\"Piers and deck\"\r\n"
       "1,5,2\r\n"
       "2,3,7\r\n"
       "3,2,5\r\n"     // spring/couple 2 -> 40 + 2
       "1,5,4\r\n"     // a later entry replaces an earlier one
       "1,41,6\r\n"    // above the element limit, though 41 is a table index
       "2,11,1\r\n"    // above the node limit
       "3,4,9\r\n"     // above MaxSpringLabel
       "4,1,8\r\n"     // other kinds are ignored
       "2,10,-3\r\n");
  EXPECT_EQ(s.ActiveGroupSet, "3");
  EXPECT_EQ(s.GroupSetDescription, "Piers and deck");
  EXPECT_EQ(m.ElementGroup[5], 4);
  EXPECT_EQ(m.NodeGroup[3], 7);
  EXPECT_EQ(m.ElementGroup[42], 5);
  EXPECT_EQ(m.ElementGroup[2], 0);
  EXPECT_EQ(m.ElementGroup[41], 0);
  EXPECT_EQ(m.ElementGroup[44], 0);
  EXPECT_EQ(m.NodeGroup[1], 0);
  EXPECT_EQ(m.NodeGroup[10], -3);
}

TEST_F(GroupSetFixture, DescriptionOnlyLeavesAllGroupsZero) {
  Read("1", "\"Empty set\"\r\n");
  EXPECT_EQ(s.GroupSetDescription, "Empty set");
  EXPECT_EQ(s.ActiveGroupSet, "1");
  for (long long i = 0; i <= m.ElementGroup.MaxIndex(); ++i) EXPECT_EQ(m.ElementGroup[i], 0);
  for (long long i = 0; i <= m.NodeGroup.MaxIndex(); ++i) EXPECT_EQ(m.NodeGroup[i], 0);
}

TEST_F(GroupSetFixture, MissingFileClearsTheActiveSet) {
  s.GroupSetDescription = "unchanged";
  Read("7", nullptr);
  EXPECT_EQ(s.ActiveGroupSet, "");
  EXPECT_EQ(s.GroupSetDescription, "unchanged");
}

TEST_F(GroupSetFixture, EmptyActiveSetReadsTheBareExtension) {
  Read("", "\"Bare\",2,4,1\r\n");
  EXPECT_EQ(s.ActiveGroupSet, "");
  EXPECT_EQ(s.GroupSetDescription, "Bare");
  EXPECT_EQ(m.NodeGroup[4], 1);
}

TEST_F(GroupSetFixture, TripleCutShortOrNegativeLabelFails) {
  EXPECT_THROW(Read("2", "\"Cut\"\r\n1,5,2\r\n2,3\r\n"), RunFault);
  EXPECT_THROW(Read("2", "\"Negative\"\r\n3,-1,2\r\n"), RunFault);
  EXPECT_THROW(Read("2", "\"Group overflow\"\r\n2,1,40000\r\n"), RunFault);
}
