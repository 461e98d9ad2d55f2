// The picture and the VTK file written by the real binary: instead of the
// listing, in batch and interactive mode, nothing written on bad use; the
// example model's picture opened by a real browser and its VTK file read by
// VTK's own reader. The tools come from Debian packages (.ci/run installs
// them); where one is missing the test is skipped with what to install, or
// fails when ORVANT_REQUIRE_TOOLS is set (as in CI).
// ORVANT_UPDATE_EXPECTED=1 rewrites docs/frame.svg, docs/frame.png and the
// pictures of the example's load case 2, docs/frame-case2.svg and .png.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <regex>
#include <set>
#include <sstream>
#include <tuple>

#include "install/tools.h"
#include "support/example_frame.h"
#include "support/model_builder.h"

using namespace orvant::testing;
namespace fs = std::filesystem;

namespace {

const std::string kSourceDir = ORVANT_SOURCE_DIR;
const std::string kPython = "/usr/bin/python3";  // Debian's, which sees Debian's modules
const std::string kExampleOptions = "1/1/1/1/0/1/1/1/1/1/0/1/";  // group set 1 active

int Shell(const std::string& command) { return RunCommand(command).status; }
bool HavePython(const std::string& module) { return Shell(kPython + " -c 'import " + module + "'") == 0; }

// Every file of a directory with its contents.
std::map<std::string, std::string> Snapshot(const std::string& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(dir))
    files[entry.path().filename().string()] = fs::is_regular_file(entry) ? ReadFileText(entry.path().string()) : "<dir>";
  return files;
}

// The example model installed; out is an empty directory for the views.
struct ExampleInstall {
  TestInstall install;
  std::string out = install.root.path + "/out";
  ExampleInstall() {
    fs::copy(kSourceDir + "/examples/frame", install.modelDir, fs::copy_options::overwrite_existing | fs::copy_options::recursive);
    fs::create_directories(out);
  }
  RunResult Run(const std::vector<std::string>& args) { return RunBinary(ORVANT_BINARY, install, args); }
};

// The example's picture and VTK file, the picture of its load case 2 and
// the VTK file with every case, and its listing, written once for the tests
// below.
struct ExampleViews {
  ExampleInstall example;
  std::string svg = example.out + "/frame.svg", vtk = example.out + "/frame.vtk";
  std::string caseSvg = example.out + "/frame-case2.svg", casesVtk = example.out + "/frame-cases.vtk";
  RunResult result = example.Run({kExampleOptions, "--picture", svg, "--vtk", vtk, "--up", "y"});
  RunResult caseResult = example.Run({kExampleOptions, "--picture", caseSvg, "--up", "y", "--load-case", "2"});
  RunResult casesResult = example.Run({kExampleOptions, "--vtk", casesVtk, "--load-case", "all"});
  RunResult listed = example.Run({kExampleOptions});
  std::string listing = ReadFileText(example.install.ModelPath() + ".MTM");
  bool Ok() const {
    return result.status == 0 && caseResult.status == 0 && casesResult.status == 0 && listed.status == 0;
  }
};

const ExampleViews& Example() {
  static const ExampleViews views;
  return views;
}

// The red, green and blue bytes of a binary PPM file (empty when it is not one).
std::vector<unsigned char> ReadPpm(const std::string& path, int width, int height) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int w = 0, h = 0, maxValue = 0;
  in >> magic >> w >> h >> maxValue;
  in.get();
  std::vector<unsigned char> rgb(3 * static_cast<size_t>(w) * h);
  in.read(reinterpret_cast<char*>(rgb.data()), static_cast<std::streamsize>(rgb.size()));
  return in && magic == "P6" && maxValue == 255 && w == width && h == height ? rgb : std::vector<unsigned char>{};
}

// What VTK's reader found: points, cells (type first), data arrays.
struct VtkSummary {
  std::vector<std::array<float, 3>> points;
  std::vector<std::vector<long>> cells;
  std::map<std::string, std::vector<double>> cellData, pointData;  // vectors' components one after the other
};

