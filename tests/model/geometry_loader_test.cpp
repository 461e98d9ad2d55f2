// Geometry loading: node records only for defined nodes, global
// coordinates for system 0, springs to ground, the optional ".XCO",
// variable-length solid records, both spring constant forms, lengths by
// position, truncated and missing files.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "model/geometry.h"
#include "run/faults.h"
#include "run/run_context.h"
#include "support/model_builder.h"

using namespace orvant;
using namespace orvant::testing;

namespace {

struct Loaded {
  TempDir dir;
  std::unique_ptr<RunContext> owned = std::make_unique<RunContext>();
  RunContext& ctx = *owned;
  ModelTables& m = owned->model;

  std::string Path(const std::string& extension) const { return dir.path + "/FRAME" + extension; }

  // Writes the model's files, lets the caller damage them, then loads.
  template <class Damage>
  void Load(const TestModel& model, Damage damage) {
    WriteModelFiles(model, dir.path);
    damage(*this);
    RunSettings& s = ctx.settings;
    s.ModelPath = dir.path + "/FRAME";
    s.MaxNodeLabel = static_cast<int16_t>(model.MaxNode());
    s.MaxElementLabel = static_cast<int16_t>(model.MaxElement());
    s.MaxSpringLabel = static_cast<int16_t>(model.MaxSpring());
    s.RestrainedNodeCount = static_cast<int16_t>(model.Restrained());
    s.PhysicalPropertyCount = static_cast<int16_t>(model.GeomCount());
    s.MaterialPropertyCount = static_cast<int16_t>(model.MatCount());
    s.SpringPropertyCount = static_cast<int16_t>(model.SpringCodeCount());
    AllocateModelTables(s, m);
    LoadGeometry(ctx);
  }
  void Load(const TestModel& model) {
    Load(model, [](Loaded&) {});
  }
};

std::string Cut(const std::string& path, size_t keep) {
  std::string bytes = ReadFileText(path);
  bytes.resize(keep);
  WriteFile(path, bytes);
  return bytes;
}

TestModel FiveNodesTwoDefined() {
  TestModel model;
  model.nodes.resize(6, NodeRec{false});
  NodeRec two;
  two.x = 10, two.y = 20, two.z = 30;
  two.system = 4;
  two.def = {1, 2, 3};
  NodeRec four;
  four.x = 4, four.y = 5, four.z = 6;
  four.system = 0;
  four.def = {99, 98, 97};  // ignored: system 0 takes the global ones
  model.nodes[2] = two;
  model.nodes[4] = four;
  model.coordSystems[4] = {1, 100, 0, 0, 0, 0, 90, 7, 8, 1};
  model.coordSystems[20] = {2, 5, 6, 7, 0, 0, 0, 0, 0, 2};
  model.restraints = {{4, {1, 1, 1, 0, 0, 1}}, {2, {0, 0, 0, 1, 1, 1}}};
  return model;
}

}  // namespace

TEST(GeometryNodes, RecordsOnlyForDefinedNodesAndSystemZeroTakesGlobals) {
  Loaded t;
  t.Load(FiveNodesTwoDefined());
  EXPECT_EQ(ReadFileText(t.Path(".XZY")).size(), 800u + 2 * 14);

  EXPECT_EQ(t.m.NodeExists[2], 1);
  EXPECT_EQ(t.m.NodeExists[3], 0);
  EXPECT_EQ(t.m.NodeCoordSystem[2], 4);
  EXPECT_EQ(t.m.NodeDefCoords[2], (std::array<float, 3>{1, 2, 3}));
  EXPECT_EQ(t.m.NodeX[2], 10.0f);
  EXPECT_EQ(t.m.NodeZ[2], 30.0f);
  // Node 4's record is the second one: defined in system 0, so its
  // definition coordinates are its global ones.
  EXPECT_EQ(t.m.NodeCoordSystem[4], 0);
  EXPECT_EQ(t.m.NodeDefCoords[4], (std::array<float, 3>{4, 5, 6}));
  EXPECT_EQ(t.m.NodeDefCoords[5], (std::array<float, 3>{0, 0, 0}));

  EXPECT_EQ(t.m.CoordSystemTable[4][1], 100.0f);
  EXPECT_EQ(t.m.CoordSystemTable[4][9], 1.0f);
  EXPECT_EQ(t.m.CoordSystemTable[20][3], 7.0f);
  EXPECT_EQ(t.m.CoordSystemTable[20][9], 2.0f);
  EXPECT_EQ(t.m.CoordSystemTable[0][9], 0.0f);

  EXPECT_EQ(t.m.RestraintTable[1].RestrainedNode, 4);
  EXPECT_EQ(t.m.RestraintTable[1].Codes, (std::array<int16_t, 7>{0, 1, 1, 1, 0, 0, 1}));
  EXPECT_EQ(t.m.RestraintTable[2].RestrainedNode, 2);
  EXPECT_EQ(t.m.RestraintTable[2].Codes[6], 1);
}

