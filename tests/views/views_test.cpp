// The picture and the VTK file of models loaded as for the listing.
#include <fcntl.h>
#include <sys/resource.h>
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

#include "support/model_builder.h"
#include "support/start_up.h"
#include "views/drawn_loads.h"
#include "views/drawn_model.h"
#include "views/load_picture.h"
#include "views/svg_picture.h"
#include "views/vtk_export.h"

using namespace orvant;
using namespace orvant::testing;

// Stands in for the C library's: a rename to a name ending in gFailRenameTo fails, as when something takes it.
static std::string gFailRenameTo;
extern "C" int rename(const char* from, const char* to) noexcept {
  const bool fail = !gFailRenameTo.empty() && std::string_view(to).ends_with(gFailRenameTo);
  return fail ? (errno = EISDIR, -1) : ::renameat(AT_FDCWD, from, AT_FDCWD, to);
}

namespace {

struct Loaded {
  std::unique_ptr<RunContext> ctx = std::make_unique<RunContext>();
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
  StartUp(*l.ctx, "1/", false);
  l.drawn = CollectDrawnModel(l.ctx->settings, l.ctx->model);
  return l;
}

TestModel Nodes(const std::vector<std::array<float, 3>>& at) {
  TestModel m;
  for (const auto& p : at) m.AddNode(p[0], p[1], p[2]);
  return m;
}

// The value of the attribute `attr` that follows `from` ("" when no `from`).
std::string After(const std::string& svg, const std::string& from, const std::string& attr = " d=\"") {
  const size_t at = svg.find(from), v = svg.find(attr, at) + attr.size();
  return at == std::string::npos ? "" : svg.substr(v, svg.find('"', v) - v);
}
std::string PathData(const std::string& svg, const std::string& id) { return After(svg, "<path id=\"" + id + "\""); }

bool Has(const std::string& text, const std::string& what) { return text.find(what) != std::string::npos; }

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
  return n;
}

std::vector<double> Numbers(std::string d) {
  std::vector<double> out;
  for (char* p = d.data(); *p;) if (*p == '-' || (*p >= '0' && *p <= '9')) out.push_back(std::strtod(p, &p)); else ++p;
  return out;
}

// The loads drawn, by the texts of their titles: "SECTION: row" (first and last lines).
std::set<std::string> DrawnRows(const std::string& svg) {
  std::set<std::string> rows;
  const size_t from = svg.find("<g id=\"loads\""), to = svg.find("<g id=\"load-legend\"");
  for (size_t at = svg.find("<title>", from); at < to; at = svg.find("<title>", at + 1)) {
    const std::string text = std::regex_replace(svg.substr(at + 7, svg.find("</title>", at) - at - 7), std::regex("&amp;"), "&");
    const std::string row = text.substr(text.rfind('\n') + 1);
    if (row[0] >= '0' && row[0] <= '9') rows.insert(text.substr(0, text.find('\n')) + ": " + row);
  }
  return rows;
}

// The sum of the page vectors (tail to tip) of a group's arrows.
PagePoint ArrowSum(const std::string& svg, const std::string& id) {
  PagePoint sum;
  const size_t from = svg.find("<g id=\"" + id + "\""), end = svg.find("</g>", from);
  for (size_t at = svg.find(" d=\"", from); at < end; at = svg.find(" d=\"", at + 4)) {
    const std::vector<double> n = Numbers(svg.substr(at + 4, svg.find('"', at + 4) - at - 4));
    sum.x += n[2] - n[0], sum.y += n[3] - n[1];
  }
  return sum;
}

}  // namespace

