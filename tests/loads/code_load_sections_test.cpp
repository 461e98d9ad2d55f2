// Face loads, loads by geometric property code, element temperatures and
// pressures, and the order of all load sections.
#include "loads/load_section_fixture.h"

using namespace orvant;
using loadsec::From;

namespace {

class CodeLoadSections : public loadsec::LoadSectionTest {
 protected:
  FaceLoad& AddFace(int16_t element, int16_t face, int16_t kind, std::array<float, 5> values) {
    auto& e = Add(ctx.loads.faceLoads);
    e.element = element;
    e.face = face;
    e.faceKind = kind;
    e.value = values;
    return e;
  }
};

TEST_F(CodeLoadSections, FaceLoadColumnsInEveryUnitMode) {
  ctx.model.ElementGroup[31] = 4;
  AddFace(30, -2, 3, {0, 100, -2500, 0, 1.5f});  // FP,30,-2,3,100,-2500,0,1.5
  AddFace(31, 12, -1, {0, 0, 0, 0, 0});
  AddFace(32, 7, 10, {0, 0, 0, 0, 0});
  const std::string heading = "Elem     Face Type        P1         P2         P3         P4";

  Units(1, 0);
  WriteFaceLoads(ctx);
  const std::string zeros = "       0.00       0.00       0.00       0.00";
  EXPECT_EQ(Lines(), (std::vector<std::string>{
                         "", "*** SOLID FACE/EDGE LOADS ***", "", heading,
                         "                            kN/        kN/        kN/        kN/", "",
                         "30         2   3   " "       0.10" "      -2.50" "       0.00" "       0.00",
                         "31-G4      12 -1   " + zeros,
                         "32         7   10  " + zeros}));

  Clear();
  Units(1, 1);
  WriteFaceLoads(ctx);
  EXPECT_EQ(From(Lines(), 4), (std::vector<std::string>{
                                  "                            Lbs/       Lbs/       Lbs/       Lbs/ ", "",
                                  "30         2   3   " "     100.00" "   -2500.00" "       0.00" "       1.50",
                                  "31-G4      12 -1   " + zeros,
                                  "32         7   10  " + zeros}));

  Clear();
  Units(0, 0);
  WriteFaceLoads(ctx);
  EXPECT_EQ(From(Lines(), 3), (std::vector<std::string>{
                                  heading, "",
                                  "30         2   3   " "  1.000E+02" " -2.500E+03" "  0.000E+00" "  1.500E+00",
                                  "31-G4      12 -1   " "  0.000E+00  0.000E+00  0.000E+00  0.000E+00",
                                  "32         7   10  " "  0.000E+00  0.000E+00  0.000E+00  0.000E+00"}));
}

TEST_F(CodeLoadSections, PropertyUdlRowsAndAxisCodes) {
  auto& udl = ctx.loads.propertyUdl;
  ctx.loads.propertyUdlGiven = 1;
  udl[2].axesCode = 1;
  udl[2].udl[0] = 7;  // direction 0 alone: no row
  udl[3].axesCode = 1;
  udl[3].udl[1] = 1500;
  udl[4].axesCode = 3;  // PUDL,4,2,-5000 then PUDL,4,-3,-200
  udl[4].udl[2] = -5000;
  udl[4].udl[3] = -200;
  udl[10].axesCode = 1;
  udl[10].udl[3] = 0.5f;
  const std::string heading = "Code          X-UDL       Y-UDL       Z-UDL";

  Units(0, 0);
  WritePropertyUdl(ctx);
  EXPECT_EQ(Lines(), (std::vector<std::string>{
                         "", "*** UDL LOADING BY GEOMETRIC PROPERTY CODE ***", "", heading, "",
                         " 3    G " "  1.500E+03" "  0.000E+00" "  0.000E+00",
                         " 4    GP" "  0.000E+00" " -5.000E+03" " -2.000E+02",
                         " 10   G " "  0.000E+00" "  0.000E+00" "  5.000E-01"}));

  // No unit row in this section, in either unit system.
  Clear();
  Units(1, 0);
  WritePropertyUdl(ctx);
  EXPECT_EQ(From(Lines(), 3), (std::vector<std::string>{
                                  heading, "",
                                  " 3    G " "      1.500" "      0.000" "      0.000",
                                  " 4    GP" "      0.000" "     -5.000" "     -0.200",
                                  " 10   G " "      0.000" "      0.000" "      0.001"}));

  Clear();
  Units(1, 1);
  WritePropertyUdl(ctx);
  EXPECT_EQ(From(Lines(), 3), (std::vector<std::string>{
                                  heading, "",
                                  " 3    G " "   1500.000" "      0.000" "      0.000",
                                  " 4    GP" "      0.000" "  -5000.000" "   -200.000",
                                  " 10   G " "      0.000" "      0.000" "      0.500"}));
}

TEST_F(CodeLoadSections, PropertyUdlFlagGivesTitleWithoutRows) {
  ctx.loads.propertyUdl[4].axesCode = 1;  // PUDL,4,0,7
  ctx.loads.propertyUdl[4].udl[0] = 7;
  WritePropertyUdl(ctx);
  EXPECT_EQ(ctx.listing.buffer, "");  // flag not set
  ctx.loads.propertyUdlGiven = 1;
  WritePropertyUdl(ctx);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"", "*** UDL LOADING BY GEOMETRIC PROPERTY CODE ***", "",
                                               "Code          X-UDL       Y-UDL       Z-UDL", ""}));
}

