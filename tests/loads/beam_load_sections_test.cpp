// Beam element point loads and distributed loads.
#include "loads/load_section_fixture.h"

using namespace orvant;
using loadsec::From;

namespace {

class BeamLoadSections : public loadsec::LoadSectionTest {
 protected:
  PointLoad& AddPoint(int16_t element, int16_t axes, float position) {
    auto& e = Add(ctx.loads.pointLoads);
    e.element = element;
    e.axes = axes;
    e.position = position;
    return e;
  }
  DistributedLoad& AddDistributed(int16_t element, int16_t axes, float start, float finish) {
    auto& e = Add(ctx.loads.distributedLoads);
    e.element = element;
    e.axes = axes;
    e.startLength = start;
    e.finishLength = finish;
    return e;
  }
};

const char* const kPointHeading =
    "Elem    Coord   Length    Fx         Fy         Fz         Mx         My         Mz";
const char* const kDistHeading =
    "Elem    Coord  SLength  FLenght       Fx1        Fx2        Fy1        Fy2        Fz1        Fz2";

TEST_F(BeamLoadSections, PointLoadRowInEveryUnitMode) {
  // EP,15,1,2.5,0,-10000,0,0,0,0
  AddPoint(15, 1, 2.5f).value[2] = -10000;

  Units(1, 0);
  WritePointLoads(ctx);
  auto lines = Lines();
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "", "*** BEAM ELEMENT POINT LOADS ***", "", kPointHeading,
                       "                          kN         kN         kN         kNm        kNm        kNm", "",
                       "15         Gl" "    2.5"
                       "       0.00" "     -10.00" "       0.00" "       0.00" "       0.00" "       0.00"}));
  // Element, axis text at column 12, position in columns 14 to 20, Fy in 32 to 42.
  EXPECT_EQ(lines[6].substr(11, 2), "Gl");
  EXPECT_EQ(lines[6].substr(13, 7), "    2.5");
  EXPECT_EQ(lines[6].substr(31, 11), "     -10.00");

  Clear();
  Units(1, 1);
  WritePointLoads(ctx);
  EXPECT_EQ(From(Lines(), 4), (std::vector<std::string>{
                                  "                          kips       kips       kips       kip-ins    kip-ins   kip-ins", "",
                                  "15         Gl" "    2.5"
                                  "       0.00" "     -10.00" "       0.00" "       0.00" "       0.00" "       0.00"}));

  Clear();
  Units(0, 0);
  WritePointLoads(ctx);
  EXPECT_EQ(From(Lines(), 3), (std::vector<std::string>{
                                  kPointHeading, "",
                                  "15         Gl" "    2.5"
                                  "  0.000E+00" " -1.000E+04" "  0.000E+00" "  0.000E+00" "  0.000E+00" "  0.000E+00"}));
}

TEST_F(BeamLoadSections, PointLoadAxisTextsPositionsAndDroppedRows) {
  Units(1, 0);
  ctx.model.ElementGroup[16] = 2;
  ctx.model.ElemNode1[30] = 5;
  ctx.model.ElemNode2[30] = 5;  // undefined element
  AddPoint(16, 1, 12.3456f);
  AddPoint(17, 2, 0);
  AddPoint(30, 1, 1);
  AddPoint(18, 0, 100);
  AddPoint(19, -1, 0.25f);
  AddPoint(20, 3, 999.9994f);
  WritePointLoads(ctx);
  const std::string zeros = "       0.00       0.00       0.00       0.00       0.00       0.00";
  EXPECT_EQ(From(Lines(), 6), (std::vector<std::string>{
                                  "16-G2      Gl" " 12.346" + zeros,
                                  "17         Lo" "      ." + zeros,
                                  "18         Lo" "   100." + zeros,
                                  "19         Lo" "    .25" + zeros,
                                  "20         Lo" "999.999" + zeros}));
}

TEST_F(BeamLoadSections, PointLoadLongLabelBreaksTheLine) {
  Units(0, 0);
  ctx.model.ElementGroup[12345] = 12345;
  ctx.model.ElementGroup[1234] = 17170;
  AddPoint(12345, 1, 1.5f);
  AddPoint(1234, 2, 1.5f);
  WritePointLoads(ctx);
  const std::string values = "  0.000E+00  0.000E+00  0.000E+00  0.000E+00  0.000E+00  0.000E+00";
  EXPECT_EQ(From(Lines(), 5), (std::vector<std::string>{"12345-G12345", "           Gl    1.5" + values,
                                                        "1234-G17170Lo    1.5" + values}));
}

