// Geometric property and stress point tables, the material property table
// and the pipework extended data read from ".XPM".
#include <gtest/gtest.h>

#include "run/faults.h"
#include "sections/section_context.h"
#include "sections/sections.h"

using namespace orvant;
using namespace orvant::testing;
using namespace sectiontest;

namespace {

std::vector<std::string> From(const std::vector<std::string>& lines, const std::string& heading, size_t skip = 0) {
  for (size_t i = 0; i < lines.size(); ++i)
    if (lines[i] == heading) return std::vector<std::string>(lines.begin() + i + skip, lines.end());
  ADD_FAILURE() << "no line " << heading;
  return {};
}

std::vector<std::string> Take(const std::vector<std::string>& lines, size_t n) {
  return std::vector<std::string>(lines.begin(), lines.begin() + std::min(n, lines.size()));
}

GeometricProperty Geom(const char* prefix, int number, float diam, float wall) {
  GeometricProperty g;
  g.DesignationPrefix = prefix;
  g.DesignationNumber = number;
  g.GeomDiam = diam;
  g.GeomWallThick = wall;
  g.GeomIz = 2e6f;
  g.GeomIy = 1e6f;
  g.GeomJ = 5e4f;
  g.GeomArea = 30;
  g.SectionType = 2;
  g.GeomSz = 4;
  g.GeomSy = 5;
  g.GeomSx = 6;
  return g;
}

const char kLine1Fields[] = "  2.000E+06  1.000E+06  5.000E+04";
const char kLine2[] = "  3.000E+01  4.000E+00  5.000E+00  6.000E+00";

struct GeometricFixture : ::testing::Test {
  SectionContext t;
  void SetUp() override {
    t.s.PhysicalPropertyCount = 6;
    t.Allocate();
    auto& g = t.m.GeometricPropertyTable;
    g[1] = Geom("UB ", 203, 0, 0);
    g[1].StressLz = {0, 1, 2, 3, 4};
    g[1].StressLy = {0, 5, 6, 7, 8};
    g[1].GeomAz = 9;
    g[1].GeomAy = 10;
    g[1].GeomZt = 11;
    g[2] = Geom("   ", 0, 0, 0);
    g[2].StressLz[1] = 5;  // cancels to exactly 0
    g[2].StressLy[1] = -5;
    g[3] = Geom("CHS", 168, 168.3f, 7.11f);
    g[3].StressLz[1] = 1;  // a pipe: not in the stress point table
    g[4] = Geom("USD", 0, 50, 5);
    g[4].GeomZt = 2.5f;
    g[5] = Geom("UB ", 305, 0, 0);  // used by no element
    g[5].StressLz[1] = 3;
    g[6] = Geom("   ", 0, 0, 0);
    // Cancels only in single precision: 1E8 + 1 rounds back to 1E8.
    g[6].StressLz[1] = 1e8f;
    g[6].StressLy[1] = 1;
    g[6].StressLz[2] = -1e8f;
    for (int p : {1, 2, 3, 4}) {
      t.m.TotLength[p] = 10.0f * static_cast<float>(p);
      t.m.TotMass[p] = 120.0f;
    }
    t.m.TotLength[6] = 0.00001f;  // used only by tapered elements
    t.m.TotalMass = 1500;
  }
};

}  // namespace

TEST_F(GeometricFixture, PropertyTableEntriesAndTotalMass) {
  WriteGeometricProperties(t.ctx);
  auto lines = t.Lines();
  std::vector<std::string> expected = {
      "",
      "*** ELEMENT GEOMETRIC PROPERTY TABLE ***",
      "",
      "Code   Designation       Iz         Iy         J        Tot.Mass  Tot.Length    Diam     WallThick",
      "     Type    Area        Sz         Sy        Sx",
      "",
      Cols().At(1, " 1 ").At(7, "UB ").At(10, " 203 ").At(21, kLine1Fields).At(54, "  1.200E+02     10.000"),
      Cols().At(6, " 2 ").At(10, kLine2),
      Cols().At(1, " 2 ").At(7, "USER DEF").At(21, kLine1Fields).At(54, "  1.200E+02     20.000"),
      Cols().At(6, " 2 ").At(10, kLine2),
      // A designated pipe: "PIPE" cannot go back to column 7 and starts a
      // new line there, the numbers following on that line.
      Cols().At(1, " 3 ").At(7, "CHS").At(10, " 168 "),
      Cols().At(7, "PIPE").At(21, kLine1Fields).At(54, "  1.200E+02     30.000   168.3000    7.11000"),
      Cols().At(6, " 2 ").At(10, kLine2),
      Cols().At(1, " 4 ").At(7, "PIPE  USD Prop").At(21, kLine1Fields).At(54, "  1.200E+02     40.000    50.0000    5.00000"),
      Cols().At(6, " 2 ").At(10, kLine2),
      Cols().At(1, " 6 ").At(7, "USER DEF").At(21, kLine1Fields).At(54, "  0.000E+00      0.000"),
      Cols().At(6, " 2 ").At(10, kLine2),
      "",
      "Total Mass =   1.500E+03",
      "",
  };
  EXPECT_EQ(Take(lines, expected.size()), expected);
}

