// Nodal coordinates and element data: selection by group filter, group
// range mode (group order first, then label order), grouped-only, row
// layouts and their columns, rows pushed to a new line, and SortByGroup
// against the exchange sort it replaces.
#include <gtest/gtest.h>

#include <random>

#include "listing/numbers.h"
#include "run/faults.h"
#include "sections/group_order.h"
#include "sections/section_context.h"
#include "sections/sections.h"

using namespace orvant;
using namespace sectiontest;

namespace {

std::string R(float v, int width) { return FormatRight(v, "#####0.0000", width); }

const std::vector<std::string> kNodeHeading = {
    "*** NODAL COORDINATES ***",
    "                         Definition System                          Global Cartesian ",
    "Node     CSys      X             Y             Z             X             Y             Z",
    ""};

const std::vector<std::string> kElementHeading = {
    "*** ELEMENT DATA ***",
    "",
    "Elem                Connectivity                           Length    Geom     Mat   Release  CO    Bend",
    "No        Type Node-1     Node-2     Node-3        Rot               Codes    Code    Z  Y   Code  Radius",
    ""};

std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Nodes 1..5: groups 2, 1, none, 1, 5; node 4 defined in system 4.
struct NodeFixture : ::testing::Test {
  SectionContext t;
  void SetUp() override {
    t.s.MaxNodeLabel = 6;
    t.Allocate();
    const int16_t groups[] = {0, 2, 1, 0, 1, 5};
    for (int i = 1; i <= 5; ++i) {
      t.m.NodeExists[i] = 1;
      t.m.NodeGroup[i] = groups[i];
      t.m.NodeDefCoords[i] = {static_cast<float>(i), -1.5f, 1234.5f};
      t.m.NodeX[i] = static_cast<float>(i);
      t.m.NodeY[i] = -1.5f;
      t.m.NodeZ[i] = 1234.5f;
    }
    t.m.NodeCoordSystem[4] = 4;
    t.m.NodeX[4] = 10;
    t.m.NodeY[4] = 20;
    t.m.NodeZ[4] = 30;
    t.m.NodeGroup[6] = 1;  // label 6 is not defined
  }
  void Filter(int16_t filter, int16_t groupedOnly = 0) {
    t.s.GroupFilter = filter;
    t.s.GroupedOnly = groupedOnly;
    t.s.GroupRangeMode = filter < 0 ? 1 : 0;
    t.s.GroupLimit = filter < 0 ? static_cast<int16_t>(-filter) : 1;
  }
  std::string RowA(const std::string& label, int i) {
    const auto& d = t.m.NodeDefCoords[i];
    std::string row = Cols().At(1, label).At(12, " " + std::to_string(t.m.NodeCoordSystem[i]) + " ").At(15,
        R(d[0], 11) + R(d[1], 14) + R(d[2], 14));
    if (t.m.NodeCoordSystem[i] > 0) row += R(t.m.NodeX[i], 14) + R(t.m.NodeY[i], 14) + R(t.m.NodeZ[i], 14);
    return row;
  }
  std::string RowB(const std::string& label, int i) {
    const auto& d = t.m.NodeDefCoords[i];
    std::string row = Cols().At(1, label).At(12, R(d[0], 11) + R(d[1], 15) + R(d[2], 15));
    if (t.m.NodeCoordSystem[i] > 0) row += R(t.m.NodeX[i], 11) + R(t.m.NodeY[i], 15) + R(t.m.NodeZ[i], 15);
    return row;
  }
};

}  // namespace

TEST_F(NodeFixture, NoFilterListsEveryNodeInLabelOrder) {
  Filter(0);
  WriteNodalCoordinates(t.ctx);
  EXPECT_EQ(t.Lines(), Join(kNodeHeading, {RowA("1-G2", 1), RowA("2-G1", 2), RowA("3", 3), RowA("4-G1", 4),
                                           RowA("5-G5", 5), ""}));
  EXPECT_EQ(t.s.GroupLimit, -1);
  EXPECT_EQ(t.m.NodeGroup[3], 0);
  // Layout A columns: definition coordinates end in 25, 39, 53; globals in 67, 81, 95.
  const std::string row4 = t.Lines()[7];
  EXPECT_EQ(Slice(row4, 13, 1), "4");
  EXPECT_EQ(Slice(row4, 15, 11), "     4.0000");
  EXPECT_EQ(Slice(row4, 44, 10), " 1234.5000");
  EXPECT_EQ(Slice(row4, 82, 14), "       30.0000");
  EXPECT_EQ(row4.size(), 95u);
}

TEST_F(NodeFixture, PositiveFilterListsOneGroup) {
  Filter(1);
  WriteNodalCoordinates(t.ctx);
  EXPECT_EQ(t.Lines(), Join(kNodeHeading, {RowA("2-G1", 2), RowA("4-G1", 4), ""}));
}