// Where each view puts nodes is in the example pictures; here: nodes not drawn, and nodes anywhere fit the page.
TEST(Views, NodesThatAreNotNumbersAreLeftOutAndAnyOthersFitThePage) {
  // A node with any coordinate that is not a finite number is not drawn.
  const float nan = std::nanf("");
  EXPECT_EQ(Load(Nodes({{nan, 0, 0}, {0, nan, 0}, {0, 0, nan}, {1, 2, 3}})).drawn.positions.size(), 1u);

  // Whatever the coordinates, centred in the drawing box, filling it one way or one point; no number off the page.
  const std::vector<std::array<float, 3>> models[] = {
      {{1234567.0f, -7654321.0f, 42.0f}}, {{-5, 5, 5}, {-5, 5, 5}}, {{0, 0, 0}, {10, 0, 0}, {10, 5, 0}, {0, 5, 0}},
      {{3, -2, 7}, {3, 8, 7}}, {{2e6f, 3e6f, 1e6f}, {2e6f + 2, 3e6f + 1, 1e6f + 3}, {2e6f + 1, 3e6f + 4, 1e6f}},
      {{-9e6f, -8.5e6f, -8e6f}, {-8e6f, -9e6f, -8.2e6f}}, {{1, 1, 1}, {1.0001f, 1, 1.0002f}},
      {{-3e7f, -3e7f, 0}, {3e7f, 3e7f, 1e7f}}};
  const PageBox& box = kDrawingBox;
  for (size_t k = 0; k < std::size(models); ++k) {
    const Loaded m = Load(Nodes(models[k]));
    for (View view : {View::kIso, View::kXy, View::kYz, View::kXz}) {
      SCOPED_TRACE(std::to_string(k) + ", view " + ViewName(view));
      double x0 = 1e300, x1 = -1e300, y0 = 1e300, y1 = -1e300;
      for (const PagePoint& p : PagePositions(m.drawn.positions, view, Up::kZ, box))
        x0 = std::min(x0, p.x), x1 = std::max(x1, p.x), y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
      const double w = x1 - x0, h = y1 - y0;
      EXPECT_LT(std::hypot(x0 + x1 - box.left - box.right, y0 + y1 - box.top - box.bottom), 1e-6);
      const bool seenAsPoint = k < 2 || (k == 3 && view == View::kXz);  // one node, coincident ones, a line along y
      EXPECT_EQ(w < 1e-9 && h < 1e-9, seenAsPoint);
      const double spareW = box.right - box.left - w, spareH = box.bottom - box.top - h;
      EXPECT_TRUE(spareW > -1e-6 && spareH > -1e-6 && (seenAsPoint || spareW < 1e-6 || spareH < 1e-6)) << w << " x " << h;
      const std::string svg = m.Svg(view, LabelChoice::kOn);
      for (size_t d = svg.find(" d=\""); d != std::string::npos; d = svg.find(" d=\"", d + 4))
        for (double v : Numbers(svg.substr(d + 4, svg.find('"', d + 4) - d - 4))) EXPECT_LE(std::fabs(v), kPageWidth);
    }
  }
}

// Labels by default up to 500 elements, or forced on or off; a path and colour per code, in the legend if they fit.
TEST(Views, LabelsBySizeAndAPathAColourPerCode) {
  for (auto [elements, codes] : {std::pair{500u, 10}, {501u, 167}}) {
    SCOPED_TRACE(codes);
    TestModel m;
    m.geoms.resize(static_cast<size_t>(codes) + 1), m.mats.resize(2);
    for (float n = 0; n <= elements; ++n) m.AddNode(n, std::fmod(n, 7.0f), std::fmod(n, 3.0f));
    // Codes in descending order, the elements of one not adjacent.
    for (int e = 1; e <= static_cast<int>(elements); ++e) m.AddElement(e, e + 1, codes - (e - 1) % codes, 1, 1.0f);
    const Loaded l = Load(m);
    for (LabelChoice choice : {LabelChoice::kBySize, LabelChoice::kOn, LabelChoice::kOff}) {
      const std::string svg = l.Svg(View::kIso, choice);
      const size_t nodesAt = svg.find("<g id=\"node-labels\""), elementsAt = svg.find("<g id=\"element-labels\"");
      const bool labelled = choice == LabelChoice::kOn || (choice == LabelChoice::kBySize && elements <= 500);
      EXPECT_EQ(Has(svg, "id=\"labels\""), labelled);
      if (!labelled) continue;
      ASSERT_TRUE(nodesAt < elementsAt && elementsAt != std::string::npos);
      EXPECT_EQ(Count(svg.substr(nodesAt, elementsAt - nodesAt), "<text"), elements + 1);
      EXPECT_EQ(Count(svg.substr(elementsAt, svg.find("</g>", elementsAt) - elementsAt), "<text"), elements);
    }
    const std::string svg = l.Svg();
    EXPECT_EQ(Count(svg, "<path id=\"code-"), static_cast<size_t>(codes));
    std::vector<std::string> colours(1);  // by code
    for (int g = 1; g <= codes; ++g) {
      EXPECT_EQ(Count(PathData(svg, "code-" + std::to_string(g)), "M"), elements / codes) << "code " << g;
      colours.push_back(After(svg, "<path id=\"code-" + std::to_string(g) + "\"", "stroke=\""));
    }
    EXPECT_EQ(std::set<std::string>(colours.begin() + 1, colours.end()).size(), static_cast<size_t>(codes));
    // Past the palette: HSL(200 + 137.508 k, 65%, 40%) for code 11 + k; k = 4 is hue 30, in the first sector.
    if (codes > 14) { EXPECT_EQ(colours[11] + colours[12] + colours[15], "#247ca8#a82455#a86624"); }
    const std::string legend = svg.substr(svg.find("<g id=\"legend\""));
    EXPECT_TRUE(Has(legend, ">1</text>") && !Has(legend, "spring/couple"));  // no springs: no spring rows
    EXPECT_EQ(Has(legend, ">" + std::to_string(codes) + "</text>"), codes == 10);
    EXPECT_EQ(Has(legend, ">... 133 more codes<"), codes == 167);  // 34 fit above the kinds' rows
  }
}