TEST(GeometryConnectivity, ElementsSpringsToGroundAndOffsetPosition) {
  TestModel model;
  ElementRec e;
  e.n1 = 1, e.n2 = 2, e.n3 = 3;
  e.rotation = 45;
  e.geom = 2, e.mat = 3, e.releaseZ = 4, e.releaseY = 5, e.taper = -6, e.pipework = 0;
  model.elements.push_back(e);
  e.pipework = 1;
  model.elements.push_back(e);
  model.springs.push_back({7, 7, 30, 1, 2, 3, 0});   // to ground, not defined: cleared
  model.springs.push_back({7, 7, 30, 1, 2, 3, 1});   // to ground, defined: kept, rotation 0
  model.springs.push_back({3, 4, 30, 9, 8, 7, 0});   // between nodes: as stored
  model.offsets.push_back(OffsetRec{1});
  model.geoms.resize(7);
  model.mats.resize(4);
  Loaded t;
  t.Load(model);

  EXPECT_EQ(t.m.ElemNode3[1], 3);
  EXPECT_EQ(t.m.ElemRotation[1], 45.0f);
  EXPECT_EQ(t.m.ElemMatCode[2], 3);
  EXPECT_EQ(t.m.ElemReleaseY[2], 5);
  EXPECT_EQ(t.m.ElemTaperCode[2], -6);
  EXPECT_EQ(t.m.ElemPipeworkFlag[1], 0);
  EXPECT_EQ(t.m.PipeworkPresent, 1);

  EXPECT_EQ(t.m.ElemNode1[3], 0);
  EXPECT_EQ(t.m.ElemNode2[3], 0);
  EXPECT_EQ(t.m.SpringRotation[1], 0.0f);
  EXPECT_EQ(t.m.ElemNode1[4], 7);
  EXPECT_EQ(t.m.ElemNode2[4], 7);
  EXPECT_EQ(t.m.SpringRotation[2], 0.0f);
  EXPECT_EQ(t.m.ElemNode1[5], 3);
  EXPECT_EQ(t.m.SpringRotation[3], 30.0f);
  EXPECT_EQ(t.m.SpringRefElement[3], 9);
  EXPECT_EQ(t.m.SpringPropCode[3], 8);
  EXPECT_EQ(t.m.SpringCoordSystem[3], 7);
  // Spring data stays out of the element-only tables.
  EXPECT_EQ(t.m.ElemRotation.MaxIndex(), 3);

  // The connectivity file is kept with its offset records, positioned after
  // the 2 + 3 loader records.
  EXPECT_EQ(t.m.ConnectivityFile.position, 5u * 28);
  EXPECT_EQ(t.m.ConnectivityFile.bytes.size(), 5u * 28 + 32);
}

TEST(GeometryElementTypes, OptionalFileFillsTypesConstantsAndSpringCo) {
  TestModel model;
  ElementRec e;
  e.type = 21, e.co = 3, e.bendRadius = 152.4f;
  model.elements.push_back(ElementRec{});
  model.elements.push_back(e);
  model.ic = {{1, 2, 3, 4, 5, 6, 7}, {-1, -2, -3, -4, -5, -6, -7}};
  RcRec rc;
  rc.x = {0, 1, 2, 3, 4, 5, 6};
  rc.y = {10, 11, 12, 13, 14, 15, 16};
  model.rc = {rc};
  model.springConsts = {SpringConstRec{}, SpringConstRec{0, {}, 4}, SpringConstRec{0, {}, 9}};

  Loaded with;
  with.Load(model);
  EXPECT_EQ(with.m.ElemType[2], 21);
  EXPECT_EQ(with.m.ElemCoCode[2], 3);
  EXPECT_EQ(with.m.ElemBendRadius[2], 152.4f);
  EXPECT_EQ(with.m.ElemType[1], 0);
  EXPECT_EQ(with.m.IcPropertyCount, 2);
  EXPECT_EQ(with.m.IcConstantTable[2][6], -7);
  EXPECT_EQ(with.m.RcPropertyCount, 1);
  EXPECT_EQ(with.m.RcConstantX[1][6], 6.0f);
  EXPECT_EQ(with.m.RcConstantY[1][0], 10.0f);
  EXPECT_EQ(with.m.SpringCo[1], 4);
  EXPECT_EQ(with.m.SpringCo[2], 9);

  model.writeXco = false;
  Loaded without;
  without.Load(model);
  EXPECT_EQ(without.m.ElemType[2], 0);
  EXPECT_EQ(without.m.ElemCoCode[2], 0);
  EXPECT_EQ(without.m.ElemBendRadius[2], 0.0f);
  EXPECT_EQ(without.m.SpringCo[2], 0);
  EXPECT_EQ(without.m.IcPropertyCount, 0);
  EXPECT_EQ(without.m.RcPropertyCount, 0);
  EXPECT_EQ(without.m.IcConstantTable.MaxIndex(), 0);
  EXPECT_EQ(without.m.RcConstantX.MaxIndex(), 0);
}

