// The picture and the VTK file from models loaded as for the listing: where
// each view puts the nodes, fitting whatever the coordinates, labels by size,
// colours, titles, what is drawn against what the listing lists, and the
// files left when one cannot be put in place.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdio.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <regex>
#include <set>
#include <sstream>
#include <tuple>

#include "model/model_tables.h"
#include "support/example_frame.h"
#include "support/start_up.h"
#include "support/model_builder.h"
#include "views/drawn_model.h"
#include "views/load_picture.h"
#include "views/svg_picture.h"
#include "views/vtk_export.h"

using namespace orvant;
using namespace orvant::testing;

// A rename to a name ending in gFailRenameTo fails, as when something else
// takes that name while the files are written; every other one is done.
// This definition stands in for the C library's in the test program.
static std::string gFailRenameTo;
extern "C" int rename(const char* from, const char* to) noexcept {
  const std::string_view target(to);
  if (!gFailRenameTo.empty() && target.ends_with(gFailRenameTo)) return errno = EISDIR, -1;
  return ::renameat(AT_FDCWD, from, AT_FDCWD, to);
}

namespace {

struct Loaded {
  std::unique_ptr<RunContext> ctx;
  DrawnModel drawn;

  std::string Svg(View view = View::kIso, LabelChoice labels = LabelChoice::kBySize, Up up = Up::kZ) const {
    ViewOptions o;
    o.view = view, o.up = up, o.labels = labels;
    return SvgPicture(ctx->settings, ctx->model, drawn, o);
  }
};

// Loads the model as start-up does for the views (no listing opened).
Loaded Load(const TestModel& m) {
  TestInstall install;
  install.WriteModel(m);
  ::setenv("XDG_CONFIG_HOME", install.configHome.c_str(), 1);
  Loaded l;
  l.ctx = std::make_unique<RunContext>();
  StartUp(*l.ctx, "1/", false);
  l.drawn = CollectDrawnModel(l.ctx->settings, l.ctx->model);
  return l;
}

TestModel Nodes(const std::vector<std::array<float, 3>>& at) {
  TestModel m;
  for (const auto& p : at) m.AddNode(p[0], p[1], p[2]);
  return m;
}

// The d attribute of the path with that id ("" when there is none).
std::string PathData(const std::string& svg, const std::string& id) {
  const size_t at = svg.find("<path id=\"" + id + "\""), d = svg.find(" d=\"", at) + 4;
  return at == std::string::npos ? "" : svg.substr(d, svg.find('"', d) - d);
}

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
  return n;
}

// The numbers of a path's data, in order.
std::vector<double> Numbers(std::string d) {
  std::vector<double> out;
  for (char* p = d.data(); *p;)
    if (*p == '-' || (*p >= '0' && *p <= '9')) out.push_back(std::strtod(p, &p)); else ++p;
  return out;
}

int Sign(double v) { return v > 1e-9 ? 1 : v < -1e-9 ? -1 : 0; }

// The texts of the loads drawn: section title (first line) and row (last).
std::map<std::string, std::set<std::string>> DrawnRows(const std::string& svg) {
  std::map<std::string, std::set<std::string>> rows;
  const size_t from = svg.find("<g id=\"loads\""), to = svg.find("<g id=\"load-legend\"");
  for (size_t at = svg.find("<title>", from); at < to; at = svg.find("<title>", at + 1)) {
    const std::string title = svg.substr(at + 7, svg.find("</title>", at) - at - 7);
    const std::string text = std::regex_replace(title, std::regex("&amp;"), "&");
    const std::string row = text.substr(text.rfind('\n') + 1);
    if (row[0] >= '0' && row[0] <= '9') rows[text.substr(0, text.find('\n'))].insert(row);
  }
  return rows;
}

// The sum of the page vectors (tail to tip) of a group's arrows.
PagePoint ArrowSum(const std::string& svg, const std::string& id) {
  PagePoint sum;
  const size_t end = svg.find("</g>", svg.find("<g id=\"" + id + "\""));
  for (size_t at = svg.find(" d=\"", svg.find("<g id=\"" + id + "\"")); at < end; at = svg.find(" d=\"", at + 4)) {
    const std::vector<double> n = Numbers(svg.substr(at + 4, svg.find('"', at + 4) - at - 4));
    sum.x += n[2] - n[0], sum.y += n[3] - n[1];
  }
  return sum;
}

}  // namespace