TEST_F(CodeLoadSections, PropertyTemperatureAndPressure) {
  auto& tp = ctx.loads.propertyTempPress;
  ctx.loads.ambientTemperature = 20;
  tp[2].temperature = 40;      // PTEMP,2,40
  tp[3].extPressure = 1.0e5f;  // external pressure alone: no row
  tp[5].intPressure = 2.5e5f;
  tp[5].extPressure = 1.0e5f;
  tp[11].temperature = -5.5f;
  WritePropertyTempPress(ctx);
  EXPECT_EQ(ctx.listing.buffer, "");  // flag not set

  ctx.loads.propertyTempPressGiven = 1;
  const std::vector<std::string> expected{
      "", "*** PRESSURE & TEMP LOADING BY GEOMETRIC PROPERTY CODE ***", "",
      "Code       Temperature   Int-Pressure  Ext-Pressure    Ambient Temp = 20 ", "",
      " 2    " "         40.00" "     0.000E+00" "     0.000E+00",
      " 5    " "          0.00" "     2.500E+05" "     1.000E+05",
      " 11   " "         -5.50" "     0.000E+00" "     0.000E+00"};
  for (int converted : {0, 1}) {
    // Never converted, never a unit row.
    Clear();
    Units(converted, 0);
    WritePropertyTempPress(ctx);
    EXPECT_EQ(Lines(), expected) << "ConvertedUnits " << converted;
  }
}

TEST_F(CodeLoadSections, ElementTemperatureAndPressure) {
  auto& tp = ctx.loads.elementTempPress;
  ctx.loads.ambientTemperature = -5.5f;
  ctx.loads.elementTempPressCount = 4;
  tp[8].extPressure = 1.5f;  // TEPR,8,,,,1.5: counted, no row
  tp[9].temperature = 60;    // TEPR,9,60
  tp[9].oppositeTemperature = 60;
  tp[11].oppositeTemperature = 25;
  tp[12].intPressure = 3.0e5f;
  ctx.model.ElementGroup[12] = 2;
  tp[1234].temperature = 20;
  tp[1234].oppositeTemperature = 20;
  tp[1234].extPressure = 1;
  ctx.model.ElementGroup[1234] = 5;
  tp[12345].oppositeTemperature = -1;
  Units(1, 1);
  WriteElementTempPress(ctx);
  EXPECT_EQ(Lines(), (std::vector<std::string>{
                         "", "*** TEMPERATURE &  INT. PRESSURE LOADING ***", "",
                         "Element    Temperature  Int-Pressure  Ext-Pressure    Temp Opp-Surf      Ambient Temp =-5.5 ",
                         "",
                         "9     " "         60.00" "     0.000E+00" "     0.000E+00" "         60.00",
                         "11    " "          0.00" "     0.000E+00" "     0.000E+00" "         25.00",
                         "12-G2 " "          0.00" "     3.000E+05" "     0.000E+00" "          0.00",
                         "1234-G5",
                         "      " "         20.00" "     0.000E+00" "     1.000E+00" "         20.00",
                         "12345 " "          0.00" "     0.000E+00" "     0.000E+00" "         -1.00"}));

  // Without a counted definition there is no section, rows or not.
  Clear();
  ctx.loads.elementTempPressCount = 0;
  WriteElementTempPress(ctx);
  EXPECT_EQ(ctx.listing.buffer, "");
}