VtkSummary ParseSummary(const std::string& text) {
  VtkSummary s;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream in(line);
    std::string kind, name;
    in >> kind;
    if (kind == "point") {
      double p[3] = {};
      in >> p[0] >> p[1] >> p[2];
      s.points.push_back({static_cast<float>(p[0]), static_cast<float>(p[1]), static_cast<float>(p[2])});
      continue;
    }
    if (kind != "cell") in >> name;
    std::vector<double> values;
    for (double v; in >> v;) values.push_back(v);
    if (kind == "cell")
      s.cells.emplace_back(values.begin(), values.end());
    else
      (kind == "cell_data" ? s.cellData : s.pointData)[name] = values;
  }
  return s;
}

// What the model builder wrote, in the file's terms: existing nodes in label
// order; elements (first two nodes differing, not solids), solids,
// springs/couples (first node above 0 and not an undefined one to ground).
VtkSummary ExpectedSummary(const TestModel& m, const std::vector<GroupEntry>& groups) {
  VtkSummary s;
  std::map<int, long> point;
  std::map<std::pair<int, int>, long> group;  // absent: 0
  for (const GroupEntry& g : groups) group[{g.kind, g.label}] = g.group;
  std::map<int, std::array<int16_t, 6>> restraint;
  for (const RestraintRec& r : m.restraints) restraint[r.node] = r.codes;
  for (int n = 1; n < static_cast<int>(m.nodes.size()); ++n) {
    const NodeRec& r = m.nodes[static_cast<size_t>(n)];
    if (!r.exists) continue;
    point[n] = static_cast<long>(s.points.size());
    s.points.push_back({r.x, r.y, r.z});
    s.pointData["label"].push_back(n);
    s.pointData["group"].push_back(group[{2, n}]);
    const char* names[] = {"Tx", "Ty", "Tz", "Rx", "Ry", "Rz"};
    for (size_t c = 0; c < 6; ++c) s.pointData[names[c]].push_back(restraint[n][c]);
  }
  auto addCell = [&](std::vector<long> cell, int label, int kind, long type = 0, long geom = 0, long mat = 0) {
    s.cells.push_back(cell);
    const long grp = group[{kind == 3 ? 3 : 1, label}];
    for (auto [name, v] : {std::pair{"label", long{label}}, {"type", type}, {"geom_code", geom}, {"mat_code", mat},
                           {"group", grp}, {"kind", long{kind}}})
      s.cellData[name].push_back(v);
  };
  for (int kind : {1, 2}) {
    for (int e = 1; e < static_cast<int>(m.elements.size()); ++e) {
      const ElementRec& r = m.elements[static_cast<size_t>(e)];
      if (kind == 1 && r.solidType == 0 && r.n1 != r.n2)
        addCell({3, point.at(r.n1), point.at(r.n2)}, e, kind, r.type, r.geom, r.mat);
      if (kind == 1 || r.solidType == 0) continue;
      std::vector<long> cell{r.solidNodes.size() >= 4 ? 41 : -1};
      for (int16_t n : r.solidNodes) cell.push_back(point.at(n));
      addCell(cell, e, kind, r.type, r.geom, r.mat);
    }
  }
  for (int k = 1; k < static_cast<int>(m.springs.size()); ++k) {
    const SpringRec& r = m.springs[static_cast<size_t>(k)];
    if (r.n1 <= 0 || (r.n1 == r.n2 && r.defined == 0)) continue;
    addCell(r.n1 == r.n2 ? std::vector<long>{1, point.at(r.n1)} : std::vector<long>{3, point.at(r.n1), point.at(r.n2)},
            k, 3);
  }
  return s;
}

}  // namespace

