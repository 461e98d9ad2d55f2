// Solid elements (both passes, their columns and suffixes, connectivity
// steps) and spring/couple data.
#include <gtest/gtest.h>

#include "model/model_tables.h"
#include "run/faults.h"
#include "sections/section_context.h"
#include "sections/sections.h"

using namespace orvant;
using namespace orvant::testing;
using namespace sectiontest;

namespace {

const std::vector<std::string> kSolidHeading = {
    "", "*** SOLID ELEMENT DATA ***", "", "Elem     Type Geom  Mat      Rot  Offset          Connectivity", ""};

struct SolidsFixture : ::testing::Test {
  SectionContext t;
  void SetUp() override {
    t.s.MaxElementLabel = 6;
    t.s.MaxNodeLabel = 12345;
    t.Allocate();
  }
  void Solid(int e, int group, std::vector<int16_t> nodes, float rotation = 0) {
    t.m.SolidElemType[e] = 8;
    t.m.ElemReleaseZ[e] = 3;
    t.m.ElemGeomCode[e] = 1;
    t.m.ElemMatCode[e] = 2;
    t.m.ElemRotation[e] = rotation;
    t.m.ElementGroup[e] = static_cast<int16_t>(group);
    t.m.SolidNodeCount[e] = static_cast<int16_t>(nodes.size());
    for (size_t n = 0; n < nodes.size(); ++n) t.m.SolidNodes[e][n + 1] = nodes[n];
  }
  std::vector<std::string> Rows() {
    auto lines = t.Lines();
    EXPECT_GE(lines.size(), kSolidHeading.size());
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 5), kSolidHeading);
    return std::vector<std::string>(lines.begin() + 5, lines.end());
  }
};

}  // namespace

TEST_F(SolidsFixture, LabelOrderPassColumnsAndConnectivity) {
  Solid(2, 0, {1, 2, 3, 4, 5, 6, 7, 8}, 180.0f);
  t.m.NodeGroup[5] = 2;
  t.m.NodeGroup[8] = 11;
  WriteSolidElements(t.ctx);
  std::string row = Cols()
                        .At(1, "2")
                        .At(12, "8-3")
                        .At(17, "1")
                        .At(22, "2")
                        .At(26, " 180.00")
                        .At(33, "80.000")
                        .At(42, "1")
                        .At(51, "2")
                        .At(60, "3")
                        .At(69, "4")
                        .At(78, "5G2")
                        .At(87, "6")
                        .At(96, "7")
                        .At(105, "8G11");
  EXPECT_EQ(Rows(), std::vector<std::string>{row});
  EXPECT_EQ(t.s.GroupLimit, -1);  // not group range mode
}

TEST_F(SolidsFixture, GroupRangePassFirstThenTheRestInLabelOrder) {
  std::string first3 = Cols()
                           .At(1, "3-G1")
                           .At(12, "8-3")
                           .At(22, " 1 ")
                           .At(27, " 2 ")
                           .At(31, " -12.50")
                           .At(38, "12.500")  // the offset field keeps six characters
                           .At(47, "4-G3")
                           .At(56, "5");
  std::string first1 = Cols().At(1, "1-G2").At(12, "8-3").At(22, " 1 ").At(27, " 2 ").At(31, "   0.00 0.000").At(47, "4-G3");
  std::string second2 = Cols().At(1, "2").At(12, "8-3").At(17, "1").At(22, "2").At(26, "   0.00 0.000").At(42, "4G3");
  std::string second4 = Cols().At(1, "4-G5").At(12, "8-3").At(17, "1").At(22, "2").At(26, "   0.00 0.000").At(42, "4G3");

  for (int groupedOnly : {0, 1}) {
    SetUp();
    t.ctx.listing.buffer.clear();
    t.s.GroupFilter = -2;
    t.s.GroupLimit = 2;
    t.s.GroupRangeMode = 1;
    t.s.GroupedOnly = static_cast<int16_t>(groupedOnly);
    Solid(1, 2, {4});
    Solid(2, 0, {4});
    Solid(3, 1, {4, 5}, -12.5f);
    Solid(4, 5, {4});
    t.m.ElementGroup[5] = 1;  // not a solid element
    t.m.NodeGroup[4] = 3;
    WriteSolidElements(t.ctx);
    if (groupedOnly)
      EXPECT_EQ(Rows(), (std::vector<std::string>{first3, first1}));
    else
      EXPECT_EQ(Rows(), (std::vector<std::string>{first3, first1, second2, second4}));
    // Ungrouped elements now stand in NoGroup for the later sections.
    EXPECT_EQ(t.m.ElementGroup[2], NoGroup);
    EXPECT_EQ(t.m.ElementGroup[6], NoGroup);
    EXPECT_EQ(t.s.GroupLimit, 2);
  }
}