TEST_F(GeometricFixture, StressPointTableSelection) {
  WriteGeometricProperties(t.ctx);
  auto rows = From(t.Lines(), "*** GEOMETRIC STRESS POINT TABLE ");
  std::vector<std::string> expected = {
      "*** GEOMETRIC STRESS POINT TABLE ",
      "",
      "Code          Lz         Lz         Lz         Lz        Az         Zt",
      "No            Ly         Ly         Ly         Ly        Ay",
      "",
      Cols().At(1, " 1 ").At(10, "  1.000E+00  2.000E+00  3.000E+00  4.000E+00  9.000E+00  1.100E+01"),
      Cols().At(10, "  5.000E+00  6.000E+00  7.000E+00  8.000E+00  1.000E+01"),
      Cols().At(1, " 4 ").At(10, "  0.000E+00  0.000E+00  0.000E+00  0.000E+00  0.000E+00  2.500E+00"),
      Cols().At(10, "  0.000E+00  0.000E+00  0.000E+00  0.000E+00  0.000E+00"),
  };
  EXPECT_EQ(rows, expected);
}

namespace {

struct MaterialFixture : ::testing::Test {
  TempDir dir;
  SectionContext t;
  void SetUp() override {
    t.s.ModelPath = dir.path + "/FRAME";
    t.s.PhysicalPropertyCount = 3;
    t.s.MaterialPropertyCount = 2;
    t.Allocate();
    auto& m1 = t.m.MaterialPropertyTable[1];
    m1.MatName = "STEEL   ";
    m1.MatE = 2.1e5f;
    m1.MatG = 8e4f;
    m1.MatDensity = 7.85e-6f;
    m1.MatPoisson = 0.3f;
    m1.MatCoefExp = 1.2e-5f;
    m1.MatYieldStress = 355;
    m1.MatUltimateStress = 510;
    t.m.MaterialPropertyTable[2].MatName = "ALU     ";
    t.m.GeometricPropertyTable[1].DesignationPrefix = "UB ";
    t.m.GeometricPropertyTable[1].DesignationNumber = 203;
    t.m.TotLength[1] = 10;
    t.m.TotLength[3] = 5;
  }
  // Pipework data: code 1 listed, code 2 unused, code 3 cancels to 0;
  // material 1 only thermal points 2 and 5, material 2 only its head.
  Bytes PipeworkData() {
    TestModel model;
    model.physicalPropertyCount = 3;
    model.materialPropertyCount = 2;
    model.pipeworkData.resize(4);
    model.pipeworkData[1].values = {1, 0.5f, 1000, 50, 100, 0, 0};
    model.pipeworkData[2].values = {1, 1, 1, 1, 1, 1, 1};
    model.pipeworkData[3].values = {2, -2, 0, 0, 0, 0, 0};
    model.materialBlocks.resize(3);
    model.materialBlocks[1].points[1] = {20, 1.2e-5f, 2e5f, 150};
    model.materialBlocks[1].points[4] = {100, 1.3e-5f, 1.9e5f, 140};
    model.materialBlocks[2].head = {1, 0.85f, 137, 410};
    return PipeworkDataFile(model);
  }
};

const std::vector<std::string> kMaterialHeading = {
    "", "*** ELEMENT MATERIAL PROPERTY TABLE ***", "",
    "Code    Name      E         G        Dens      Poiss   Co.Exp  Yield Stress  Ultimate", ""};

}  // namespace

TEST_F(MaterialFixture, EveryMaterialCodeAndNoFurtherTablesWithoutXpm) {
  WriteMaterialProperties(t.ctx);
  std::vector<std::string> expected = kMaterialHeading;
  expected.push_back(Cols().At(1, " 1 ").At(6, "STEEL   ").At(14, "  2.100E+05  8.000E+04  7.850E-06 0.300  1.200E-05  3.550E+02  5.100E+02"));
  expected.push_back(Cols().At(1, " 2 ").At(6, "ALU     ").At(14, "  0.000E+00  0.000E+00  0.000E+00 0.000  0.000E+00  0.000E+00  0.000E+00"));
  EXPECT_EQ(t.Lines(), expected);
}