// Every case of the listing's selection: what is drawn and exported is what it
// lists, solids of any count with outline and cell, none naming a missing node.
TEST(Views, WhatIsDrawnIsWhatTheListingLists) {
  TestModel m = Nodes({{1, 1, 1}, {2, 4, 0}, {3, 4, 1}, {4, 1, 0}, {5, 0, 1}, {6, 1, 0}});
  m.geoms.resize(3), m.mats.resize(2);
  m.nodes.push_back(NodeRec{false});  // 7 does not exist
  m.AddNode(9, 9, 9);
  // 1 a line; 2 its first two nodes equal: not listed; 3 names node 7.
  for (auto [a, b] : {std::pair{1, 2}, {3, 3}, {1, 7}}) m.AddElement(a, b, 1, 1, 1.0f);
  ElementRec solid{.geom = 2, .solidType = 1, .solidNodes = {1, 2, 3, 4}};  // 4: first two nodes unset
  m.elements.push_back(solid);
  m.elements.push_back(ElementRec{.n1 = 2, .n2 = 3, .geom = 2, .solidType = 1, .solidNodes = {5, 6, 8}});  // 5: drawn once
  m.AddElement(99, 4, 1, 1, 1.0f);  // 6: a node label out of range; 7 one node, 8 a missing one, 9 none
  for (auto nodes : {std::vector<int16_t>{6}, {1, 7, 2}, {}}) solid.solidNodes = nodes, m.elements.push_back(solid);  // 7-9
  // Springs between two nodes, to ground, unflagged equal ones and first node 0 (not listed), two naming node 7.
  for (auto [a, b, defined] : {std::tuple{1, 5, 1}, {6, 6, 1}, {6, 6, 0}, {0, 3, 1}, {3, 7, 1}, {4, 4, 1}, {7, 3, 1}})
    m.springs.push_back(SpringRec{static_cast<int16_t>(a), static_cast<int16_t>(b), 0, 0, 1, 0, static_cast<int16_t>(defined)});
  m.restraints = {{1, {1, 1, 1, 1, 1, 1}}, {2, {1, 0, 1, 0, 0, 0}}, {7, {1, 1, 1, 0, 0, 0}}};
  const Loaded l = Load(m);
  const DrawnModel& d = l.drawn;
  std::ostringstream got;
  auto node = [&d](int32_t p) { return d.nodeLabels[static_cast<size_t>(p)]; };
  for (const auto& line : d.lines) got << " E" << line.label << ":" << node(line.a) << "-" << node(line.b);
  for (const auto& s : d.solids)
    for (int32_t k = 0; k < s.count; ++k) got << (k ? "," : " V" + std::to_string(s.label) + ":") << node(d.solidPoints.at(s.first + k));
  for (const auto& sp : d.springs) got << " S" << sp.label << ":" << node(sp.a) << "-" << node(sp.b);
  for (int32_t p : d.supports) got << " R" << node(p);
  EXPECT_EQ(got.str(), " E1:1-2 V4:1,2,3,4 V5:5,6,8 V7:6 S1:1-5 S2:6-6 S6:4-4 R1 R2");
  EXPECT_EQ(d.nodeLabels, (std::vector<int16_t>{1, 2, 3, 4, 5, 6, 8}));
  EXPECT_EQ(d.notDrawn, 7);  // elements 3 and 6, solids 8 and 9, springs 5 and 7, the restraint of node 7

  // How many marks each path holds: three solid outlines and their fills.
  const std::string svg = l.Svg();
  for (auto [id, n] : {std::pair{"code-1", 1u}, {"code-2", 3u}, {"solids-2", 3u}, {"springs", 1u},
                       {"ground-springs", 2u}, {"supports-fixed", 1u}, {"supports-partial", 1u}})
    EXPECT_EQ(Count(PathData(svg, id), "M"), n) << id;
  const std::string solids = PathData(svg, "solids-2");
  const std::regex outline("M[^M]*");  // each solid its own
  EXPECT_EQ(std::set<std::string>(std::sregex_token_iterator(solids.begin(), solids.end(), outline), {}).size(), 3u);
  EXPECT_TRUE(Has(svg, " (4 elements, 7 nodes, 3 springs/couples; 7 naming a missing node not drawn)</text>"));
  // The VTK cells and types (elements, solids, springs), the restraints of node 2 (the second point).
  const std::string vtk = VtkFile(l.ctx->settings, d);
  for (const char* part : {"CELLS 7 21\n2 0 1\n4 0 1 2 3\n3 4 5 6\n1 5\n2 0 4\n1 5\n1 3\nCELL_TYPES 7\n3\n41\n5\n1\n3\n1\n1\n",
                          "Tx int 1\nLOOKUP_TABLE default\n1\n1\n0\n", "Ty int 1\nLOOKUP_TABLE default\n1\n0\n0\n"})
    EXPECT_TRUE(Has(vtk, part)) << part;
}