// Nodes at the origin and one unit along each axis: the page direction in
// which each view, with each axis up, puts the axis nodes (page y grows
// downwards).
TEST(Views, AxisNodesLandWhereEachViewPutsThem) {
  const Loaded l = Load(Nodes({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}}));
  struct Case {
    View view;
    Up up;
    int x[2], y[2], z[2];
  };
  const Case cases[] = {
      {View::kIso, Up::kZ, {-1, 1}, {1, 1}, {0, -1}},  // X lower left, Y lower right, Z up
      {View::kXy, Up::kZ, {1, 0}, {0, -1}, {0, 0}},    // plan: Z towards the viewer
      {View::kYz, Up::kZ, {0, 0}, {1, 0}, {0, -1}},
      {View::kXz, Up::kZ, {1, 0}, {0, 0}, {0, -1}},
      {View::kIso, Up::kY, {1, 1}, {0, -1}, {-1, 1}},  // Z lower left, X lower right, Y up
      {View::kXy, Up::kY, {1, 0}, {0, -1}, {0, 0}},    // elevations with Y up
      {View::kYz, Up::kY, {0, 0}, {0, -1}, {1, 0}},
      {View::kXz, Up::kY, {0, -1}, {0, 0}, {1, 0}},    // the plan
      {View::kIso, Up::kX, {0, -1}, {-1, 1}, {1, 1}},  // Y lower left, Z lower right, X up
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(ViewName(c.view)) + " " + UpName(c.up));
    const auto page = PagePositions(l.drawn.positions, c.view, c.up, kDrawingBox);
    ASSERT_EQ(page.size(), 4u);
    const int* expected[] = {c.x, c.y, c.z};
    for (size_t axis = 0; axis < 3; ++axis)
      EXPECT_EQ(std::make_pair(Sign(page[axis + 1].x - page[0].x), Sign(page[axis + 1].y - page[0].y)),
                std::make_pair(expected[axis][0], expected[axis][1])) << "axis " << axis;
    // The picture's node dots are these positions (x y and the 0 of "h0").
    const std::vector<double> dots = Numbers(PathData(l.Svg(c.view, LabelChoice::kBySize, c.up), "nodes"));
    ASSERT_EQ(dots.size(), 4u * 3);
    for (size_t k = 0; k < 4; ++k) EXPECT_LT(std::hypot(dots[3 * k] - page[k].x, dots[3 * k + 1] - page[k].y), 0.01);
  }
  // Isometric: the three axes equally long on the page, X and Y mirrored.
  const auto iso = PagePositions(l.drawn.positions, View::kIso, Up::kZ, kDrawingBox);
  auto length = [&](size_t k) { return std::hypot(iso[k].x - iso[0].x, iso[k].y - iso[0].y); };
  EXPECT_NEAR(length(1), length(3), 1e-6);
  EXPECT_NEAR(length(2), length(3), 1e-6);
  EXPECT_NEAR(iso[1].x - iso[0].x, -(iso[2].x - iso[0].x), 1e-6);
  EXPECT_NEAR(iso[1].y, iso[2].y, 1e-6);
}

