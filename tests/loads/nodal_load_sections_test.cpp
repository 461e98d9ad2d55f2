// Prescribed displacements, nodal loads and nodal temperatures.
#include "loads/load_section_fixture.h"

using namespace orvant;
using loadsec::From;

namespace {

class NodalLoadSections : public loadsec::LoadSectionTest {
 protected:
  // ND,7,0.002,-0.0125,0,0.001234,0,-0.5
  void AddNodeSevenDisplacement() {
    auto& e = Add(ctx.loads.prescribedDisplacements);
    e.node = 7;
    e.value = {0, 0.002f, -0.0125f, 0, 0.001234f, 0, -0.5f};
  }
};

const char* const kNdHeading = "Node              Tx          Ty         Tz         Rx          Ry        Rz";

TEST_F(NodalLoadSections, DisplacementRowInEveryUnitMode) {
  AddNodeSevenDisplacement();

  Units(0, 0);
  WritePrescribedDisplacements(ctx);
  EXPECT_EQ(Lines(), (std::vector<std::string>{
                         "", "*** PRESCRIBED DISPLACEMENTS ***", "", kNdHeading, "",
                         "7          "
                         "  2.000E-03" " -1.250E-02" "  0.000E+00" "  1.234E-03" "  0.000E+00" " -5.000E-01"}));

  Clear();
  Units(1, 0);
  WritePrescribedDisplacements(ctx);
  auto lines = Lines();
  EXPECT_EQ(From(lines, 3), (std::vector<std::string>{
                                kNdHeading,
                                "                  mm          mm         mm         Rad         Rad       Rad", "",
                                "7          "
                                "       2.00" "     -12.50" "       0.00" "    0.00123" "    0.00000" "   -0.50000"}));
  // Tx in millimetres right-justified in columns 12 to 22.
  EXPECT_EQ(lines[6].substr(11, 11), "       2.00");

  Clear();
  Units(1, 1);
  WritePrescribedDisplacements(ctx);
  EXPECT_EQ(From(Lines(), 4), (std::vector<std::string>{
                                  "                  ins         ins        ins        Rad         Rad       Rad", "",
                                  "7          "
                                  "       0.00" "      -0.01" "       0.00" "    0.00123" "    0.00000" "   -0.50000"}));
}

TEST_F(NodalLoadSections, GroupSuffixedAndLongLabels) {
  Units(0, 0);
  ctx.model.NodeGroup[12] = 3;
  ctx.model.NodeGroup[9] = NoGroup;
  ctx.model.NodeGroup[1234] = 12345;
  ctx.model.NodeGroup[12345] = 12345;
  for (int16_t node : {12, 9, 1234, 12345}) {
    auto& e = Add(ctx.loads.prescribedDisplacements);
    e.node = node;
    e.value[1] = 1;
  }
  WritePrescribedDisplacements(ctx);
  const std::string values = "  1.000E+00  0.000E+00  0.000E+00  0.000E+00  0.000E+00  0.000E+00";
  EXPECT_EQ(From(Lines(), 5), (std::vector<std::string>{
                                  "12-G3      " + values,
                                  "9          " + values,
                                  "1234-G12345" + values,  // 11 characters: stays on the line
                                  "12345-G12345",          // 12 characters: values on the next line
                                  "           " + values}));
}

TEST_F(NodalLoadSections, NoSectionWithoutEntries) {
  WritePrescribedDisplacements(ctx);
  WriteNodalLoads(ctx);
  WriteNodalTemperatures(ctx);
  EXPECT_EQ(ctx.listing.buffer, "");
}

TEST_F(NodalLoadSections, NodalLoadRowsAndMass) {
  auto& a = Add(ctx.loads.nodalLoads);
  a.node = 5;
  a.value = {0, 1000, -2500, 0, 0, 123456, -0.4f};
  auto& b = Add(ctx.loads.nodalLoads);
  b.node = 6;
  b.value = {0, 0, 0, -1500, 0, 0, 0};
  b.mass = 12.5f;
  const std::string heading =
      "Node             Fx         Fy         Fz         Mx         My        Mz        Mass(kg)";

  Units(0, 0);
  WriteNodalLoads(ctx);
  EXPECT_EQ(Lines(), (std::vector<std::string>{
                         "", "*** LOAD (NODAL) DATA ***", "", heading, "",
                         "5          " "  1.000E+03" " -2.500E+03" "  0.000E+00" "  0.000E+00" "  1.235E+05" " -4.000E-01",
                         "6          " "  0.000E+00" "  0.000E+00" " -1.500E+03" "  0.000E+00" "  0.000E+00" "  0.000E+00"
                         "  1.250E+01"}));

  Clear();
  Units(1, 0);
  WriteNodalLoads(ctx);
  EXPECT_EQ(From(Lines(), 4), (std::vector<std::string>{
                                  "                 kN         kN         kN         kNm        kNm       kNm", "",
                                  "5          " "       1.00" "      -2.50" "       0.00" "       0.00" "     123.46" "       0.00",
                                  // The mass is never converted.
                                  "6          " "       0.00" "       0.00" "      -1.50" "       0.00" "       0.00" "       0.00"
                                  "  1.250E+01"}));

  Clear();
  Units(1, 1);
  WriteNodalLoads(ctx);
  EXPECT_EQ(From(Lines(), 4), (std::vector<std::string>{
                                  "                 kips       kips       kips       kip-ins    kip-ins   kip-ins", "",
                                  "5          " "       1.00" "      -2.50" "       0.00" "       0.00" "     123.46" "       0.00",
                                  "6          " "       0.00" "       0.00" "      -1.50" "       0.00" "       0.00" "       0.00"
                                  "  1.250E+01"}));
}

TEST_F(NodalLoadSections, LoadOnMissingNodeHasNoRow) {
  Units(0, 0);
  ctx.model.NodeExists[8] = 0;
  ctx.model.NodeGroup[3] = 4;
  for (int16_t node : {8, 3}) {
    auto& e = Add(ctx.loads.nodalLoads);
    e.node = node;
    e.value[2] = 10;
  }
  WriteNodalLoads(ctx);
  EXPECT_EQ(From(Lines(), 5), (std::vector<std::string>{
                                  "3-G4       "
                                  "  0.000E+00  1.000E+01  0.000E+00  0.000E+00  0.000E+00  0.000E+00"}));

  // A section whose every entry is on a missing node keeps its heading.
  Clear();
  ctx.loads.nodalLoads.count = 1;
  WriteNodalLoads(ctx);
  EXPECT_EQ(Lines().size(), 5u);
}

TEST_F(NodalLoadSections, PrescribedDisplacementOnMissingNodeIsListed) {
  Units(0, 0);
  ctx.model.NodeExists[7] = 0;
  AddNodeSevenDisplacement();
  WritePrescribedDisplacements(ctx);
  ASSERT_EQ(Lines().size(), 6u);
  EXPECT_EQ(Lines()[5].substr(0, 22), "7            2.000E-03");
}

std::string TemperatureEntry(const std::string& label10, const std::string& field10) {
  return label10 + field10 + "    ";
}

TEST_F(NodalLoadSections, NodalTemperaturesFourToALine) {
  for (int i = 1; i <= 5; ++i) {
    auto& e = Add(ctx.loads.nodalTemperatures);
    e.node = static_cast<int16_t>(i);
    e.temperature = 20.5f * static_cast<float>(i);
  }
  ctx.model.NodeGroup[2] = 7;
  Units(1, 0);  // temperatures are never converted and have no unit row
  WriteNodalTemperatures(ctx);
  EXPECT_EQ(Lines(), (std::vector<std::string>{
                         "", "*** NODAL TEMPERATURES ***", "",
                         "Node        Temperature  Node        Temerature  Node        Temperature  Node        Temerature",
                         "",
                         TemperatureEntry("1         ", "     20.50") + TemperatureEntry("2-G7      ", "     41.00") +
                             TemperatureEntry("3         ", "     61.50") + TemperatureEntry("4         ", "     82.00"),
                         TemperatureEntry("5         ", "    102.50")}));
  // The listing ends with the line end of the second line.
  EXPECT_EQ(ctx.listing.buffer.substr(ctx.listing.buffer.size() - 8), "50    \r\n");

  // Eight entries: two full lines and an empty line.
  for (int i = 6; i <= 8; ++i) {
    auto& e = Add(ctx.loads.nodalTemperatures);
    e.node = static_cast<int16_t>(i);
  }
  Clear();
  WriteNodalTemperatures(ctx);
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[5].size(), 96u);
  EXPECT_EQ(lines[6], TemperatureEntry("5         ", "    102.50") + TemperatureEntry("6         ", "      0.00") +
                          TemperatureEntry("7         ", "      0.00") + TemperatureEntry("8         ", "      0.00"));
  EXPECT_EQ(lines[7], "");
  EXPECT_EQ(ctx.listing.buffer.substr(ctx.listing.buffer.size() - 4), "\r\n\r\n");
}

TEST_F(NodalLoadSections, NodalTemperatureLabelAndValueWidths) {
  ctx.model.NodeGroup[12345] = 12345;
  ctx.model.NodeGroup[4] = 1;
  const std::pair<int16_t, float> entries[] = {{12345, 1234567.5f}, {4, 12345678.0f}, {10, -0.25f}};
  for (auto [node, t] : entries) {
    auto& e = Add(ctx.loads.nodalTemperatures);
    e.node = node;
    e.temperature = t;
  }
  WriteNodalTemperatures(ctx);
  // The label is cut after 10 characters; a value wider than its field
  // loses its leading digits.
  EXPECT_EQ(From(Lines(), 5), (std::vector<std::string>{TemperatureEntry("12345-G123", "1234567.50") +
                                                        TemperatureEntry("4-G1      ", "2345678.00") +
                                                        TemperatureEntry("10        ", "     -0.25")}));
}

}  // namespace