// Batch, interactive and direct mode: the files asked for are written, no
// listing and no comment file (not even with load cases read), the model's
// files untouched; several load cases with a picture are one note on
// standard error. Bad use, start-up failures and a load case that does not
// exist: exit 2, one line on standard error, and nothing written: neither
// view file (not even the one that could be written).
TEST(ViewFiles, WrittenInsteadOfTheListingOrNothingOnBadUse) {
  ExampleInstall example;
  example.install.WriteRunControl("\"\",\"1\",1,1,1,0,1,1,1,1,1,0,\"\",0,0,\"\",\"\"\r\n");
  const std::string model = example.install.modelDir, out = example.out, usage = " (orvant-in --help shows the usage)\n";
  const std::string picture = out + "/batch.svg", vtk = out + "/batch.vtk", interactive = out + "/interactive.svg",
                    direct = out + "/direct.vtk", missingDir = example.install.root.path + "/no/such/dir/p.svg";
  // The files written, or the message after "orvant-in: " (a prefix for the
  // start-up failure, after the model loses its nodes; a note does not fail).
  const std::tuple<std::vector<std::string>, std::vector<std::string>, std::string> runs[] = {
      {{"1/1/1/", "--picture", picture, "--vtk", vtk}, {picture, vtk}, ""},
      {{"--picture=" + interactive, "--view=xz", "--no-labels"}, {interactive}, ""},
      {{"--model", example.install.ModelPath(), "--vtk", direct}, {direct}, ""},
      {{"1/", "--picture", out + "/c.svg", "--vtk", out + "/c.vtk", "--load-case=4,2"}, {out + "/c.svg", out + "/c.vtk"},
       "note: the picture shows load case 2, the first of the 2 asked for\n"},
      {{"1/", "--picture", out + "/p.svg", "--load-case", "7"}, {},
       "load case 7 does not exist: no file " + model + "/FRAME.L7\n"},
      {{"1/", "--vtk", out + "/p.vtk", "--load-case", "1,5-98"}, {}, "no load case from 5 to 98 exists\n"},
      {{"1/", "--vtk", out + "/p.vtk", "--load-case", "100"}, {}, "load case 100 is above the maximum load label 99\n"},
      {{"1/", "--load-case", "2"}, {}, "--load-case applies to --picture and --vtk" + usage},
      {{"1/", "--picture", missingDir}, {}, "cannot write " + missingDir + "\n"},
      {{"1/", "--picture", out + "/p.svg", "--vtk", model}, {}, "cannot write " + model + "\n"},
      {{"1/", "--vtk", out + "/p.vtk", "--picture", out}, {}, "cannot write " + out + "\n"},
      {{"1/", "--picture", out + "/p.svg", "--view", "top"}, {}, "unknown view 'top' (iso, xy, yz or xz)" + usage},
      {{"1/", "--vtk", out + "/p.vtu"}, {}, "--vtk writes the legacy VTK format: name the file .vtk" + usage},
      {{"1/", "--picture", out + "/p.svg"}, {}, "cannot open " + model + "/FRAME.XYZ"},
  };
  for (const auto& [args, written, message] : runs) {
    SCOPED_TRACE(::testing::PrintToString(args));
    if (message.rfind("cannot open", 0) == 0) fs::remove(model + "/FRAME.XYZ");
    const auto before = Snapshot(model), outBefore = Snapshot(out);
    const RunResult r = example.Run(args);
    EXPECT_EQ(r.status, message.empty() || message.rfind("note:", 0) == 0 ? 0 : 2);
    EXPECT_TRUE(message.empty() ? r.stderrText.empty() : r.stderrText.rfind("orvant-in: " + message, 0) == 0) << r.stderrText;
    EXPECT_EQ(std::count(r.stderrText.begin(), r.stderrText.end(), '\n'), message.empty() ? 0 : 1);
    for (const std::string& file : written) EXPECT_GT(fs::file_size(file), 1000u) << file;
    EXPECT_EQ(Snapshot(out).size(), outBefore.size() + written.size());
    EXPECT_EQ(Snapshot(model), before);
  }
  EXPECT_EQ(ReadFileText(vtk).rfind("# vtk DataFile Version 3.0\nFRAME: Two-bay portal frame with a pipe run\n", 0), 0u);
  EXPECT_NE(ReadFileText(interactive).find("view xz"), std::string::npos);
  EXPECT_EQ(ReadFileText(interactive).find("id=\"labels\""), std::string::npos);
  EXPECT_EQ(ReadFileText(direct), ReadFileText(vtk));
}