// Whatever the coordinates, every node lands in the drawing box, the model's
// range is centred there and fills it in one direction (a single point sits
// at the centre); no number of the picture leaves the page.
TEST(Views, ExtremeAndDegenerateRangesFitThePage) {
  const std::pair<const char*, std::vector<std::array<float, 3>>> models[] = {
      {"single node far out", {{1234567.0f, -7654321.0f, 42.0f}}},
      {"coincident nodes", {{-5, 5, 5}, {-5, 5, 5}}},
      {"flat in z", {{0, 0, 0}, {10, 0, 0}, {10, 5, 0}, {0, 5, 0}}},
      {"a line along y", {{3, -2, 7}, {3, 8, 7}}},
      {"millions", {{2e6f, 3e6f, 1e6f}, {2e6f + 2, 3e6f + 1, 1e6f + 3}, {2e6f + 1, 3e6f + 4, 1e6f}}},
      {"all negative", {{-9e6f, -8.5e6f, -8e6f}, {-8e6f, -9e6f, -8.2e6f}}},
      {"tiny span", {{1, 1, 1}, {1.0001f, 1, 1.0002f}}},
      {"huge span", {{-3e7f, -3e7f, 0}, {3e7f, 3e7f, 1e7f}}},
  };
  const PageBox& box = kDrawingBox;
  for (const auto& [name, at] : models) {
    const Loaded l = Load(Nodes(at));
    for (View view : {View::kIso, View::kXy, View::kYz, View::kXz}) {
      SCOPED_TRACE(std::string(name) + ", view " + ViewName(view));
      const auto page = PagePositions(l.drawn.positions, view, Up::kZ, box);
      const auto [minX, maxX] = std::minmax_element(page.begin(), page.end(), [](auto a, auto b) { return a.x < b.x; });
      const auto [minY, maxY] = std::minmax_element(page.begin(), page.end(), [](auto a, auto b) { return a.y < b.y; });
      const double w = maxX->x - minX->x, h = maxY->y - minY->y;
      EXPECT_TRUE(minX->x >= box.left - 1e-6 && maxX->x <= box.right + 1e-6 && minY->y >= box.top - 1e-6 &&
                  maxY->y <= box.bottom + 1e-6);
      EXPECT_NEAR(minX->x + maxX->x, box.left + box.right, 1e-6);
      EXPECT_NEAR(minY->y + maxY->y, box.top + box.bottom, 1e-6);
      // A model that the view sees as one point (a line along the line of
      // sight included) sits at the centre; any other fills the box one way.
      const Projected first = Project(view, Up::kZ, at[0][0], at[0][1], at[0][2]);
      const bool seenAsPoint = std::all_of(at.begin(), at.end(), [&](const auto& p) {
        const Projected q = Project(view, Up::kZ, p[0], p[1], p[2]);
        return q.u == first.u && q.v == first.v;
      });
      EXPECT_EQ(w < 1e-9 && h < 1e-9, seenAsPoint);
      EXPECT_TRUE(seenAsPoint || std::fabs(w - (box.right - box.left)) < 1e-6 || std::fabs(h - (box.bottom - box.top)) < 1e-6)
          << w << " x " << h;
      const std::string svg = l.Svg(view, LabelChoice::kOn);
      for (size_t d = svg.find(" d=\""); d != std::string::npos; d = svg.find(" d=\"", d + 4))
        for (double v : Numbers(svg.substr(d + 4, svg.find('"', d + 4) - d - 4))) EXPECT_LE(std::fabs(v), kPageWidth);
    }
  }
}

// Labels by default up to 500 elements, --labels and --no-labels force them;
// one path per geometric code, each its own colour, all in the legend unless
// more than fit, when it says how many are left out.
TEST(Views, LabelsBySizeAndAPathAColourPerCode) {
  auto chain = [](int elements, int codes) {
    TestModel m;
    for (int g = 1; g <= codes; ++g) m.geoms.push_back(GeomRec{});
    m.mats.push_back(MatRec{});
    for (int n = 0; n <= elements; ++n) m.AddNode(static_cast<float>(n), static_cast<float>(n % 7), static_cast<float>(n % 3));
    // Codes in descending order, the elements of one not adjacent.
    for (int e = 1; e <= elements; ++e) m.AddElement(e, e + 1, codes - (e - 1) % codes, 1, 1.0f);
    return m;
  };
  const Loaded at500 = Load(chain(500, 10)), at501 = Load(chain(501, 167));
  struct Case {
    const Loaded* model;
    LabelChoice choice;
    size_t elementLabels, nodeLabels;  // 0 0: no labels at all
  };
  for (const Case& c : {Case{&at500, LabelChoice::kBySize, 500, 501}, {&at501, LabelChoice::kBySize, 0, 0},
                        {&at501, LabelChoice::kOn, 501, 502}, {&at500, LabelChoice::kOff, 0, 0}}) {
    const std::string svg = c.model->Svg(View::kIso, c.choice);
    const size_t nodesAt = svg.find("<g id=\"node-labels\""), elementsAt = svg.find("<g id=\"element-labels\"");
    EXPECT_EQ(svg.find("id=\"labels\"") == std::string::npos, c.elementLabels == 0);
    if (c.elementLabels == 0) continue;
    ASSERT_TRUE(nodesAt < elementsAt && elementsAt != std::string::npos);
    EXPECT_EQ(Count(svg.substr(nodesAt, elementsAt - nodesAt), "<text"), c.nodeLabels);
    EXPECT_EQ(Count(svg.substr(elementsAt, svg.find("</g>", elementsAt) - elementsAt), "<text"), c.elementLabels);
  }
  for (auto [model, codes, elements] : {std::tuple{&at500, 10, 500u}, {&at501, 167, 501u}}) {
    SCOPED_TRACE(codes);
    const std::string svg = model->Svg();
    EXPECT_EQ(Count(svg, "<path id=\"code-"), static_cast<size_t>(codes));
    std::set<std::string> colours;
    for (int g = 1; g <= codes; ++g) {
      EXPECT_EQ(Count(PathData(svg, "code-" + std::to_string(g)), "M"), elements / codes) << "code " << g;
      const size_t stroke = svg.find("stroke=\"", svg.find("<path id=\"code-" + std::to_string(g) + "\"")) + 8;
      colours.insert(svg.substr(stroke, svg.find('"', stroke) - stroke));
    }
    EXPECT_EQ(colours.size(), static_cast<size_t>(codes));
    const std::string legend = svg.substr(svg.find("<g id=\"legend\""));
    EXPECT_NE(legend.find(">1</text>"), std::string::npos);
    EXPECT_EQ(legend.find(">" + std::to_string(codes) + "</text>") != std::string::npos, codes == 10);
    EXPECT_EQ(legend.find("more codes") != std::string::npos, codes == 167);
  }
}

