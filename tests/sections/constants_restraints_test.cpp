// Spring/couple, IC and RC constants tables and the restrained nodes.
#include <gtest/gtest.h>

#include "sections/section_context.h"
#include "sections/sections.h"

using namespace orvant;
using namespace orvant::testing;
using namespace sectiontest;

TEST(ConstantsTables, NothingWhenAllCountsAreZero) {
  SectionContext t;
  t.Allocate();
  WriteConstantsTables(t.ctx);
  EXPECT_EQ(t.ctx.listing.buffer, "");
}

TEST(ConstantsTables, SpringConstantsAndFourDigitCodes) {
  SectionContext t;
  t.s.SpringPropertyCount = 1000;
  t.Allocate();
  t.m.SpringKind[1] = -1;
  t.m.SpringK[1] = {0, 1e3f, 2e3f, 3e3f, 4e3f, 5e3f, 6e3f};
  t.m.SpringCo[1] = 12;
  t.m.SpringKind[999] = 1;
  t.m.SpringCo[999] = 4;
  WriteConstantsTables(t.ctx);
  auto lines = t.Lines();
  const std::string zeros = "  0.000E+00  0.000E+00  0.000E+00  0.000E+00  0.000E+00  0.000E+00";
  ASSERT_EQ(lines.size(), 5u + 1000u + 1u);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 5),
            (std::vector<std::string>{
                "", "*** SPRING/COUPLE CONSTANTS TABLE", "",
                "Code  Type       K1        K2         K3         K4         K5         K6      CO", ""}));
  EXPECT_EQ(lines[5], Cols()
                          .At(1, " 1 ")
                          .At(6, "-1 ")
                          .At(12, "  1.000E+03  2.000E+03  3.000E+03  4.000E+03  5.000E+03  6.000E+03")
                          .At(80, " 12 ")
                          .line);
  // Three digits end on column 5: the kind stays at column 6.
  EXPECT_EQ(lines[5 + 998], Cols().At(1, " 999 ").At(6, " 1 ").At(12, zeros).At(80, " 4 ").line);
  // Four digits end past column 5: the rest of the entry moves to the next line.
  EXPECT_EQ(lines[5 + 999], " 1000 ");
  EXPECT_EQ(lines[5 + 1000], Cols().At(6, " 0 ").At(12, zeros).At(80, " 0 ").line);
}

TEST(ConstantsTables, IcValuesAreDigitsFollowedBySixBlanks) {
  SectionContext t;
  t.Allocate();
  t.m.IcPropertyCount = 2;
  t.m.IcConstantTable.Size(2);
  t.m.IcConstantTable[1] = {0, 1, 10, -5, 123, 0, 7};
  t.m.IcConstantTable[2] = {32767, 0, 0, 0, 0, 0, -32768};
  WriteConstantsTables(t.ctx);
  EXPECT_EQ(t.Lines(),
            (std::vector<std::string>{
                "", "*** IC CONSTANTS TABLE", "", "Code    IC0    IC1    IC2    IC3    IC4    IC5    IC6", "",
                Cols().At(1, " 1 ").At(10, "0      1      10      -5      123      0      7      "),
                Cols().At(1, " 2 ").At(10, "32767      0      0      0      0      0      -32768      ")}));
}

TEST(ConstantsTables, RcRowsAndOrderOfTheThreeTables) {
  SectionContext t;
  t.s.SpringPropertyCount = 1;
  t.Allocate();
  t.m.IcPropertyCount = 1;
  t.m.IcConstantTable.Size(1);
  t.m.RcPropertyCount = 1;
  t.m.RcConstantX.Size(1);
  t.m.RcConstantY.Size(1);
  t.m.RcConstantX[1] = {1, 2, 3, 4, 5, 6, 7};
  t.m.RcConstantY[1] = {-1, 0, 0.5f, 0, 0, 0, 12345};
  WriteConstantsTables(t.ctx);
  auto lines = t.Lines();
  ASSERT_EQ(lines.size(), 6u + 6u + 8u);
  EXPECT_EQ(lines[1], "*** SPRING/COUPLE CONSTANTS TABLE");
  EXPECT_EQ(lines[7], "*** IC CONSTANTS TABLE");
  std::vector<std::string> rc(lines.begin() + 12, lines.end());
  EXPECT_EQ(rc, (std::vector<std::string>{
                    "", "*** RC CONSTANTS TABLE", "",
                    "Code              1         2          3          4          5          6         7", "",
                    Cols().At(1, " 1 ").At(6, "X").At(12, "  1.000E+00  2.000E+00  3.000E+00  4.000E+00  5.000E+00  6.000E+00  7.000E+00"),
                    Cols().At(6, "Y").At(12, " -1.000E+00  0.000E+00  5.000E-01  0.000E+00  0.000E+00  0.000E+00  1.235E+04"),
                    ""}));
}

TEST(RestrainedNodes, RowsLongLabelsAndClosingRule) {
  SectionContext t;
  t.s.MaxNodeLabel = 23456;
  t.s.RestrainedNodeCount = 4;
  t.Allocate();
  auto set = [&](int r, int node, std::array<int16_t, 6> codes) {
    t.m.RestraintTable[r].RestrainedNode = static_cast<int16_t>(node);
    for (int c = 0; c < 6; ++c) t.m.RestraintTable[r].Codes[c + 1] = codes[c];
  };
  set(1, 7, {1, 1, 1, 0, 0, 0});
  set(2, 12, {0, 2, 0, 0, 0, -1});
  set(3, 12345, {1, 0, 1, 0, 1, 0});
  set(4, 23456, {0, 0, 0, 1, 1, 1});
  t.m.NodeGroup[12] = 4;
  t.m.NodeGroup[12345] = 67;   // "12345-G67": nine characters
  t.m.NodeGroup[23456] = 678;  // "23456-G678": ten characters
  WriteRestrainedNodes(t.ctx);
  EXPECT_EQ(t.Lines(),
            (std::vector<std::string>{
                "", "*** RESTRAINED NODES ***  ( 1-Fixed  0-Free )", "",
                "Node              Tx        Ty        Tz        Rx        Ry        Rz", "",
                Cols().At(1, "7").At(10, "         1         1         1         0         0         0"),
                Cols().At(1, "12-G4").At(10, "         0         2         0         0         0        -1"),
                // Nine characters end on column 9: the codes follow at column 10.
                Cols().At(1, "12345-G67").At(10, "         1         0         1         0         1         0"),
                // Ten characters end past it: the codes start on the next line.
                "23456-G678",
                Cols().At(10, "         0         0         0         1         1         1"),
                "", std::string(105, '=')}));
}

TEST(RestrainedNodes, NoRestraintsStillWriteHeadingsAndRule) {
  SectionContext t;
  t.Allocate();
  WriteRestrainedNodes(t.ctx);
  EXPECT_EQ(t.Lines(), (std::vector<std::string>{
                           "", "*** RESTRAINED NODES ***  ( 1-Fixed  0-Free )", "",
                           "Node              Tx        Ty        Tz        Rx        Ry        Rz", "", "",
                           std::string(105, '=')}));
}
