// Model size parameters and coordinate systems: value column, the global
// systems, origin/orientation and three-node rows, kind names.
#include <gtest/gtest.h>

#include "sections/section_context.h"
#include "sections/sections.h"

using namespace orvant;
using namespace sectiontest;

namespace {

std::string Right(const std::string& text, size_t width) { return std::string(width - text.size(), ' ') + text; }

}  // namespace

TEST(ModelSizeSection, SevenValuesFromColumn43) {
  SectionContext t;
  t.s.MaxNodeLabel = 12;
  t.s.MaxElementLabel = 32767;
  t.s.MaxSpringLabel = 0;
  t.s.RestrainedNodeCount = 3;
  t.s.PhysicalPropertyCount = 4;
  t.s.MaterialPropertyCount = 5;
  t.s.SpringPropertyCount = 6;
  WriteModelSizeParameters(t.ctx);
  EXPECT_EQ(t.Lines(), (std::vector<std::string>{
                           "*** Model Size Parameters ***",
                           "",
                           Cols().At(1, "Max Node Label").At(43, " 12 "),
                           Cols().At(1, "Max Element Label").At(43, " 32767 "),
                           Cols().At(1, "Max Spring/Couple Label").At(43, " 0 "),
                           Cols().At(1, "Number of Restrained Nodes").At(43, " 3 "),
                           Cols().At(1, "Number of Physical Property Codes").At(43, " 4 "),
                           Cols().At(1, "Number of Material Property Codes").At(43, " 5 "),
                           Cols().At(1, "Number of Spring Property Codes").At(43, " 6 "),
                           "",
                       }));
}

TEST(CoordinateSystemsSection, GlobalSystemsOriginAndThreeNodeRows) {
  SectionContext t;
  auto& cs = t.m.CoordSystemTable;
  cs[1][0] = 2;                                      // not defined, listed all the same
  cs[3] = {1, 9, 9, 9, 9, 9, 9, 0, 0, 1};            // defined: still "Global"
  cs[4] = {0, 1.5f, -2, 0, 0, 0, 45, 0, 0, 1};       // Cartesian: empty type field
  cs[5] = {1, 100, 0, 0, 0, 0, 90, 0, 0, 1};         // Cylindrical by origin
  cs[12] = {2, 12, 13, 14, 0, 0, 0, 0, 0, 2};        // three-node Spherical
  cs[13] = {7, 1, 2, 3, 4, 5, 6, 0, 0, 1};           // unknown kind: previous name
  cs[14] = {1, 1, 1, 1, 1, 1, 1, 0, 0, 0};           // not defined
  WriteCoordinateSystems(t.ctx);

  auto values = [](std::initializer_list<const char*> v) {
    std::string s;
    for (const char* x : v) s += Right(x, 13);
    return s;
  };
  EXPECT_EQ(t.Lines(),
            (std::vector<std::string>{
                "",
                "*** CO-ORDINATE SYSTEMS ***",
                "                            Origin Location                      Origin Orientation (Degrees) ",
                "No                 Type           X            Y            Z           Rx           Ry           Rz",
                "                                 (N1)         (N2)         (N3)",
                Cols().At(1, "0").At(4, "Cartesian").At(20, "Global"),
                Cols().At(1, "1").At(4, "Spherical").At(20, "Global"),
                Cols().At(1, "2").At(4, "Cartesian").At(20, "Global"),
                Cols().At(1, "3").At(4, "Cylindrical").At(20, "Global"),
                Cols().At(1, "4").At(4, "Cartesian").At(15, std::string(11, ' ')).At(26,
                    values({"1.5000", "-2.0000", "0.0000", "0.0000", "0.0000", "45.0000"})),
                Cols().At(1, "5").At(4, "Cylindrical").At(25, "1").At(26,
                    values({"100.0000", "0.0000", "0.0000", "0.0000", "0.0000", "90.0000"})),
                Cols().At(1, "12").At(4, "Spherical").At(18, "3-Node 2").At(26,
                    values({"12.0000", "13.0000", "14.0000", "0.0000", "0.0000", "0.0000"})),
                Cols().At(1, "13").At(4, "Spherical").At(25, "7").At(26,
                    values({"1.0000", "2.0000", "3.0000", "4.0000", "5.0000", "6.0000"})),
                "",
            }));
  // The section marks systems 0 to 2 as defined for good.
  EXPECT_EQ(cs[1][9], 1.0f);
  EXPECT_EQ(cs[2][9], 1.0f);
  // The Cylindrical example: 100.0000 ends in column 38, 90.0000 in column 103.
  const std::string row5 = t.Lines()[10];
  EXPECT_EQ(Slice(row5, 31, 8), "100.0000");
  EXPECT_EQ(Slice(row5, 97, 7), "90.0000");
  EXPECT_EQ(row5.size(), 103u);
}