// A model with every case of the listing's selection: what is drawn and
// exported is what the listing lists, by kind: each solid drawn (one of a
// single node too) with its outline and its cell, those naming a missing node
// or none left out whole.
TEST(Views, WhatIsDrawnIsWhatTheListingLists) {
  TestModel m;
  m.geoms.push_back(GeomRec{}), m.geoms.push_back(GeomRec{}), m.mats.push_back(MatRec{});
  for (int n = 1; n <= 6; ++n) m.AddNode(static_cast<float>(n), static_cast<float>(n * n % 5), static_cast<float>(n % 2));
  m.nodes.push_back(NodeRec{false});  // 7 does not exist
  m.AddNode(9, 9, 9);                 // 8
  m.AddElement(1, 2, 1, 1, 1.0f);     // 1: a line
  m.AddElement(3, 3, 1, 1, 1.0f);     // 2: first two nodes equal: not listed
  m.AddElement(1, 7, 1, 1, 1.0f);     // 3: names a node that does not exist
  ElementRec solid;                   // 4: a solid, its first two nodes unset
  solid.solidType = 1, solid.geom = 2, solid.solidNodes = {1, 2, 3, 4};
  m.elements.push_back(solid);
  ElementRec tri = solid;             // 5: a solid whose first two nodes differ: drawn once, as a solid
  tri.n1 = 2, tri.n2 = 3, tri.solidNodes = {5, 6, 8};
  m.elements.push_back(tri);
  m.AddElement(4, 99, 1, 1, 1.0f);    // 6: a node label out of range
  for (auto nodes : {std::vector<int16_t>{6}, {1, 7, 2}, {}}) {  // 7: one node; 8: a missing one; 9: none
    solid.solidNodes = nodes;
    m.elements.push_back(solid);
  }
  m.springs.push_back(SpringRec{2, 5, 0, 0, 1, 0, 1});  // 1: between two nodes
  m.springs.push_back(SpringRec{6, 6, 0, 0, 1, 0, 1});  // 2: to ground
  m.springs.push_back(SpringRec{6, 6, 0, 0, 1, 0, 0});  // 3: equal nodes, not flagged defined: not listed
  m.springs.push_back(SpringRec{0, 3, 0, 0, 1, 0, 1});  // 4: first node 0: not listed
  m.springs.push_back(SpringRec{3, 7, 0, 0, 1, 0, 1});  // 5: names a node that does not exist
  m.restraints.push_back({1, {1, 1, 1, 1, 1, 1}});
  m.restraints.push_back({2, {1, 0, 1, 0, 0, 0}});
  m.restraints.push_back({7, {1, 1, 1, 0, 0, 0}});
  const Loaded l = Load(m);
  const DrawnModel& d = l.drawn;
  std::ostringstream got;
  auto node = [&d](int32_t p) { return d.nodeLabels[static_cast<size_t>(p)]; };
  for (const auto& line : d.lines) got << "E" << line.label << ":" << node(line.a) << "-" << node(line.b) << " ";
  for (const auto& s : d.solids) {
    got << "V" << s.label << ":";
    for (int32_t k = 0; k < s.count; ++k) got << (k ? "," : "") << node(d.solidPoints[static_cast<size_t>(s.first + k)]);
    got << " ";
  }
  for (const auto& sp : d.springs) got << "S" << sp.label << ":" << node(sp.a) << "-" << node(sp.b) << " ";
  for (int32_t p : d.supports) got << "R" << node(p) << " ";
  EXPECT_EQ(got.str(), "E1:1-2 V4:1,2,3,4 V5:5,6,8 V7:6 S1:2-5 S2:6-6 R1 R2 ");
  EXPECT_EQ(d.nodeLabels, (std::vector<int16_t>{1, 2, 3, 4, 5, 6, 8}));
  EXPECT_EQ(d.notDrawn, 6);  // elements 3 and 6, solids 8 and 9, spring/couple 5, the restraint of node 7

  // Paths and how often they hold their mark: three solid outlines and their fills.
  const std::string svg = l.Svg();
  for (auto [id, mark, n] : {std::tuple{"code-1", "M", 1u}, {"code-2", "M", 3u}, {"solids-2", "M", 3u},
                             {"springs", "M", 1u}, {"ground-springs", "M", 1u}, {"supports-fixed", "M", 1u},
                             {"supports-partial", "M", 1u}})
    EXPECT_EQ(Count(PathData(svg, id), mark), n) << id;
  EXPECT_NE(svg.find(" (4 elements, 7 nodes, 2 springs/couples; 6 naming a missing node not drawn)</text>"),
            std::string::npos);

  // The VTK file: cells and their types in the order elements, solids,
  // springs/couples, and the restraint codes of node 2 (the second point).
  const std::string vtk = VtkFile(l.ctx->settings, d);
  EXPECT_NE(vtk.find("CELLS 6 19\n2 0 1\n4 0 1 2 3\n3 4 5 6\n1 5\n2 1 4\n1 5\nCELL_TYPES 6\n3\n41\n5\n1\n3\n1\n"),
            std::string::npos);
  for (const char* code : {"Tx int 1\nLOOKUP_TABLE default\n1\n1\n0\n", "Ty int 1\nLOOKUP_TABLE default\n1\n0\n0\n"})
    EXPECT_NE(vtk.find(code), std::string::npos) << code;
}