// The pictures in the README are what the program writes for the example,
// and they are well-formed XML.
TEST(ExampleViews, CommittedPicturesAreWhatTheProgramWritesAndWellFormed) {
  const ExampleViews& v = Example();
  ASSERT_TRUE(v.Ok()) << v.result.stderrText << v.caseResult.stderrText;
  for (const auto& [written, name] : {std::pair{v.svg, "frame.svg"}, {v.caseSvg, "frame-case2.svg"}}) {
    const std::string committed = kSourceDir + "/docs/" + name;
    if (std::getenv("ORVANT_UPDATE_EXPECTED")) WriteFile(committed, ReadFileText(written));
    EXPECT_TRUE(ReadFileText(written) == ReadFileText(committed))
        << "docs/" << name << " is out of date: rerun with ORVANT_UPDATE_EXPECTED=1 and review it";
  }
  NEED_TOOL(HavePython("xml.etree.ElementTree"), "python3 (Debian's /usr/bin/python3)");
  for (const std::string& svg : {v.svg, v.caseSvg})
    EXPECT_EQ(Shell(kPython + " -c 'import sys, xml.etree.ElementTree as x; x.parse(sys.argv[1])' " + ShellWord(svg)), 0);
}

// Headless Chromium opens the pictures. The model's screenshot is not blank,
// has drawing in the middle of the page and the elements' colours; that of
// load case 2 has the arrows of its beam and distributed loads in their
// colours, on the model and in the legend's scale rows.
TEST(ExampleViews, PicturesOpenInABrowser) {
  const ExampleViews& v = Example();
  ASSERT_TRUE(v.Ok()) << v.result.stderrText << v.caseResult.stderrText;
  NEED_TOOL(HaveTool("chromium"), "chromium (apt-get install --no-install-recommends chromium)");
  NEED_TOOL(HavePython("PIL"), "python3-pil (apt-get install --no-install-recommends python3-pil)");
  TempDir dir;
  for (const auto& [svg, name] : {std::pair{v.svg, "frame"}, {v.caseSvg, "frame-case2"}}) {
    SCOPED_TRACE(name);
    const std::string png = dir.path + "/" + name + ".png", ppm = dir.path + "/shot.ppm", log = dir.path + "/chromium.log";
    const int status = Shell("timeout 120 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run "
                             "--disable-background-networking --disable-component-update --disable-sync --user-data-dir=" +
                             ShellWord(dir.path + "/profile") + " --screenshot=" + ShellWord(png) +
                             " --window-size=1200,900 " + ShellWord("file://" + svg) + " >" + ShellWord(log) + " 2>&1");
    ASSERT_EQ(status, 0) << ReadFileText(log);
    ASSERT_EQ(Shell(kPython + " " + ShellWord(kSourceDir + "/tests/tools/png_to_ppm.py") + " " + ShellWord(png) + " " +
                    ShellWord(ppm)),
              0);
    const std::vector<unsigned char> rgb = ReadPpm(ppm, 1200, 900);
    ASSERT_FALSE(rgb.empty()) << "not a 1200 x 900 screenshot";
    // Pixels drawn, in the middle, and of code 1's colour, of the force and
    // of the distributed load colours (on the model and in the legend), as
    // anti-aliasing leaves them.
    long drawn = 0, middle = 0, elementColour = 0, force[2] = {}, distributed[2] = {};
    auto near = [](const unsigned char* p, int rgb) {
      return std::abs(p[0] - (rgb >> 16)) + std::abs(p[1] - (rgb >> 8 & 255)) + std::abs(p[2] - (rgb & 255)) < 60;
    };
    for (size_t i = 0; i < rgb.size(); i += 3) {
      const unsigned char* p = &rgb[i];
      const size_t x = i / 3 % 1200, y = i / 3 / 1200;
      if (p[0] > 235 && p[1] > 235 && p[2] > 235) continue;
      ++drawn;
      middle += x >= 400 && x < 800 && y >= 300 && y < 600;
      elementColour += near(p, 0x1b6ca8);
      force[x >= 1000] += near(p, 0xc62828);
      distributed[x >= 1000] += near(p, 0xef6c00);
    }
    const double share = static_cast<double>(drawn) / (1200 * 900);
    EXPECT_GT(share, 0.005) << "blank screenshot";
    EXPECT_LT(share, 0.5) << "screenshot mostly not white";
    EXPECT_GT(middle, 200) << "nothing drawn in the middle of the page";
    if (svg == v.svg) {
      EXPECT_GT(elementColour, 300) << "no element drawn in its code's colour";
    } else {
      EXPECT_GT(force[0], 40) << "no beam point load arrow";
      EXPECT_GT(distributed[0], 400) << "no distributed load arrows";
      EXPECT_GT(force[1], 10) << "no force scale in the legend";
      EXPECT_GT(distributed[1], 10) << "no distributed load scale in the legend";
    }
    if (std::getenv("ORVANT_UPDATE_EXPECTED"))
      fs::copy_file(png, kSourceDir + "/docs/" + name + ".png", fs::copy_options::overwrite_existing);
  }
}