TEST_F(CodeLoadSections, ExternalPressureAloneGivesHeadingOnly) {
  ctx.loads.elementTempPressCount = 1;
  ctx.loads.elementTempPress[8].extPressure = 1.5f;
  WriteElementTempPress(ctx);
  EXPECT_EQ(Lines().size(), 5u);
  EXPECT_EQ(Lines()[3].substr(Lines()[3].size() - 4), "= 0 ");
}

TEST_F(CodeLoadSections, AllSectionsInListingOrder) {
  Units(1, 0);
  Add(ctx.loads.nodalTemperatures).node = 1;
  ctx.loads.elementTempPressCount = 1;
  ctx.loads.elementTempPress[3].temperature = 1;
  ctx.loads.propertyTempPressGiven = 1;
  ctx.loads.propertyUdlGiven = 1;
  AddFace(5, 1, 1, {});
  Add(ctx.loads.distributedLoads) = DistributedLoad{6, 1, 0, 0, 1, 1, 0, 0, 0, 0, 0};
  Add(ctx.loads.pointLoads) = PointLoad{7, 1, 0, {}, 0};
  Add(ctx.loads.nodalLoads).node = 2;
  Add(ctx.loads.prescribedDisplacements).node = 3;
  WriteLoadSections(ctx);
  std::vector<std::string> titles;
  for (const std::string& line : Lines())
    if (line.rfind("***", 0) == 0) titles.push_back(line);
  EXPECT_EQ(titles, (std::vector<std::string>{
                        "*** PRESCRIBED DISPLACEMENTS ***", "*** LOAD (NODAL) DATA ***",
                        "*** BEAM ELEMENT POINT LOADS ***", "*** BEAM ELEMENT DISTRIBUTED LOADS ***",
                        "*** SOLID FACE/EDGE LOADS ***", "*** UDL LOADING BY GEOMETRIC PROPERTY CODE ***",
                        "*** PRESSURE & TEMP LOADING BY GEOMETRIC PROPERTY CODE ***",
                        "*** TEMPERATURE &  INT. PRESSURE LOADING ***", "*** NODAL TEMPERATURES ***"}));
  // The nodal temperature line is the last, ended once.
  EXPECT_EQ(ctx.listing.buffer.substr(ctx.listing.buffer.size() - 26),
            "1" + std::string(15, ' ') + "0.00    \r\n");

  // Only the sections with content.
  Clear();
  ctx.loads = LoadCaseRecord{};
  SetUp();
  Add(ctx.loads.pointLoads) = PointLoad{7, 1, 0, {}, 0};
  ctx.loads.elementTempPressCount = 1;
  WriteLoadSections(ctx);
  titles.clear();
  for (const std::string& line : Lines())
    if (line.rfind("***", 0) == 0) titles.push_back(line);
  EXPECT_EQ(titles, (std::vector<std::string>{"*** BEAM ELEMENT POINT LOADS ***",
                                              "*** TEMPERATURE &  INT. PRESSURE LOADING ***"}));
}

}  // namespace