// Titles of any bytes: in the picture, markup escaped, control characters
// blanks, valid UTF-8 kept and any other text read as Latin-1; in the VTK
// header, one line of printable ASCII, trailing blanks dropped, at most 255.
TEST(Views, TitlesOfAnyBytes) {
  const Loaded l = Load(Nodes({{0, 0, 0}}));
  struct Case {
    std::string name, description, svg, vtk;
  };
  const Case cases[] = {
      {"A&B", "<Pipe> r\xe9seau\x01", "A&amp;B: &lt;Pipe&gt; r\xc3\xa9seau", "A&B: <Pipe> r seau"},
      {"r\xc3\xa9seau \xe2\x82\xac \xf0\x9f\x99\x82", "", "r\xc3\xa9seau \xe2\x82\xac \xf0\x9f\x99\x82",
       "r  seau" + std::string(9, ' ') + ":"},
      {"\xc0\xaf", "overlong", "\xc3\x80\xc2\xaf: overlong", "  : overlong"},
      {"\xf5\x80\x80\x80", "", "\xc3\xb5\xc2\x80\xc2\x80\xc2\x80", "    :"},
      {"\xe2\x82" "A", "\x80", "\xc3\xa2\xc2\x82" "A: \xc2\x80", "  A:"},
      {"\xc3\xa9", "ab\xc3", "\xc3\xa9: ab\xc3\x83", "  : ab"},
      {"N", "d \x7f" + std::string(300, 'x'), "N: d  " + std::string(300, 'x'), "N: d  " + std::string(249, 'x')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.svg);
    RunSettings s = l.ctx->settings;
    s.ModelName = c.name, s.AnalysisDescription = c.description;
    EXPECT_NE(SvgPicture(s, l.ctx->model, l.drawn, ViewOptions{}).find("<title>" + c.svg + " (0 elements, 1 nodes)</title>"),
              std::string::npos);
    const std::string vtk = VtkFile(s, l.drawn);
    EXPECT_EQ(vtk.substr(0, vtk.find("\nASCII\n")), "# vtk DataFile Version 3.0\n" + c.vtk);
  }
}