// Titles of any bytes: in the picture escaped, controls blanks, UTF-8 kept, else
// Latin-1; in the VTK header one line of printable ASCII, trimmed, at most 255.
TEST(Views, TitlesOfAnyBytes) {
  const Loaded l = Load(Nodes({{0, 0, 0}}));
  const std::tuple<std::string, std::string, std::string, std::string> cases[] = {  // name, description, svg, vtk
      {"A&B", "  <Pipe> r\xe9seau\x01", "A&amp;B: &lt;Pipe&gt; r\xc3\xa9seau", "A&B:   <Pipe> r seau"},
      {"r\xc3\xa9seau \xe2\x82\xac \xf0\x9f\x99\x82", "", "r\xc3\xa9seau \xe2\x82\xac \xf0\x9f\x99\x82",
       "r  seau" + std::string(9, ' ') + ":"},
      {"\xc0\xaf", "overlong", "\xc3\x80\xc2\xaf: overlong", "  : overlong"},
      {"\xf5\x80\x80\x80", "", "\xc3\xb5\xc2\x80\xc2\x80\xc2\x80", "    :"},
      {"\xe2\x82" "A", "\x80", "\xc3\xa2\xc2\x82" "A: \xc2\x80", "  A:"},
      {"\xc3\xa9", "ab\xc3", "\xc3\xa9: ab\xc3\x83", "  : ab"},
      {"N", "d \x7f" + std::string(300, 'x'), "N: d  " + std::string(300, 'x'), "N: d  " + std::string(249, 'x')},
  };
  for (const auto& [name, description, svg, vtk] : cases) {
    SCOPED_TRACE(svg);
    RunSettings s = l.ctx->settings;
    s.ModelName = name, s.AnalysisDescription = description;
    EXPECT_TRUE(Has(SvgPicture(s, l.ctx->model, l.drawn, {}), "<title>" + svg + " (0 elements, 1 nodes)</title>"));
    EXPECT_TRUE(VtkFile(s, l.drawn).starts_with("# vtk DataFile Version 3.0\n" + vtk + "\nASCII\n")) << vtk;
  }
}