TEST_F(NodeFixture, GroupRangeModeGroupOrderThenLabelOrder) {
  Filter(-2);
  WriteNodalCoordinates(t.ctx);
  EXPECT_EQ(t.Lines(), Join(kNodeHeading, {RowB("2-G1", 2), RowB("4-G1", 4), RowB("1-G2", 1), RowA("3", 3),
                                           RowA("5-G5", 5), ""}));
  EXPECT_EQ(t.m.NodeGroup[3], NoGroup);
  EXPECT_EQ(t.m.NodeGroup[0], 0);
  EXPECT_EQ(t.s.GroupLimit, 2);
  EXPECT_EQ(t.m.NodeOrder[1], 2);
  // Layout B columns: 12-22, 23-37, 38-52, then 53-63, 64-78, 79-93.
  const std::string row4 = t.Lines()[5];
  EXPECT_EQ(Slice(row4, 12, 11), "     4.0000");
  EXPECT_EQ(Slice(row4, 43, 10), " 1234.5000");
  EXPECT_EQ(Slice(row4, 53, 11), "    10.0000");
  EXPECT_EQ(row4.size(), 93u);
}

TEST_F(NodeFixture, GroupedOnlyWritesTheGroupOrderPassAlone) {
  Filter(-2, 1);
  WriteNodalCoordinates(t.ctx);
  EXPECT_EQ(t.Lines(), Join(kNodeHeading, {RowB("2-G1", 2), RowB("4-G1", 4), RowB("1-G2", 1), ""}));
}

TEST_F(NodeFixture, NegativeGroupsComeFirstAndLongLabelsOrSystemsBreakTheRow) {
  SectionContext big;
  big.s.MaxNodeLabel = 12345;
  big.Allocate();
  for (int i : {7, 8, 12345}) big.m.NodeExists[i] = 1;
  big.m.NodeGroup[8] = -4;  // negative groups are never listed in label order
  big.m.NodeGroup[12345] = 12345;
  big.m.NodeCoordSystem[7] = 12;
  big.m.NodeDefCoords[7] = {1, 2, 3};
  big.m.NodeX[7] = 4;
  big.s.GroupFilter = 0;
  big.s.GroupLimit = 1;
  WriteNodalCoordinates(big.ctx);
  // Node 7's system number ends past column 14; the 12-character label
  // ends past column 11.
  EXPECT_EQ(big.Lines(), Join(kNodeHeading, {
                                                "7           12 ",
                                                std::string(14, ' ') + R(1, 11) + R(2, 14) + R(3, 14) + R(4, 14) +
                                                    R(0, 14) + R(0, 14),
                                                "12345-G12345",
                                                std::string(11, ' ') + " 0 " + R(0, 11) + R(0, 14) + R(0, 14),
                                                "",
                                            }));

  SectionContext range;
  range.s.MaxNodeLabel = 3;
  range.Allocate();
  for (int i = 1; i <= 3; ++i) range.m.NodeExists[i] = 1;
  range.m.NodeGroup[1] = 1;
  range.m.NodeGroup[3] = -4;
  range.s.GroupFilter = -1;
  range.s.GroupRangeMode = 1;
  range.s.GroupLimit = 1;
  range.s.GroupedOnly = 1;
  WriteNodalCoordinates(range.ctx);
  auto lines = range.Lines();
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[4].substr(0, 4), "3   ");
  EXPECT_EQ(lines[5].substr(0, 4), "1-G1");
}

TEST(NodesSection, NoNodesWritesHeadingsAndClosingLine) {
  for (int16_t maxNode : {0, 1}) {
    SectionContext t;
    t.s.MaxNodeLabel = maxNode;
    t.s.GroupFilter = -3;
    t.s.GroupRangeMode = 1;
    t.s.GroupLimit = 3;
    t.Allocate();
    WriteNodalCoordinates(t.ctx);
    EXPECT_EQ(t.Lines(), Join(kNodeHeading, {""}));
  }
}

namespace {

// Elements 1..5: groups 3, none, 1, 3, none; element 5 has equal nodes.
struct ElementFixture : ::testing::Test {
  SectionContext t;
  void SetUp() override {
    t.s.MaxNodeLabel = 20;
    t.s.MaxElementLabel = 5;
    t.s.MaxSpringLabel = 1;
    t.Allocate();
    const int16_t groups[] = {0, 3, 0, 1, 3, 0};
    for (int e = 1; e <= 5; ++e) {
      t.m.ElemNode1[e] = static_cast<int16_t>(e);
      t.m.ElemNode2[e] = static_cast<int16_t>(e + 1);
      t.m.ElementGroup[e] = groups[e];
      t.m.ElemType[e] = 1;
      t.m.ElemGeomCode[e] = 1;
      t.m.ElemMatCode[e] = 1;
    }
    t.m.ElemNode2[5] = 5;
  }
  void Filter(int16_t filter, int16_t groupedOnly = 0) {
    t.s.GroupFilter = filter;
    t.s.GroupedOnly = groupedOnly;
    t.s.GroupRangeMode = filter < 0 ? 1 : 0;
    t.s.GroupLimit = filter < 0 ? static_cast<int16_t>(-filter) : 1;
  }
  // The label column of each row written.
  std::vector<std::string> Labels() {
    std::vector<std::string> labels;
    auto lines = t.Lines();
    for (size_t i = kElementHeading.size(); i < lines.size(); ++i) labels.push_back(lines[i].substr(0, lines[i].find(' ')));
    return labels;
  }
};

}  // namespace