TEST(GeometrySolids, VariableLengthRecordsAndTooManyNodes) {
  TestModel model;
  ElementRec brick;
  brick.solidType = 8;
  brick.solidNodes = {1, 2, 3, 4, 5, 6, 7, 8};
  ElementRec tet;
  tet.solidType = 4;
  tet.solidNodes = {11, 12, 13, 14};
  model.elements = {ElementRec{}, tet, ElementRec{}, brick};
  Loaded t;
  t.Load(model);
  EXPECT_EQ(t.m.SolidElemType[1], 4);
  EXPECT_EQ(t.m.SolidNodeCount[1], 4);
  EXPECT_EQ(t.m.SolidNodes[1][4], 14);
  EXPECT_EQ(t.m.SolidNodes[1][5], 0);
  EXPECT_EQ(t.m.SolidElemType[2], 0);
  EXPECT_EQ(t.m.SolidNodeCount[2], 0);
  EXPECT_EQ(t.m.SolidNodeCount[3], 8);
  EXPECT_EQ(t.m.SolidNodes[3][1], 1);
  EXPECT_EQ(t.m.SolidNodes[3][8], 8);

  model.elements[3].solidNodes.push_back(9);
  Loaded nine;
  EXPECT_THROW(nine.Load(model), IndexFault);
}