TEST_F(BeamLoadSections, DistributedRowsInEveryUnitMode) {
  // UDL,20,0,-2000,0 and ED,21,2,0.5,3.0,0,0,-1000,-3000,0,0
  auto& udl = AddDistributed(20, 1, 0, 0);
  udl.wy1 = udl.wy2 = -2000;
  auto& ed = AddDistributed(21, 2, 0.5f, 3.0f);
  ed.wy1 = -1000;
  ed.wy2 = -3000;

  Units(1, 0);
  WriteDistributedLoads(ctx);
  auto lines = Lines();
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "", "*** BEAM ELEMENT DISTRIBUTED LOADS ***", "", kDistHeading,
                       "                                      kN/m       kN/m       kN/m       kN/m       kN/m       kN/m",
                       "",
                       "20         Gl      0.0 Full Span"
                       "       0.00" "       0.00" "      -2.00" "      -2.00" "       0.00" "       0.00",
                       "21         Lo      0.5      3.0 "
                       "       0.00" "       0.00" "      -1.00" "      -3.00" "       0.00" "       0.00"}));
  // The intensities start at column 33 on both kinds of row.
  EXPECT_EQ(lines[6].substr(32, 11), "       0.00");
  EXPECT_EQ(lines[7].substr(32, 11), "       0.00");
  EXPECT_EQ(lines[6].substr(22, 10), " Full Span");

  // Imperial intensities are shown as stored (pounds per inch).
  Clear();
  Units(1, 1);
  WriteDistributedLoads(ctx);
  EXPECT_EQ(From(Lines(), 4), (std::vector<std::string>{
                                  "                                      lbs/ins   lbs/ins    lbs/ins   lbs/ins    lbs/ins    lbs/ins",
                                  "",
                                  "20         Gl      0.0 Full Span"
                                  "       0.00" "       0.00" "   -2000.00" "   -2000.00" "       0.00" "       0.00",
                                  "21         Lo      0.5      3.0 "
                                  "       0.00" "       0.00" "   -1000.00" "   -3000.00" "       0.00" "       0.00"}));

  Clear();
  Units(0, 1);
  WriteDistributedLoads(ctx);
  EXPECT_EQ(From(Lines(), 3), (std::vector<std::string>{
                                  kDistHeading, "",
                                  "20         Gl      0.0 Full Span"
                                  "  0.000E+00" "  0.000E+00" " -2.000E+03" " -2.000E+03" "  0.000E+00" "  0.000E+00",
                                  "21         Lo      0.5      3.0 "
                                  "  0.000E+00" "  0.000E+00" " -1.000E+03" " -3.000E+03" "  0.000E+00" "  0.000E+00"}));
}

TEST_F(BeamLoadSections, DistributedAxisTextsLengthsAndDroppedRows) {
  Units(0, 0);
  ctx.model.ElemNode1[40] = 9;
  ctx.model.ElemNode2[40] = 9;  // undefined element
  ctx.model.ElementGroup[22] = 6;
  AddDistributed(22, 5, 1.23456f, 10.5f).wx1 = 1;
  AddDistributed(23, 0, 1.0f, 0);   // ED,23: axes blank, counted but not listed
  AddDistributed(24, -1, 1.0f, 0);  // blank start and finish lengths
  AddDistributed(40, 1, 0, 0);
  AddDistributed(25, 3, 0, 123.4567f);
  WriteDistributedLoads(ctx);
  const std::string zeros = "  0.000E+00  0.000E+00  0.000E+00  0.000E+00  0.000E+00  0.000E+00";
  EXPECT_EQ(From(Lines(), 5), (std::vector<std::string>{
                                  "22-G6      GP    1.235     10.5   1.000E+00" + zeros.substr(11),
                                  "24         GP      1.0 Full Span" + zeros,
                                  "25         GP      0.0  123.457 " + zeros}));
}

TEST_F(BeamLoadSections, DistributedLongLabelBreaksTheLine) {
  Units(0, 0);
  ctx.model.ElementGroup[12345] = 1;
  ctx.model.ElementGroup[10000] = 12345;
  AddDistributed(12345, 2, 0, 0);
  AddDistributed(10000, 1, 0, 0);
  WriteDistributedLoads(ctx);
  const std::string zeros = "  0.000E+00  0.000E+00  0.000E+00  0.000E+00  0.000E+00  0.000E+00";
  EXPECT_EQ(From(Lines(), 5), (std::vector<std::string>{"12345-G1   Lo      0.0 Full Span" + zeros,
                                                        "10000-G12345",
                                                        "           Gl      0.0 Full Span" + zeros}));
}

TEST_F(BeamLoadSections, NoSectionWithoutEntries) {
  WritePointLoads(ctx);
  WriteDistributedLoads(ctx);
  EXPECT_EQ(ctx.listing.buffer, "");
}

}  // namespace