TEST_F(ElementFixture, RowColumnsAndNodeGroups) {
  t.s.MaxElementLabel = 1;
  t.m.ElementGroup[1] = 2;
  t.m.ElemType[1] = 3;
  t.m.ElemNode1[1] = 11;
  t.m.ElemNode2[1] = 12;
  t.m.NodeGroup[11] = 7;
  t.m.ElemRotation[1] = 45;
  t.m.ElemLength[1] = 1234.5f;
  t.m.ElemGeomCode[1] = 1;
  t.m.ElemTaperCode[1] = 0;
  t.m.ElemMatCode[1] = 2;
  t.m.ElemReleaseZ[1] = 1;
  t.m.ElemReleaseY[1] = 0;
  t.m.ElemCoCode[1] = 4;
  t.m.ElemBendRadius[1] = 152.4f;
  Filter(0);
  WriteElementData(t.ctx);
  const std::string row = Cols()
                              .At(1, "1-G2")
                              .At(12, " 3 ")
                              .At(16, "11-G7")
                              .At(27, "12")
                              .At(38, "0")
                              .At(47, "  45.000")
                              .At(56, "  1234.5000")
                              .At(68, " 1 ")
                              .At(73, " 0 ")
                              .At(79, " 2 ")
                              .At(86, " 1  0    4  152.400");
  EXPECT_EQ(t.Lines(), Join(kElementHeading, {row}));
  EXPECT_EQ(Slice(row, 87, 1), "1");
  EXPECT_EQ(Slice(row, 90, 1), "0");
  EXPECT_EQ(Slice(row, 95, 1), "4");
  EXPECT_EQ(row.size(), 104u);
}

TEST_F(ElementFixture, WideItemsMoveTheRestOfTheRowToANewLine) {
  t.s.MaxElementLabel = 1;
  t.m.ElementGroup[1] = 0;
  t.m.ElemType[1] = 123;
  t.m.ElemNode1[1] = 12345;
  t.m.ElemNode2[1] = 2;
  t.s.MaxNodeLabel = 12345;
  t.m.NodeGroup.Size(12345);
  t.m.NodeGroup[12345] = 12345;
  Filter(0);
  WriteElementData(t.ctx);
  auto lines = t.Lines();
  ASSERT_EQ(lines.size(), kElementHeading.size() + 3);
  EXPECT_EQ(lines[5], "1           123 ");
  EXPECT_EQ(lines[6], std::string(15, ' ') + "12345-G12345");
  EXPECT_EQ(Slice(lines[7], 27, 1), "2");
}

TEST_F(ElementFixture, SelectionByFilterRangeAndGroupedOnly) {
  Filter(0);
  WriteElementData(t.ctx);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"1-G3", "2", "3-G1", "4-G3"}));
  EXPECT_EQ(t.s.GroupLimit, -1);

  t.ctx.listing.buffer.clear();
  Filter(3);
  WriteElementData(t.ctx);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"1-G3", "4-G3"}));

  t.ctx.listing.buffer.clear();
  Filter(-3);
  WriteElementData(t.ctx);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"3-G1", "1-G3", "4-G3", "2"}));
  EXPECT_EQ(t.m.ElementGroup[2], NoGroup);
  EXPECT_EQ(t.m.ElementGroup[6], 0);  // the spring/couple entry is left alone

  t.ctx.listing.buffer.clear();
  Filter(-1, 1);
  WriteElementData(t.ctx);
  EXPECT_EQ(Labels(), (std::vector<std::string>{"3-G1"}));
}

TEST_F(ElementFixture, NodeLabelOutsideTheNodeTableFails) {
  t.m.ElemNode2[2] = 21;
  Filter(0);
  EXPECT_THROW(WriteElementData(t.ctx), IndexFault);
}

TEST(SortByGroup, SameOrderAsTheFullExchangeSort) {
  std::mt19937 rng(7);
  for (int round = 0; round < 40; ++round) {
    const int n = 1 + static_cast<int>(rng() % 300);
    Table<int16_t> key;
    key.Size(n);
    const int16_t choices[] = {-3, 0, 1, 2, 2, 5, NoGroup, 32767, -32768};
    for (int i = 0; i <= n; ++i) key[i] = choices[rng() % 9];
    Table<int16_t> order, naive;
    order.Size(n);
    naive.Size(n);
    // A starting order that is not the identity, as a second sort sees it.
    for (int j = 1; j <= n; ++j) order[j] = naive[j] = static_cast<int16_t>(1 + (j * 7919) % n);
    for (int m = n; m >= 2; --m)
      for (int j = 2; j <= m; ++j)
        if (key[naive[j]] < key[naive[j - 1]]) std::swap(naive[j], naive[j - 1]);
    SortByGroup(order, key, n);
    ASSERT_EQ(order.items, naive.items) << "n = " << n;
  }
}
