// The model data sections inside a whole run: brief mode (field 12 "-"),
// and failures inside them ending the listing with or without the message.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/model_builder.h"

using namespace orvant::testing;

namespace {

const std::string kRule(105, '=');

TestModel PipeworkModel() {
  TestModel m;
  for (int i = 0; i < 4; ++i) m.AddNode(static_cast<float>(i), 0, 0);
  int e1 = m.AddElement(1, 2, 1, 1, 2.0f);
  m.elements[static_cast<size_t>(e1)].pipework = 1;
  int e2 = m.AddElement(0, 0, 1, 1, 0.0f);
  m.elements[static_cast<size_t>(e2)].solidType = 8;
  m.elements[static_cast<size_t>(e2)].solidNodes = {1, 2, 3, 4};
  SpringRec spring;
  spring.n1 = 3;
  spring.n2 = 4;
  spring.propCode = 1;
  m.springs.push_back(spring);
  RestraintRec r;
  r.node = 1;
  r.codes = {1, 1, 1, 1, 1, 1};
  m.restraints.push_back(r);
  GeomRec g;
  g.diam = 100;
  g.wall = 5;
  g.area = 1;
  m.geoms.push_back(g);
  MatRec mat;
  mat.name = "STEEL";
  mat.density = 1;
  m.mats.push_back(mat);
  m.springConsts.push_back(SpringConstRec{});
  m.ic.push_back({1, 2, 3, 4, 5, 6, 7});
  OffsetRec off;
  off.element = 1;
  off.o1 = {1.5f, 0, 0};
  m.offsets.push_back(off);
  PipeRec pipe;
  pipe.type = 1;
  pipe.node = 2;
  m.pipework[1] = pipe;
  return m;
}

std::vector<std::string> RunListing(const TestModel& m, const std::string& groupSetField, RunResult* result = nullptr) {
  TestInstall install;
  install.WriteModel(m);
  RunResult r = RunInProcess(install, {"1/0/0/0/0/0/0/0/0/0/0/" + groupSetField + "/"});
  if (result) *result = r;
  return ListingLines(install.Listing());
}

size_t IndexOf(const std::vector<std::string>& lines, const std::string& line) {
  auto it = std::find(lines.begin(), lines.end(), line);
  return it == lines.end() ? std::string::npos : static_cast<size_t>(it - lines.begin());
}

}  // namespace

TEST(ModelDataRun, BriefModeKeepsPipeworkPropertiesAndConstantsOnly) {
  TestModel m = PipeworkModel();
  RunResult briefResult, fullResult;
  auto brief = RunListing(m, "-", &briefResult);
  auto full = RunListing(m, "", &fullResult);
  EXPECT_EQ(briefResult.status, 0) << briefResult.stderrText;
  EXPECT_EQ(fullResult.status, 0) << fullResult.stderrText;

  for (const char* heading : {"*** ELEMENT OFFSET DATA ***", "*** SOLID ELEMENT DATA ***", "*** SPRING/COUPLE DATA",
                              "*** RESTRAINED NODES ***  ( 1-Fixed  0-Free )"}) {
    EXPECT_EQ(IndexOf(brief, heading), std::string::npos) << heading;
    EXPECT_NE(IndexOf(full, heading), std::string::npos) << heading;
  }
  for (const char* heading : {"*** PIPEWORK COEFFICIENTS ***", "*** ELEMENT GEOMETRIC PROPERTY TABLE ***",
                              "*** GEOMETRIC STRESS POINT TABLE ", "*** ELEMENT MATERIAL PROPERTY TABLE ***",
                              "*** SPRING/COUPLE CONSTANTS TABLE", "*** IC CONSTANTS TABLE"})
    EXPECT_NE(IndexOf(brief, heading), std::string::npos) << heading;

  // Brief: the pipework section's opening empty line plus its own two, and
  // after its last row only the property table's opening empty line.
  size_t pipe = IndexOf(brief, "*** PIPEWORK COEFFICIENTS ***");
  ASSERT_NE(pipe, std::string::npos);
  ASSERT_GE(pipe, 3u);
  EXPECT_EQ(brief[pipe - 1], "");
  EXPECT_EQ(brief[pipe - 2], "");
  EXPECT_EQ(brief[pipe - 3], "");
  ASSERT_LT(pipe + 7, brief.size());
  EXPECT_EQ(brief[pipe + 5].substr(0, 15), "1         BEND1");
  EXPECT_EQ(brief[pipe + 6], "");
  EXPECT_EQ(brief[pipe + 7], "*** ELEMENT GEOMETRIC PROPERTY TABLE ***");

  // Full: the closing empty line, then the solid section's opening one.
  size_t fullPipe = IndexOf(full, "*** PIPEWORK COEFFICIENTS ***");
  ASSERT_NE(fullPipe, std::string::npos);
  ASSERT_LT(fullPipe + 8, full.size());
  EXPECT_EQ(full[fullPipe + 5].substr(0, 15), "1         BEND1");
  EXPECT_EQ(full[fullPipe + 6], "");
  EXPECT_EQ(full[fullPipe + 7], "");
  EXPECT_EQ(full[fullPipe + 8], "*** SOLID ELEMENT DATA ***");

  // The restrained nodes' rule line is the only rule line brief mode drops.
  EXPECT_EQ(std::count(full.begin(), full.end(), kRule) - std::count(brief.begin(), brief.end(), kRule), 1);
}

TEST(ModelDataRun, XpmPositionOverflowStopsTheListingQuietly) {
  TestModel m;
  m.AddNode(0, 0, 0);
  m.geoms.push_back(GeomRec{});
  m.mats.resize(130);
  m.writeXpm = true;
  m.materialBlocks.resize(130);
  m.materialBlocks[1].head = {1, 1, 1, 1};
  RunResult r;
  auto lines = RunListing(m, "", &r);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.stderrText, "");
  size_t ext = IndexOf(lines, "*** MATERIAL RELATED EXTENDED DATA ***");
  ASSERT_NE(ext, std::string::npos);
  ASSERT_EQ(lines.size(), ext + 5);  // heading block and material 1's row
  EXPECT_EQ(lines.back().substr(0, 3), " 1 ");
}

TEST(ModelDataRun, GeometricCodeOutsideItsTableEndsWithTheMessage) {
  TestModel m = PipeworkModel();
  m.elements[1].geom = -1;  // no totals use it; the pipework row does
  RunResult r;
  auto lines = RunListing(m, "", &r);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.stderrText, "orvant-in: Load label too high - Check or reset CONFIG.INI for maximum\n");
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back().substr(0, 15), "1         BEND1");
  EXPECT_EQ(IndexOf(lines, "*** SOLID ELEMENT DATA ***"), std::string::npos);
}