// When a file cannot be put in place the run fails naming it, and the
// directory is as it was: an older file at either name kept, none created,
// nothing written beside them. Otherwise both are replaced and nothing else
// is left.
TEST(Views, AFileThatCannotTakeItsPlaceLeavesTheDirectoryAsItWas) {
  TestInstall install;
  install.WriteModel(Nodes({{0, 0, 0}, {1, 2, 3}}));
  const std::string dir = install.root.path + "/out";
  auto listing = [&dir] {
    std::map<std::string, std::string> files;
    for (const auto& f : std::filesystem::directory_iterator(dir)) files[f.path().filename()] = ReadFileText(f.path());
    return files;
  };
  for (bool older : {true, false}) {
    for (std::string failing : {"p.vtk", "p.svg", ""}) {
      SCOPED_TRACE(std::to_string(older) + " " + failing);
      std::filesystem::remove_all(dir);
      std::filesystem::create_directories(dir);
      if (older) WriteFile(dir + "/p.svg", "older picture"), WriteFile(dir + "/p.vtk", "older vtk");
      const auto before = listing();
      gFailRenameTo = failing;
      const RunResult r = RunInProcess(install, {"1/", "--picture", dir + "/p.svg", "--vtk", dir + "/p.vtk"});
      gFailRenameTo.clear();
      const auto after = listing();
      if (!failing.empty()) {
        EXPECT_EQ(r.stderrText, "orvant-in: cannot write " + dir + "/" + failing + "\n");
        EXPECT_EQ(after, before);
        continue;
      }
      EXPECT_EQ(r.status, 0) << r.stderrText;
      ASSERT_EQ(after.size(), 2u);
      EXPECT_EQ(after.at("p.svg").rfind("<?xml", 0), 0u);
      EXPECT_EQ(after.at("p.vtk").rfind("# vtk", 0), 0u);
    }
  }
}