TEST_F(MaterialFixture, PipeworkExtendedDataTables) {
  WriteFile(t.s.ModelPath + ".XPM", PipeworkData());
  WriteMaterialProperties(t.ctx);
  auto lines = From(t.Lines(), "*** GEOMETRIC RELATED PIPEWORK DATA ***", 0);
  std::vector<std::string> expected = {
      "*** GEOMETRIC RELATED PIPEWORK DATA ***",
      "",
      "Code    Name    Corr All   MillTol   ContDen   t-Insul    InsulDen   t-Lining   LiningDen",
      "",
      Cols().At(1, " 1 ").At(7, "UB ").At(10, " 203 ").At(15, "  1.000E+00  5.000E-01  1.000E+03  5.000E+01  1.000E+02  0.000E+00  0.000E+00"),
      "",
      "*** MATERIAL RELATED EXTENDED DATA ***",
      "",
      "Code    Name    PressCoef      QualFact   ColdAllowStress    UTS",
      "",
      Cols().At(1, " 2 ").At(6, "ALU     ").At(16, "    1.000E+00    8.500E-01    1.370E+02    4.100E+02"),
      "",
      "*** MATERIAL - THERMAL DEPENDENT PROPERTIES ***",
      "",
      "Code    Temp Pt     Temp         CoefExp      EMod         Stress",
      "",
      Cols().At(1, " 1 ").At(8, " 2 ").At(16, "    2.000E+01    1.200E-05    2.000E+05    1.500E+02"),
      Cols().At(1, " 1 ").At(8, " 5 ").At(16, "    1.000E+02    1.300E-05    1.900E+05    1.400E+02"),
  };
  EXPECT_EQ(lines, expected);
  // The pipework data follows the last material row directly.
  EXPECT_EQ(t.Lines()[kMaterialHeading.size() + 2], "");
  EXPECT_EQ(t.Lines()[kMaterialHeading.size() + 3], "*** GEOMETRIC RELATED PIPEWORK DATA ***");
}

TEST_F(MaterialFixture, ShortXpmReadsZerosBeyondItsEnd) {
  Bytes data = PipeworkData();
  // Cut inside material 2's third head value: 1 and 0.85 remain.
  data.data.resize(28 * 3 + 256 + 10);
  WriteFile(t.s.ModelPath + ".XPM", data);
  WriteMaterialProperties(t.ctx);
  auto lines = From(t.Lines(), "*** MATERIAL RELATED EXTENDED DATA ***", 4);
  ASSERT_GE(lines.size(), 1u);
  EXPECT_EQ(lines[0], Cols().At(1, " 2 ").At(6, "ALU     ").At(16, "    1.000E+00    8.500E-01    0.000E+00    0.000E+00").line);
  auto thermal = From(t.Lines(), "*** MATERIAL - THERMAL DEPENDENT PROPERTIES ***", 4);
  EXPECT_EQ(thermal.size(), 2u);
}

TEST(PipeworkDataPositions, SixteenBitOverflowStopsTheListing) {
  // Material 129's block would start at 28 + 1 + 256 x 128 = 32797.
  TempDir dir;
  SectionContext t;
  t.s.ModelPath = dir.path + "/FRAME";
  t.s.PhysicalPropertyCount = 1;
  t.s.MaterialPropertyCount = 129;
  t.Allocate();
  Bytes data;
  for (int i = 0; i < 7; ++i) data.F32(0);
  for (int m = 1; m <= 129; ++m) {
    float head = (m == 1 || m == 128 || m == 129) ? 1.0f : 0.0f;
    data.F32(head).F32(0).F32(0).F32(0);
    for (int i = 0; i < 60; ++i) data.F32(head);
  }
  WriteFile(t.s.ModelPath + ".XPM", data);
  EXPECT_THROW(WritePipeworkData(t.ctx), RunFault);
  auto rows = From(t.Lines(), "*** MATERIAL RELATED EXTENDED DATA ***", 4);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(Slice(rows[0], 1, 3), " 1 ");
  EXPECT_EQ(Slice(rows[1], 1, 5), " 128 ");
  EXPECT_EQ(t.ctx.listing.buffer.find("THERMAL"), std::string::npos);
}