TEST_F(SolidsFixture, GroupFilterAndEmptySection) {
  WriteSolidElements(t.ctx);
  EXPECT_EQ(t.Lines(), kSolidHeading);

  t.ctx.listing.buffer.clear();
  Solid(1, 5, {1});
  Solid(2, 4, {1});
  Solid(3, 0, {1});
  t.s.GroupFilter = 5;
  WriteSolidElements(t.ctx);
  auto rows = Rows();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(Slice(rows[0], 1, 5), "1-G5 ");
}

TEST_F(SolidsFixture, LongNodeLabelPushesTheRestOfTheConnectivity) {
  Solid(1, 0, {12345, 7, 8});
  t.m.NodeGroup[12345] = 1234;  // "12345G1234" ends past the next column
  WriteSolidElements(t.ctx);
  auto rows = Rows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], Cols().At(1, "1").At(12, "8-3").At(17, "1").At(22, "2").At(26, "   0.00 0.000").At(42, "12345G1234").line);
  EXPECT_EQ(rows[1], Cols().At(51, "7").At(60, "8").line);

  // Nine characters end just before the next column: no new line.
  t.ctx.listing.buffer.clear();
  t.m.NodeGroup[12345] = 123;
  WriteSolidElements(t.ctx);
  rows = Rows();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0], Cols().At(1, "1").At(12, "8-3").At(17, "1").At(22, "2").At(26, "   0.00 0.000").At(42, "12345G123").At(51, "7").At(60, "8").line);
}

TEST_F(SolidsFixture, MoreNodesThanTheConnectivityTableHoldsIsAnIndexFault) {
  Solid(1, 0, {1, 2, 3, 4, 5, 6, 7, 8});
  t.m.SolidNodeCount[1] = 9;
  EXPECT_THROW(WriteSolidElements(t.ctx), IndexFault);
}

TEST(SpringData, NothingWithoutSpringsAndRowColumns) {
  SectionContext t;
  t.s.MaxElementLabel = 3;
  t.s.MaxNodeLabel = 6;
  t.Allocate();
  WriteSpringData(t.ctx);
  EXPECT_EQ(t.ctx.listing.buffer, "");

  SectionContext u;
  u.s.MaxElementLabel = 3;
  u.s.MaxSpringLabel = 4;
  u.s.MaxNodeLabel = 6;
  u.s.GroupFilter = 3;  // no group selection applies here
  u.Allocate();
  u.m.ElemNode1[3 + 1] = 0;  // spring 1 undefined
  u.m.ElemNode1[3 + 2] = -1;
  u.m.ElemNode1[3 + 3] = 4;
  u.m.ElemNode2[3 + 3] = 5;
  u.m.ElementGroup[3 + 3] = 7;
  u.m.NodeGroup[4] = 2;
  u.m.SpringRotation[3] = 45.0f;
  u.m.SpringRefElement[3] = 2;
  u.m.SpringCoordSystem[3] = 1;
  u.m.SpringPropCode[3] = 3;
  u.m.ElemNode1[3 + 4] = 6;
  u.m.ElemNode2[3 + 4] = 6;
  u.m.SpringRotation[4] = -1234.5678f;
  u.m.SpringRefElement[4] = -1;
  WriteSpringData(u.ctx);
  std::string row3 = Cols()
                         .At(1, "3-G7")
                         .At(12, "4-G2")
                         .At(23, "5")
                         .At(32, "  45.000")
                         .At(46, " 2 ")
                         .At(61, " 1 ")
                         .At(76, " 3 ");
  std::string row4 = Cols()
                         .At(1, "4")
                         .At(12, "6")
                         .At(23, "6")
                         .At(32, "1234.568")  // the minus sign is cut by the width
                         .At(46, "-1 ")
                         .At(61, " 0 ")
                         .At(76, " 0 ");
  EXPECT_EQ(u.Lines(), (std::vector<std::string>{
                           "", "*** SPRING/COUPLE DATA", "",
                           "Elem          Connectivity                 Ref.Ele.    Coord Sys    Prop Code   ",
                           "No         Node-1      Node-2     Rot                                      ", "", row3,
                           row4}));
}