TEST(GeometryProperties, RecordsAndBothSpringConstantForms) {
  TestModel model;
  GeomRec g;
  g.prefix = "UB ";
  g.number = 305102;
  g.area = 12.5f, g.iy = 1, g.iz = 2, g.j = 3, g.diam = 0, g.wall = 0;
  g.lz = {1, 2, 3, 4};
  g.ly = {5, 6, 7, 8};
  g.az = 9, g.ay = 10, g.zt = 11, g.sectionType = 3, g.sz = 12, g.sy = 13, g.sx = 14;
  model.geoms.push_back(GeomRec{});
  model.geoms.push_back(g);
  MatRec mat;
  mat.e = 205000, mat.density = 7.85e-9f, mat.ultimate = 430, mat.name = "S275";
  model.mats.push_back(mat);
  SpringConstRec k1{2, {1, 2, 3, 4, 5, 6}, 0};
  SpringConstRec k2{3, {7, 8, 9, 10, 11, 12}, 0};
  model.springConsts = {SpringConstRec{}, k1, k2};

  Loaded marked;
  marked.Load(model);
  const GeometricProperty& p = marked.m.GeometricPropertyTable[2];
  EXPECT_EQ(p.DesignationPrefix, "UB ");
  EXPECT_EQ(p.DesignationNumber, 305102);
  EXPECT_EQ(p.GeomArea, 12.5f);
  EXPECT_EQ(p.StressLz[4], 4.0f);
  EXPECT_EQ(p.StressLy[1], 5.0f);
  EXPECT_EQ(p.GeomZt, 11.0f);
  EXPECT_EQ(p.SectionType, 3);
  EXPECT_EQ(p.GeomSx, 14.0f);
  EXPECT_EQ(marked.m.MaterialPropertyTable[1].MatUltimateStress, 430.0f);
  EXPECT_EQ(marked.m.MaterialPropertyTable[1].MatName, "S275    ");
  EXPECT_EQ(marked.m.SpringKind[1], 2);
  EXPECT_EQ(marked.m.SpringKind[2], 3);
  EXPECT_EQ(marked.m.SpringK[1], (std::array<float, 7>{0, 1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(marked.m.SpringK[2][6], 12.0f);

  // Old form: no marker, the first value is K1 of code 1; kinds stay 0.
  model.springMarkerForm = false;
  model.springConsts[1].k[0] = 5.0f;
  Loaded old;
  old.Load(model);
  EXPECT_EQ(old.m.SpringK[1], (std::array<float, 7>{0, 5, 2, 3, 4, 5, 6}));
  EXPECT_EQ(old.m.SpringK[2], (std::array<float, 7>{0, 7, 8, 9, 10, 11, 12}));
  EXPECT_EQ(old.m.SpringKind[1], 0);
  EXPECT_EQ(old.m.SpringKind[2], 0);

  // Old form without spring codes: the first value has no place.
  model.springConsts = {SpringConstRec{}};
  Loaded none;
  EXPECT_THROW(none.Load(model), IndexFault);
  model.springMarkerForm = true;
  Loaded noneMarked;
  EXPECT_NO_THROW(noneMarked.Load(model));
}

TEST(GeometryLengths, FirstValueOfEach48ByteRecord) {
  TestModel model;
  model.elements.resize(5);
  Loaded t;
  t.Load(model, [](Loaded& l) {
    Bytes b;
    for (int e = 1; e <= 4; ++e)
      for (int i = 0; i < 12; ++i) b.F32(i == 0 ? 100.0f * e : 1000.0f * e + i);
    WriteFile(l.Path(".XE1"), b);
  });
  ASSERT_EQ(t.ctx.settings.MaxElementLabel, 4);
  EXPECT_EQ(t.m.ElemLength[1], 100.0f);
  EXPECT_EQ(t.m.ElemLength[3], 300.0f);  // the value at byte 96
  EXPECT_EQ(t.m.ElemLength[4], 400.0f);
}

TEST(GeometryTruncated, ValuesPastTheEndReadAsZero) {
  TestModel model = FiveNodesTwoDefined();
  for (int e = 1; e <= 3; ++e) {
    model.AddElement(2, 4, 0, 0, 10.0f * e);
    model.elements.back().rotation = 5.0f * e;
  }
  model.springs.push_back({2, 4, 15, 1, 1, 1, 1});
  Loaded t;
  t.Load(model, [](Loaded& l) {
    Cut(l.Path(".XYZ"), 14 * 3 + 5);       // node 4's record cut short
    Cut(l.Path(".XEC"), 28 + 12);          // element 2's rotation cut in half
    Cut(l.Path(".XE1"), 48 + 2);           // element 2's length cut
    Cut(l.Path(".XZY"), 803);              // inside the first node record
  });
  EXPECT_EQ(t.m.NodeExists[2], 1);
  EXPECT_EQ(t.m.NodeX[2], 10.0f);
  EXPECT_EQ(t.m.NodeExists[4], 1);
  EXPECT_EQ(t.m.NodeX[4], 0.0f);
  EXPECT_EQ(t.m.RestraintTable[1].RestrainedNode, 0);
  EXPECT_EQ(t.m.ElemRotation[1], 5.0f);
  EXPECT_EQ(t.m.ElemNode2[2], 4);
  EXPECT_EQ(t.m.ElemRotation[2], 0.0f);
  EXPECT_EQ(t.m.ElemNode1[3], 0);
  EXPECT_EQ(t.m.ElemNode1[4], 0);  // the spring record is gone
  EXPECT_EQ(t.m.ConnectivityFile.position, 40u);
  EXPECT_EQ(t.m.ElemLength[1], 10.0f);
  EXPECT_EQ(t.m.ElemLength[2], 0.0f);
  // Node 2's definition record is cut after its system number.
  EXPECT_EQ(t.m.NodeCoordSystem[2], 4);
  EXPECT_EQ(t.m.NodeDefCoords[2], (std::array<float, 3>{0, 0, 0}));
}

TEST(GeometryStartUp, MissingOrUnusableFilesEndStartUpWithoutListing) {
  struct Case {
    const char* what;
    void (*damage)(TestInstall&);
  };
  const Case cases[] = {
      {"missing .XYZ", [](TestInstall& i) { ::unlink(i.ModelFile(".XYZ").c_str()); }},
      {"missing .XZY", [](TestInstall& i) { ::unlink(i.ModelFile(".XZY").c_str()); }},
      {"missing .XEC", [](TestInstall& i) { ::unlink(i.ModelFile(".XEC").c_str()); }},
      {"missing .XEN", [](TestInstall& i) { ::unlink(i.ModelFile(".XEN").c_str()); }},
      {"missing .XE1", [](TestInstall& i) { ::unlink(i.ModelFile(".XE1").c_str()); }},
      {"solid with nine nodes",
       [](TestInstall& i) { i.WriteModelBytes(".XEN", Bytes().I16(8).I16(9).I16(1).I16(2)); }},
      {".XEL cut before its spring part, no spring codes",
       [](TestInstall& i) { Cut(i.ModelFile(".XEL"), 89 + 36); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TestInstall install;
    TestModel model;
    model.AddNode(0, 0, 0);
    model.AddNode(1, 0, 0);
    model.AddElement(1, 2, 1, 1, 1.0f);
    model.geoms.push_back(GeomRec{});
    model.mats.push_back(MatRec{});
    install.WriteModel(model);
    c.damage(install);
    RunResult r = RunInProcess(install, {"1/"});
    EXPECT_EQ(r.status, 2);
    EXPECT_FALSE(PathExists(install.ModelFile(".MTM")));
  }
}

TEST(GeometryStartUp, TruncatedFilesStillGiveAListing) {
  TestInstall install;
  TestModel model;
  for (int n = 0; n < 4; ++n) model.AddNode(static_cast<float>(n), 0, 0);
  for (int e = 1; e <= 3; ++e) model.AddElement(e, e + 1, 1, 1, 2.0f);
  model.geoms.push_back(GeomRec{});
  model.mats.push_back(MatRec{});
  model.springConsts.push_back(SpringConstRec{});
  install.WriteModel(model);
  Cut(install.ModelFile(".XYZ"), 20);
  Cut(install.ModelFile(".XEC"), 30);
  Cut(install.ModelFile(".XEL"), 50);
  Cut(install.ModelFile(".XCO"), 3);
  Cut(install.ModelFile(".XE1"), 0);
  RunResult r = RunInProcess(install, {"1/"});
  EXPECT_EQ(r.status, 0) << r.stderrText;
  EXPECT_TRUE(PathExists(install.ModelFile(".MTM")));
}

// The totals, computed as the code-by-element double loop does them.
namespace {

struct Reference {
  std::vector<float> totLength, totMass;
  float totalMass = 0;
};

Reference DoubleLoop(const RunSettings& s, const ModelTables& m) {
  Reference r;
  r.totLength.assign(static_cast<size_t>(s.PhysicalPropertyCount) + 1, 0.0f);
  r.totMass.assign(r.totLength.size(), 0.0f);
  for (int p = 1; p <= s.PhysicalPropertyCount; ++p)
    for (int e = 1; e <= s.MaxElementLabel; ++e)
      if (m.ElemGeomCode[e] == p && m.ElemTaperCode[e] == 0) {
        r.totLength[p] = r.totLength[p] + m.ElemLength[e];
        float mass = m.ElemLength[e] * m.GeometricPropertyTable[p].GeomArea;
        mass = mass * m.MaterialPropertyTable[m.ElemMatCode[e]].MatDensity;
        r.totMass[p] = r.totMass[p] + mass;
      }
  for (int e = 1; e <= s.MaxElementLabel; ++e) {
    int g = m.ElemGeomCode[e];
    if (g <= 0) continue;
    float a;
    if (m.ElemTaperCode[e] == 0) {
      a = m.GeometricPropertyTable[g].GeomArea;
    } else {
      int t = std::abs(m.ElemTaperCode[e]);
      a = (m.GeometricPropertyTable[t].GeomArea + m.GeometricPropertyTable[g].GeomArea) / 2.0f;
      if (r.totLength[g] == 0.0f) r.totLength[g] = 0.00001f;
      r.totLength[t] = r.totLength[t] + 0.00001f;
    }
    float mass = a * m.ElemLength[e];
    mass = mass * m.MaterialPropertyTable[m.ElemMatCode[e]].MatDensity;
    r.totalMass = r.totalMass + mass;
  }
  return r;
}

struct TotalsModel {
  RunSettings s;
  ModelTables m;
  TotalsModel(int elements, int codes, int materials) {
    s.MaxElementLabel = static_cast<int16_t>(elements);
    s.PhysicalPropertyCount = static_cast<int16_t>(codes);
    s.MaterialPropertyCount = static_cast<int16_t>(materials);
    AllocateModelTables(s, m);
  }
  void Element(int e, int geom, int taper, int mat, float length) {
    m.ElemGeomCode[e] = static_cast<int16_t>(geom);
    m.ElemTaperCode[e] = static_cast<int16_t>(taper);
    m.ElemMatCode[e] = static_cast<int16_t>(mat);
    m.ElemLength[e] = length;
  }
};

}  // namespace

TEST(GeometryTotals, SameSinglePrecisionResultsAsTheCodeByElementLoop) {
  TotalsModel t(3000, 40, 5);
  uint32_t seed = 12345;
  auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
  for (int p = 1; p <= 40; ++p) t.m.GeometricPropertyTable[p].GeomArea = static_cast<float>(next() % 100000) / 7.0f;
  for (int c = 1; c <= 5; ++c) t.m.MaterialPropertyTable[c].MatDensity = static_cast<float>(next() % 1000) * 1.3e-9f;
  for (int e = 1; e <= 3000; ++e) {
    int geom = static_cast<int>(next() % 43) - 2;  // some 0 and negative codes
    int taper = next() % 5 == 0 ? static_cast<int>(next() % 81) - 40 : 0;
    if (geom <= 0) taper = 0;
    t.Element(e, geom, taper, 1 + static_cast<int>(next() % 5), static_cast<float>(next() % 1000000) / 3.0f);
  }
  Reference ref = DoubleLoop(t.s, t.m);
  ComputeTotals(t.s, t.m);
  for (int p = 1; p <= 40; ++p) {
    SCOPED_TRACE(p);
    EXPECT_EQ(t.m.TotLength[p], ref.totLength[static_cast<size_t>(p)]);
    EXPECT_EQ(t.m.TotMass[p], ref.totMass[static_cast<size_t>(p)]);
  }
  EXPECT_EQ(t.m.TotalMass, ref.totalMass);
}

TEST(GeometryTotals, TaperedElementsMarkBothCodesButAddMassOnlyToTheTotal) {
  TotalsModel t(4, 4, 1);
  for (int p = 1; p <= 4; ++p) t.m.GeometricPropertyTable[p].GeomArea = 10.0f * p;
  t.m.MaterialPropertyTable[1].MatDensity = 2.0f;
  t.Element(1, 1, 0, 1, 3.0f);   // uniform, code 1
  t.Element(2, 1, -2, 1, 4.0f);  // tapered 1 -> 2: code 1 already used
  t.Element(3, 3, 2, 1, 5.0f);   // tapered 3 -> 2: code 3 used only here
  t.Element(4, 0, 0, 1, 99.0f);  // no code: no mass
  ComputeTotals(t.s, t.m);
  EXPECT_EQ(t.m.TotLength[1], 3.0f);
  EXPECT_EQ(t.m.TotMass[1], 60.0f);
  EXPECT_EQ(t.m.TotLength[2], 0.00001f + 0.00001f);
  EXPECT_EQ(t.m.TotMass[2], 0.0f);
  EXPECT_EQ(t.m.TotLength[3], 0.00001f);
  EXPECT_EQ(t.m.TotMass[3], 0.0f);
  EXPECT_EQ(t.m.TotLength[4], 0.0f);
  // 10*3*2 + 15*4*2 + 25*5*2
  EXPECT_EQ(t.m.TotalMass, 60.0f + 120.0f + 250.0f);
}

TEST(GeometryTotals, CodesOutsideTheirTablesFail) {
  {
    TotalsModel t(1, 2, 1);
    t.Element(1, 3, 0, 1, 1.0f);
    EXPECT_THROW(ComputeTotals(t.s, t.m), IndexFault);
  }
  {
    TotalsModel t(1, 2, 1);
    t.Element(1, 1, 0, 2, 1.0f);
    EXPECT_THROW(ComputeTotals(t.s, t.m), IndexFault);
  }
  {
    TotalsModel t(1, 2, 1);
    t.Element(1, 1, -3, 1, 1.0f);
    EXPECT_THROW(ComputeTotals(t.s, t.m), IndexFault);
  }
  {
    TotalsModel t(2, 1, 1);
    t.m.GeometricPropertyTable[1].GeomArea = 3e38f;
    t.m.MaterialPropertyTable[1].MatDensity = 1.0f;
    t.Element(1, 1, 0, 1, 2.0f);
    EXPECT_THROW(ComputeTotals(t.s, t.m), RunFault);
  }
}