// For a generated model with every kind of load, and for cases of the
// example: the rows of the loads drawn are rows that the listing prints for
// the case (so what the listing leaves out is not drawn), all of them but
// those on a node that is not drawn; the drawn nodal forces and global beam
// point loads add up, to the legend's scale, to the rows of their sections.
TEST(Views, LoadsDrawnAreTheRowsListedAndAddUpToThem) {
  TestModel generated;
  generated.geoms.resize(4), generated.mats.resize(2);
  for (auto [x, y, z] : {std::tuple{0, 0, 0}, {4, 0, 0}, {4, 3, 0}, {4, 3, 5}, {0, 3, 5}, {0, 0, 5}})
    generated.AddNode(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
  generated.nodes.push_back(NodeRec{false});  // 7 does not exist
  for (auto [a, b, code] : {std::tuple{1, 2, 1}, {2, 3, 1}, {3, 4, 2}, {4, 4, 1}, {5, 6, 2}})
    generated.AddElement(a, b, code, 1, 4);
  ElementRec solid;
  solid.solidType = 1, solid.geom = 3, solid.solidNodes = {1, 2, 3, 5};
  generated.elements.push_back(solid);  // 6
  const std::string every =
      "LDESC Every kind\r\nAMBT 20\r\nND,1,0.001,0,0.002\r\nND,7,0.5\r\nNF,2,1500,-2500,0,0,0,0\r\n"
      "NF,3,0,0,-4000,0,300,0,750\r\nNF,7,1000\r\nNF,4,,,,,,,250\r\nEP,1,1,0.5,0,-3000,200,0,0,0\r\nEP,2,2,0.25,100\r\n"
      "EP,4,1,0,5000\r\nED,2,1,0,0,0,0,-100,-300,0,0\r\nED,3,0,0,0,5\r\nUDL,5,0,-200,0\r\nED,4,1,0,0,7\r\n"
      "FP,6,-2,3,10,10,10,10\r\nPUDL,2,3,-50\r\nPUDL,3,0,7\r\nPTEMP,1,60\r\nPPRESS,2,0,5\r\nTEPR,5,0,0,,3\r\n"
      "TEPR,3,90,2E5\r\nNT,1,35\r\nNT,7,40\r\nACCEL,0,0,-9.81\r\nLSUM,100,0,-500\r\nCOF,1,1,1,1,1,1,2,2,2\r\n";
  struct Case {
    bool example;
    int label;
    Up up;
    size_t sections;
    std::vector<std::string> notDrawn;  // rows listed but not drawn
    std::string title;  // "": not looked at
  };
  const Case cases[] = {
      {false, 1, Up::kZ, 9,
       {"NODAL TEMPERATURES: 7 40.00",
        "PRESCRIBED DISPLACEMENTS: 7 5.000E-01 0.000E+00 0.000E+00 0.000E+00 0.000E+00 0.000E+00"},
       "Load case 1, Every kind: ND 1 (1 left out), NF 3 (1 left out), EP 2 (1 left out), ED/UDL 2 (2 left out), FP 1, "
       "PUDL 1 (1 left out), PTEMP/PPRESS 1 (1 left out), TEPR 1 (1 left out), NT 1 (1 left out), ACCEL 1, LSUM/COF 1"},
      {true, 2, Up::kY, 3, {}, ""},
      {true, 4, Up::kY, 3, {}, ""},
  };
  const std::string options = "1/1/1/1/0/1/1/1/1/1/0/1/";  // the example's group set 1 active: labels with groups
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.example) + " case " + std::to_string(c.label));
    TestInstall install;
    if (c.example) {
      WriteExampleModel(install.modelDir);
    } else {
      install.WriteModel(generated);
      install.WriteModelText(".L1", every);
    }
    ASSERT_EQ(RunInProcess(install, {options}).status, 0);
    const auto listed = CaseRows(install.Listing(), c.label);
    for (View view : {View::kXy, View::kYz}) {
      const std::string file = install.root.path + "/p.svg";
      const RunResult r = RunInProcess(install, {options, "--picture", file, "--view", ViewName(view), "--up",
                                                 UpName(c.up), "--load-case", std::to_string(c.label)});
      ASSERT_EQ(r.status, 0) << r.stderrText;
      const std::string svg = ReadFileText(file);
      if (!c.title.empty()) {
        EXPECT_NE(svg.find(">" + c.title + "</text>"), std::string::npos);
      }
      const auto drawn = DrawnRows(svg);
      EXPECT_EQ(drawn.size(), c.sections);
      std::vector<std::string> notDrawn;
      for (const auto& [section, rows] : listed)
        for (const std::string& row : rows)
          if (drawn.count(section) == 0 || drawn.at(section).count(row) == 0) notDrawn.push_back(section + ": " + row);
      EXPECT_EQ(notDrawn, c.notDrawn);
      for (const auto& [section, rows] : drawn)
        for (const std::string& row : rows) EXPECT_TRUE(listed.count(section) && listed.at(section).count(row)) << row;

      // The forces of the rows, summed, against the arrows drawn.
      const double perCm = std::strtod(svg.c_str() + svg.find("arrow of 1 cm = ") + 16, nullptr);
      for (auto [section, id, first] : {std::tuple{"LOAD (NODAL) DATA", "nodal-forces", 1},
                                        {"BEAM ELEMENT POINT LOADS", "point-loads", 3}}) {
        Vector3 sum{};
        for (const std::string& row : listed.count(section) ? listed.at(section) : std::multiset<std::string>{}) {
          std::istringstream words(row);
          std::vector<std::string> w{std::istream_iterator<std::string>(words), {}};
          for (int k = 0; k < 3 && w[1] != "Lo"; ++k)
            sum[static_cast<size_t>(k)] += std::stof(w[static_cast<size_t>(first + k)]);
        }
        const PagePoint want = PageVector(sum, perCm, view, c.up), got = ArrowSum(svg, id);
        EXPECT_NEAR(got.x, want.x, 0.05) << id;
        EXPECT_NEAR(got.y, want.y, 0.05) << id;
      }
    }
  }
}