// A file that cannot be written or put in place fails the run naming it, the directory as it
// was (older files kept, none created, nothing beside); else both are replaced.
TEST(Views, AFileThatCannotTakeItsPlaceLeavesTheDirectoryAsItWas) {
  TestInstall install;
  install.WriteModel(Nodes({{0, 0, 0}, {1, 2, 3}}));
  const std::string dir = install.root.path + "/out";
  auto listing = [&dir] {
    std::map<std::string, std::string> files;
    for (const auto& f : std::filesystem::directory_iterator(dir)) files[f.path().filename()] = ReadFileText(f.path());
    return files;
  };
  rlimit saved{};  // with "the disk full", a write past 1024 bytes fails
  ::getrlimit(RLIMIT_FSIZE, &saved), ::signal(SIGXFSZ, SIG_IGN);
  const rlimit full{1024, saved.rlim_max};
  for (bool older : {true, false})
    for (std::string failing : {"p.vtk", "p.svg", "", "p.svg, the disk full"}) {
      SCOPED_TRACE(std::to_string(older) + " " + failing);
      std::filesystem::remove_all(dir), std::filesystem::create_directories(dir);
      if (older) WriteFile(dir + "/p.svg", "older picture"), WriteFile(dir + "/p.vtk", "older vtk");
      if (older) WriteFile(dir + "/p.svg." + std::to_string(::getpid()) + "-0.part", "another's");  // name taken: the next
      const auto before = listing();
      gFailRenameTo = failing.size() == 5 ? failing : "";
      if (failing.size() > 5) ::setrlimit(RLIMIT_FSIZE, &full);
      const RunResult r = RunInProcess(install, {"1/", "--picture", dir + "/p.svg", "--vtk", dir + "/p.vtk"});
      ::setrlimit(RLIMIT_FSIZE, &saved), gFailRenameTo.clear();
      const auto after = listing();
      if (!failing.empty()) {
        EXPECT_EQ(r.stderrText, "orvant-in: cannot write " + dir + "/" + failing.substr(0, 5) + "\n");
        EXPECT_EQ(after, before);
      } else {
        EXPECT_TRUE(r.status == 0 && after.size() == 2u + older && after.at("p.svg").starts_with("<?xml") &&
                    after.at("p.vtk").starts_with("# vtk")) << r.stderrText;
      }
    }
}