// The sum of each component of an array's tuples.
std::vector<double> ComponentSums(const std::vector<double>& values, size_t components) {
  std::vector<double> sums(components);
  for (size_t i = 0; i < values.size(); ++i) sums[i % components] += values[i];
  return sums;
}

// VTK's own reader finds the nodes, cells, cell types and data arrays of the
// example as the model builder wrote them; in the file with every load case
// the same, and for each case the arrays of the kinds it has, a value per
// node or per element, adding up to the rows the listing prints for it.
TEST(ExampleViews, VtkFilesReadByVtk) {
  const ExampleViews& v = Example();
  ASSERT_TRUE(v.Ok()) << v.result.stderrText << v.casesResult.stderrText;
  NEED_TOOL(HavePython("vtk"), "python3-vtk9 (apt-get install --no-install-recommends python3-vtk9)");
  TempDir dir;
  auto read = [&dir](const std::string& vtk) {
    const std::string summaryFile = dir.path + "/summary.txt";
    EXPECT_EQ(Shell(kPython + " " + ShellWord(kSourceDir + "/tests/tools/vtk_summary.py") + " " + ShellWord(vtk) + " >" +
                    ShellWord(summaryFile) + " 2>&1"),
              0)
        << ReadFileText(summaryFile);
    return ParseSummary(ReadFileText(summaryFile));
  };
  const VtkSummary got = read(v.vtk), withCases = read(v.casesVtk);
  const VtkSummary expected = ExpectedSummary(ExampleFrame(), ExampleGroups());

  EXPECT_EQ(got.points, expected.points);
  EXPECT_EQ(got.cells, expected.cells);
  EXPECT_EQ(got.cellData, expected.cellData);
  EXPECT_EQ(got.pointData, expected.pointData);
  // The example has every kind: lines, a solid of eight nodes, a spring/couple
  // between two nodes and one to ground.
  std::map<long, int> types;
  for (const auto& cell : got.cells) ++types[cell.at(0)];
  EXPECT_EQ(types, (std::map<long, int>{{1, 1}, {3, 25}, {41, 1}}));

  // The load case arrays ("cell NAME", "point NAME"), after the model's.
  EXPECT_EQ(withCases.points, got.points);
  EXPECT_EQ(withCases.cells, got.cells);
  std::map<std::string, std::vector<double>> added;
  for (const auto& [kind, arrays, model] : {std::tuple{"cell ", &withCases.cellData, &got.cellData},
                                            {"point ", &withCases.pointData, &got.pointData}}) {
    for (const auto& [name, values] : *arrays) {
      if (model->count(name)) EXPECT_EQ(values, model->at(name)) << name;
      else added[kind + name] = values;
    }
  }

  // What the listing's rows add up to, per array ("point case4_force").
  const std::vector<double>& labels = got.cellData.at("label");
  const std::vector<double>& codes = got.cellData.at("geom_code");
  const std::vector<double>& kinds = got.cellData.at("kind");
  std::map<std::string, std::vector<double>> want;
  for (int c = 1; c <= 4; ++c) {
    const auto rows = CaseRows(v.listing, c);
    auto section = [&rows](const char* title) {
      return rows.count(title) ? rows.at(title) : std::multiset<std::string>{};
    };
    auto add = [&want, c](const std::string& kind, const std::string& array, const std::vector<double>& sums) {
      auto& w = want[kind + " case" + std::to_string(c) + "_" + array];
      w.resize(sums.size());
      for (size_t k = 0; k < sums.size(); ++k) w[k] += sums[k];
    };
    // A row's numbers: its label's, then its words' as read ("Gl" and
    // "Full" read as 0).
    auto numbers = [](const std::string& row) {
      std::istringstream in(row);
      std::vector<double> out;
      for (std::string w; in >> w;) out.push_back(out.empty() ? std::stoi(w) : std::strtod(w.c_str(), nullptr));
      return out;
    };
    for (const std::string& row : section("LOAD (NODAL) DATA")) {
      const auto n = numbers(row);  // node Fx Fy Fz Mx My Mz [mass]
      if (n[1] || n[2] || n[3]) add("point", "force", {n[1], n[2], n[3]});
      if (n[4] || n[5] || n[6]) add("point", "moment", {n[4], n[5], n[6]});
    }
    for (const std::string& row : section("PRESCRIBED DISPLACEMENTS")) {
      const auto n = numbers(row);
      add("point", "displacement", {n[1], n[2], n[3]});
    }
    for (const std::string& row : section("NODAL TEMPERATURES")) add("point", "temperature", {numbers(row)[1]});
    // Distributed loads in global axes over their full span (the example's
    // partial one is in local axes): the mean of start and finish.
    for (const std::string& row : section("BEAM ELEMENT DISTRIBUTED LOADS")) {
      const auto n = numbers(row);
      const std::vector<double> w(n.end() - 6, n.end());
      if (row.find(" Lo ") != std::string::npos || w == std::vector<double>(6, 0.0)) continue;
      EXPECT_NE(row.find(" 0.0 Full Span "), std::string::npos) << row;
      add("cell", "distributed", {(w[0] + w[1]) / 2, (w[2] + w[3]) / 2, (w[4] + w[5]) / 2});
    }
    for (const std::string& row : section("UDL LOADING BY GEOMETRIC PROPERTY CODE")) {
      const auto n = numbers(row);  // code, axes, X Y Z on every element of the code
      for (double code : codes)
        if (code == n[0]) add("cell", "distributed", {n[2], n[3], n[4]});
    }
    // Temperature and internal pressure: an element's own row, else its code's.
    std::map<int, std::vector<double>> own, byCode;
    for (const std::string& row : section("TEMPERATURE & INT. PRESSURE LOADING"))
      own[static_cast<int>(numbers(row)[0])] = numbers(row);
    for (const std::string& row : section("PRESSURE & TEMP LOADING BY GEOMETRIC PROPERTY CODE"))
      byCode[static_cast<int>(numbers(row)[0])] = numbers(row);
    for (size_t cell = 0; cell < labels.size(); ++cell) {
      const int label = static_cast<int>(labels[cell]), code = static_cast<int>(codes[cell]);
      if (kinds[cell] == 3 || (!own.count(label) && !byCode.count(code))) continue;
      // The label, temperature, pressure ...
      const std::vector<double>& n = own.count(label) ? own.at(label) : byCode.at(code);
      if (n[1]) add("cell", "temperature", {n[1]});
      if (n[2]) add("cell", "pressure", {n[2]});
    }
  }
  std::set<std::string> names;
  for (const auto& [name, values] : added) names.insert(name);
  for (const auto& [name, sums] : want) {
    EXPECT_TRUE(added.count(name)) << name;
    if (!added.count(name)) continue;
    const std::vector<double>& values = added.at(name);
    EXPECT_EQ(values.size(), sums.size() * (name[0] == 'c' ? labels.size() : got.points.size())) << name;
    const std::vector<double> total = ComponentSums(values, sums.size());
    for (size_t k = 0; k < sums.size(); ++k) EXPECT_NEAR(total[k], sums[k], 1e-4 * (1 + std::fabs(sums[k]))) << name;
  }
  EXPECT_EQ(names.size(), want.size());
  EXPECT_EQ(names, (std::set<std::string>{"cell case2_distributed", "cell case3_pressure", "cell case3_temperature",
                                          "point case3_temperature", "point case4_displacement", "point case4_force",
                                          "point case4_moment"}));
}
