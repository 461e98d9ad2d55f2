// Model loading beyond what the example exercises, the totals and group set files.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "model/geometry.h"
#include "run/run_context.h"
#include "settings/settings_inputs.h"
#include "support/model_builder.h"

using namespace orvant;
using namespace orvant::testing;
using Ints = std::vector<int>;
using Floats = std::vector<float>;

namespace {

// Writes the model's files, lets the caller damage them, then loads.
struct Loaded {
  TempDir dir;
  std::unique_ptr<RunContext> owned = std::make_unique<RunContext>();
  RunContext& ctx = *owned;
  ModelTables& m = owned->model;
  std::string Path(const std::string& extension) const { return dir.path + "/FRAME" + extension; }
  void Cut(const std::string& extension, size_t keep) {
    WriteFile(Path(extension), ReadFileText(Path(extension)).substr(0, keep));
  }
  explicit Loaded(const TestModel& model, const std::function<void(Loaded&)>& damage = {}) {
    WriteModelFiles(model, dir.path);
    if (damage) damage(*this);
    ReadModelSize(ctx.settings, ModelSizeText(model), "FRAME.XSZ");
    ctx.settings.ModelPath = Path("");
    AllocateModelTables(ctx.settings, m);
    LoadGeometry(ctx.settings, ctx.model, ctx.files);
  }
};

TestModel FiveNodesTwoDefined() {
  TestModel model;
  model.nodes.resize(6, NodeRec{false});
  model.nodes[2] = NodeRec{true, 10, 20, 30, 4, {1, 2, 3}};
  model.nodes[4] = NodeRec{true, 4, 5, 6, 0, {99, 98, 97}};  // system 0: the global coordinates count
  model.restraints = {{4, {1, 1, 1, 0, 0, 1}}};
  return model;
}

}  // namespace

TEST(GeometryLoader, SolidsAndLengthsWithoutXco) {
  TestModel model = FiveNodesTwoDefined();
  ElementRec tet, plain;
  tet.solidType = 4, tet.solidNodes = {11, 12, 13, 14};
  plain.type = 21, plain.co = 3, plain.bendRadius = 152.4f;  // lost: no ".XCO"
  model.elements = {ElementRec{}, tet, plain};
  for (size_t e = 1; e <= 2; ++e) model.elements[e].length = 100.0f * static_cast<float>(e);
  model.springConsts.push_back(SpringConstRec{0, {}, 4});
  model.ic = {{1, 2, 3, 4, 5, 6, 7}};
  model.writeXco = false;
  Loaded t(model);
  const ModelTables& m = t.m;
  EXPECT_EQ(Ints({m.ElemType[2], m.ElemCoCode[2], m.SpringCo[1], m.IcPropertyCount, m.SolidNodeCount[1],
                  m.SolidNodes[1][4], m.SolidNodes[1][5], m.SolidElemType[2]}),
            Ints({0, 0, 0, 0, 4, 14, 0, 0}));
  // Lengths: the first value of each record.
  EXPECT_EQ(Floats({m.ElemLength[1], m.ElemLength[2], m.ElemBendRadius[2]}), Floats({100, 200, 0}));
}

TEST(GeometryLoader, OldSpringConstantFormWithoutMarker) {
  TestModel model;
  model.springMarkerForm = false;
  model.springConsts = {SpringConstRec{}, {2, {5, 2, 3, 4, 5, 6}, 0}, {3, {7, 8, 9, 10, 11, 12}, 0}};
  Loaded t(model);
  EXPECT_EQ(t.m.SpringK[1], (std::array<float, 7>{0, 5, 2, 3, 4, 5, 6}));
  EXPECT_EQ(t.m.SpringK[2], (std::array<float, 7>{0, 7, 8, 9, 10, 11, 12}));
  EXPECT_EQ(Ints({t.m.SpringKind[1], t.m.SpringKind[2]}), Ints({0, 0}));  // no kinds in the old form
}

// Each label maximum and count of the model size file may be 0, not below; nor so high that a table overflows.
TEST(GeometryLoader, NegativeMaximaAndCountsRefused) {
  for (int16_t RunSettings::*field : {&RunSettings::MaxElementLabel, &RunSettings::MaxSpringLabel, &RunSettings::MaxNodeLabel,
                                      &RunSettings::RestrainedNodeCount, &RunSettings::PhysicalPropertyCount,
                                      &RunSettings::MaterialPropertyCount, &RunSettings::SpringPropertyCount}) {
    RunSettings s;
    ModelTables m;
    EXPECT_NO_THROW((s.*field = 0, AllocateModelTables(s, m)));
    EXPECT_THROW((s.*field = -1, AllocateModelTables(s, m)), RunFault);
  }
  RunSettings s;  // the restraint table has entries 0 to the count: not 32768 of them
  ModelTables m;
  EXPECT_THROW((s.RestrainedNodeCount = 32767, AllocateModelTables(s, m)), RunFault);
}