// For every kind of load: the loads drawn are the rows listed (but on nodes not drawn);
// the nodal forces and global beam point loads drawn add up, to the legend's scale, to their rows.
TEST(Views, LoadsDrawnAreTheRowsListedAndAddUpToThem) {
  TestModel generated = Nodes({{0, 0, 0}, {4, 0, 0}, {4, 3, 0}, {4, 3, 5}, {0, 3, 5}, {0, 0, 5}});
  generated.geoms.resize(61), generated.mats.resize(2);
  generated.nodes.push_back(NodeRec{false});  // 7 does not exist
  for (auto [a, b, code] : {std::tuple{1, 2, 1}, {2, 3, 1}, {3, 4, 2}, {4, 4, 1}, {5, 6, 2}}) generated.AddElement(a, b, code, 1, 4);
  generated.elements.push_back(ElementRec{.geom = 3, .solidType = 1, .solidNodes = {1, 2, 3, 5}});  // 6
  for (int code = 4; code <= 59; ++code) generated.AddElement(1, 2, code, 1, 4);  // more codes than the legend holds
  generated.elements.push_back(ElementRec{.geom = 60, .solidType = 1, .solidNodes = {2, 3, 4, 6}});  // 63: code 60's one cell
  generated.restraints = {{2, {1, 0, 1, 0, 0, 0}}};  // and a support, partly fixed: a row of the legend
  const std::string every = "LDESC Every kind\r\nAMBT 20\r\nND,1,0.001,0,0.002\r\nND,7,0.5\r\nNF,2,1500,-2500,0,0,0,0\r\n"
      "NF,3,0,0,-4000,0,300,0,750\r\nNF,7,1000\r\nNF,4,,,,,,,250\r\nEP,1,1,0.5,0,-3000,200,0,0,0\r\nEP,2,2,0.25,100\r\n"
      "EP,4,1,0,5000\r\nEP,1,1,0.5,0,0,600,0,0,40\r\nED,2,1,0,0,0,0,-100,-300,0,0\r\nED,3,0,0,0,5\r\nUDL,5,0,-200,0\r\nED,4,1,0,0,7\r\n"
      "FP,6,-2,3,10,10,10,10\r\nPUDL,1,3,-50\r\nPUDL,3,0,7\r\nPTEMP,60,75\r\nPTEMP,1,60\r\nPPRESS,2,0,5\r\nTEPR,5,0,0,,3\r\n"
      "TEPR,3,90,2E5\r\nNT,1,35\r\nNT,7,40\r\nACCEL,0,0,-9.81\r\nLSUM,100,0,-500\r\nCOF,1,1,1,1,1,1,2,2,2\r\n";
  // The rows listed but not drawn (on node 7, which does not exist).
  const std::vector<std::string> notDrawn = {
      "NODAL TEMPERATURES: 7 40.00", "PRESCRIBED DISPLACEMENTS: 7 5.000E-01 0.000E+00 0.000E+00 0.000E+00 0.000E+00 0.000E+00"};
  TestInstall install;
  install.WriteModel(generated), install.WriteModelText(".L1", every);
  ASSERT_EQ(RunInProcess(install, {"1/"}).status, 0);
  const auto listed = CaseRows(install.Listing(), 1);
  std::set<std::string> drawn;
  for (const auto& [section, rows] : listed) for (const std::string& row : rows) drawn.insert(section + ": " + row);
  for (const std::string& row : notDrawn) EXPECT_EQ(drawn.erase(row), 1u) << row;
  const std::string file = install.root.path + "/p.svg";
  for (const auto& [view, up] : {std::pair{View::kXy, Up::kZ}, {View::kYz, Up::kY}}) {
    const RunResult r = RunInProcess(install, {"1/", "--picture", file, "--view", ViewName(view), "--up", UpName(up),
                                               "--load-case", "1"});
    ASSERT_EQ(r.status, 0) << r.stderrText;
    const std::string svg = ReadFileText(file);
    EXPECT_EQ(DrawnRows(svg), drawn);
    // The legend, its codes cut short, fills its column to above the triad's top label (12 px high, on 762).
    double lowest = 0;
    for (size_t at = svg.find(" y=\"", svg.find("<g id=\"legend\"")), end = svg.find("<g id=\"gravity\""); at < end; at = svg.find(" y=\"", at + 1)) lowest = std::max(lowest, std::strtod(svg.c_str() + at + 4, nullptr));
    EXPECT_TRUE(Has(svg, "more codes") && lowest > 750 - 18 && lowest <= 750) << lowest;
    // The forces of the rows, summed, against the arrows drawn.
    const double perCm = std::strtod(svg.c_str() + svg.find("arrow of 1 cm = ") + 16, nullptr);
    for (auto [section, id, first] :
         {std::tuple{"LOAD (NODAL) DATA", "nodal-forces", 1}, {"BEAM ELEMENT POINT LOADS", "point-loads", 3}}) {
      Vector3 sum{};
      for (const std::string& row : listed.count(section) ? listed.at(section) : std::multiset<std::string>{}) {
        std::istringstream words(row);
        std::vector<std::string> w{std::istream_iterator<std::string>(words), {}};
        for (size_t k = 0; k < 3 && w[1] != "Lo"; ++k) sum[k] += std::stof(w[static_cast<size_t>(first) + k]);
      }
      const PagePoint want = PageVector(sum, perCm, view, up), got = ArrowSum(svg, id);
      EXPECT_LT(std::hypot(got.x - want.x, got.y - want.y), 0.05) << id << " " << got.x << " " << got.y;
    }
  }
}