TEST(GeometryLoader, ValuesPastTheEndOfTruncatedFilesReadAsZero) {
  TestModel model = FiveNodesTwoDefined();
  for (int e = 1; e <= 3; ++e) model.AddElement(2, 4, 0, 0, 10.0f * e), model.elements.back().rotation = 5.0f * e;
  model.springs.push_back({2, 4, 15, 1, 1, 1, 1});
  Loaded t(model, [](Loaded& l) {
    l.Cut(".XYZ", 14 * 3 + 5);  // node 4's record cut short
    l.Cut(".XEC", 28 + 12);     // element 2's rotation cut in half
    l.Cut(".XE1", 48 + 2);      // element 2's length cut
    l.Cut(".XZY", 803);         // inside node 2's definition record
  });
  const ModelTables& m = t.m;
  EXPECT_EQ(Ints({m.NodeExists[2], m.NodeExists[4], m.RestraintTable[1].RestrainedNode, m.ElemNode2[2],
                  m.ElemNode1[3], m.ElemNode1[4], m.NodeCoordSystem[2], static_cast<int>(m.ConnectivityFile.offsetsStart)}),
            Ints({1, 1, 0, 4, 0, 0, 4, 40}));
  EXPECT_EQ(Floats({m.NodeX[2], m.NodeX[4], m.ElemRotation[1], m.ElemRotation[2], m.ElemLength[1], m.ElemLength[2],
                    m.NodeDefCoords[2][0], m.NodeDefCoords[2][2]}),
            Floats({10, 0, 5, 0, 10, 0, 0, 0}));
}

TEST(GeometryTotals, SinglePrecisionSumsAndTaperedElementsMarkingTheirCodes) {
  TestModel model;
  model.geoms.resize(4), model.mats.resize(2);
  model.geoms[1].area = 2, model.geoms[2].area = 3, model.geoms[3].area = 5, model.mats[1].density = 0.5f;
  for (float length : {16777216.0f, 1.0f, 1.0f}) model.AddElement(0, 0, 1, 1, length);  // 2^24 + 1 is 2^24
  model.AddElement(0, 0, 2, 1, 4), model.elements.back().taper = -3;  // area (3 + 5) / 2, in no code's totals
  model.AddElement(0, 0, 0, 1, 9);                                     // no code: no mass
  Loaded t(model);
  const ModelTables& m = t.m;
  EXPECT_EQ(Floats({m.TotLength[1], m.TotLength[2], m.TotLength[3], m.TotMass[1], m.TotMass[2], m.TotMass[3]}),
            Floats({16777216, 0.00001f, 0.00001f, 16777216, 0, 0}));
  EXPECT_EQ(m.TotalMass, 16777224.0f);  // 2^24, two ones lost, then 4 x 4 x 0.5
}

namespace {

// Reads group set file "B.G" + set into a model of 10 nodes, 40 elements and 3 springs.
std::unique_ptr<RunContext> GroupSet(const TempDir& dir, const std::string& set, const char* content) {
  auto ctx = std::make_unique<RunContext>();
  RunSettings& s = ctx->settings;
  s.MaxNodeLabel = 10, s.MaxElementLabel = 40, s.MaxSpringLabel = 3;
  s.ActiveGroupSet = set, s.GroupSetDescription = "unchanged";
  AllocateModelTables(s, ctx->model);
  if (content) WriteFile(dir.path + "/B.G" + set, std::string(content));
  ReadFoundGroupSet(s, ctx->model, FindGroupSet(ctx->files, dir.path + "/B.G" + set), 10, 40);
  return ctx;
}

}  // namespace

// Labels beyond their limits and failing files: the damaged model's table.
TEST(GroupSet, TriplesByKindAndBareExtension) {
  TempDir dir;
  auto ctx = GroupSet(dir, "3",
                      "\"Piers and deck\"\r\n1,5,2\r\n2,3,7\r\n"
                      "3,2,5\r\n"   // spring/couple 2 -> 40 + 2
                      "1,5,4\r\n"   // a later entry replaces an earlier one
                      "4,1,8\r\n"   // other kinds are ignored
                      "2,10,-3\r\n");
  const ModelTables& m = ctx->model;
  EXPECT_EQ(ctx->settings.ActiveGroupSet + "|" + ctx->settings.GroupSetDescription, "3|Piers and deck");
  EXPECT_EQ(Ints({m.ElementGroup[5], m.ElementGroup[42], m.ElementGroup[2], m.NodeGroup[3], m.NodeGroup[1],
                  m.NodeGroup[10]}), Ints({4, 5, 0, 7, 0, -3}));
  auto bare = GroupSet(dir, "", "\"Bare\",2,4,1\r\n");
  EXPECT_EQ(bare->settings.GroupSetDescription + std::to_string(bare->model.NodeGroup[4]), "Bare1");
}
