// The picture and the VTK file written by the real binary: instead of the
// listing, in batch and interactive mode, nothing written on bad use; the
// example model's picture opened by a real browser and its VTK file read by
// VTK's own reader. The tools come from Debian packages (.ci/run installs
// them); where one is missing the test is skipped with what to install, or
// fails when ORVANT_REQUIRE_TOOLS is set (as in CI).
// ORVANT_UPDATE_EXPECTED=1 rewrites docs/frame.svg, docs/frame.png and the
// pictures of the example's load case 2, docs/frame-case2.svg and .png.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <tuple>

#include "install/tools.h"
#include "run/run_context.h"
#include "support/example_frame.h"
#include "support/model_builder.h"
#include "support/start_up.h"
#include "views/drawn_model.h"
#include "views/vtk_export.h"

using namespace orvant;
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

// What VTK's reader found (tests/tools/vtk_summary.py): points, cells (type
// first), data arrays (a vector's components one after the other).
struct VtkSummary {
  std::vector<std::array<float, 3>> points;
  std::vector<std::vector<long>> cells;
  std::map<std::string, std::vector<double>> cellData, pointData;
};

VtkSummary ReadVtk(const std::string& vtk, const std::string& dir) {
  const std::string text = dir + "/summary.txt";
  EXPECT_EQ(Shell(kPython + " " + ShellWord(kSourceDir + "/tests/tools/vtk_summary.py") + " " + ShellWord(vtk) + " >" +
                  ShellWord(text) + " 2>&1"), 0) << ReadFileText(text);
  VtkSummary s;
  std::istringstream lines(ReadFileText(text));
  for (std::string line; std::getline(lines, line);) {
    std::istringstream in(line);
    std::string kind, name;
    in >> kind;
    if (kind != "cell" && kind != "point") in >> name;
    std::vector<double> v{std::istream_iterator<double>(in), {}};
    if (kind == "point") s.points.push_back({static_cast<float>(v[0]), static_cast<float>(v[1]), static_cast<float>(v[2])});
    else if (kind == "cell") s.cells.emplace_back(v.begin(), v.end());
    else (kind == "cell_data" ? s.cellData : s.pointData)[name] = v;
  }
  return s;
}

// The example's model as the run collects it to draw, in the reader's terms.
VtkSummary DrawnExample() {
  TestInstall install;
  WriteExampleModel(install.modelDir);
  ::setenv("XDG_CONFIG_HOME", install.configHome.c_str(), 1);
  const auto ctx = std::make_unique<RunContext>();
  StartUp(*ctx, kExampleOptions, false);
  const DrawnModel d = CollectDrawnModel(ctx->settings, ctx->model);
  VtkSummary s{d.positions, {}, {}, {}};
  auto add = [&s](std::vector<long> cell, std::vector<double> data) {
    s.cells.push_back(cell);
    const char* names[] = {"label", "type", "geom_code", "mat_code", "group", "kind"};
    for (size_t k = 0; k < 6; ++k) s.cellData[names[k]].push_back(data[k]);
  };
  for (const auto& l : d.lines)
    add({kVtkLine, l.a, l.b}, {1.0 * l.label, 1.0 * l.type, 1.0 * l.geom, 1.0 * l.mat, 1.0 * l.group, kKindElement});
  for (const auto& v : d.solids) {
    std::vector<long> cell{SolidCellType(v.count)};
    cell.insert(cell.end(), d.solidPoints.begin() + v.first, d.solidPoints.begin() + v.first + v.count);
    add(cell, {1.0 * v.label, 1.0 * v.type, 1.0 * v.geom, 1.0 * v.mat, 1.0 * v.group, kKindSolid});
  }
  for (const auto& sp : d.springs)
    add(sp.a == sp.b ? std::vector<long>{kVtkVertex, sp.a} : std::vector<long>{kVtkLine, sp.a, sp.b},
        {1.0 * sp.label, 0, 0, 0, 1.0 * sp.group, kKindSpring});
  for (size_t p = 0; p < d.positions.size(); ++p) {
    s.pointData["label"].push_back(d.nodeLabels[p]);
    s.pointData["group"].push_back(d.nodeGroups[p]);
    for (size_t c = 0; c < 6; ++c) s.pointData[std::string("TR").substr(c / 3, 1) + "xyz"[c % 3]].push_back(d.restraints[p][c]);
  }
  return s;
}

}  // namespace

// Batch, interactive and direct mode: the files asked for are written, no
// listing and no comment file (not even with load cases read), the model's
// files untouched; several load cases with a picture are one note on
// standard error. Bad use, start-up failures and a load case that does not
// exist: exit 2, one line on standard error, and nothing written: neither
// view file (not even the one that could be written), an older one kept.
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
      {{"1/", "--picture", missingDir}, {}, "cannot write " + missingDir + "\n"},
      {{"1/", "--picture", out + "/p.svg", "--vtk", model}, {}, "cannot write " + model + "\n"},
      {{"1/", "--vtk", out + "/p.vtk", "--picture", out}, {}, "cannot write " + out + "\n"},
      {{"1/", "--picture", out + "/p.svg", "--view", "top"}, {}, "unknown view 'top' (iso, xy, yz or xz)" + usage},
      {{"1/", "--picture", out + "/p.svg"}, {}, "cannot open " + model + "/FRAME.XYZ"},
  };
  WriteFile(out + "/p.svg", "older picture");  // kept whatever fails
  for (const auto& [args, written, message] : runs) {
    SCOPED_TRACE(::testing::PrintToString(args));
    if (message.rfind("cannot open", 0) == 0) fs::remove(model + "/FRAME.XYZ");
    const auto before = Snapshot(model), outBefore = Snapshot(out);
    const RunResult r = example.Run(args);
    EXPECT_EQ(r.status, message.empty() || message.rfind("note:", 0) == 0 ? 0 : 2);
    EXPECT_TRUE(message.empty() ? r.stderrText.empty() : r.stderrText.rfind("orvant-in: " + message, 0) == 0) << r.stderrText;
    EXPECT_EQ(std::count(r.stderrText.begin(), r.stderrText.end(), '\n'), message.empty() ? 0 : 1);
    for (const std::string& file : written) EXPECT_GT(fs::file_size(file), 1000u) << file;
    const auto outAfter = Snapshot(out);
    EXPECT_EQ(outAfter.size(), outBefore.size() + written.size());
    if (written.empty()) { EXPECT_EQ(outAfter, outBefore); }
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
      ++drawn, middle += x >= 400 && x < 800 && y >= 300 && y < 600, elementColour += near(p, 0x1b6ca8);
      force[x >= 1000] += near(p, 0xc62828), distributed[x >= 1000] += near(p, 0xef6c00);
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

// VTK's own reader finds in the example's file the model as the run
// collects it to draw; in the file with every load case the same, and for
// each case the arrays of the kinds it has, a value per node or per element,
// adding up to the rows the listing prints for it.
TEST(ExampleViews, VtkFilesReadByVtk) {
  const ExampleViews& v = Example();
  ASSERT_TRUE(v.Ok()) << v.result.stderrText << v.casesResult.stderrText;
  NEED_TOOL(HavePython("vtk"), "python3-vtk9 (apt-get install --no-install-recommends python3-vtk9)");
  TempDir dir;
  const VtkSummary got = ReadVtk(v.vtk, dir.path), withCases = ReadVtk(v.casesVtk, dir.path), want = DrawnExample();
  EXPECT_EQ(got.points, want.points);
  EXPECT_EQ(got.cells, want.cells);
  EXPECT_EQ(got.cellData, want.cellData);
  EXPECT_EQ(got.pointData, want.pointData);
  std::map<long, int> types;  // lines, a solid of eight nodes, a spring/couple between nodes and one to ground
  for (const auto& cell : got.cells) ++types[cell.at(0)];
  EXPECT_EQ(types, (std::map<long, int>{{1, 1}, {3, 25}, {41, 1}}));
  EXPECT_EQ(withCases.points, got.points);
  EXPECT_EQ(withCases.cells, got.cells);

  // The load case arrays ("cell NAME", "point NAME") after the model's, each
  // summed per component, against the sums of the listing's rows.
  std::map<std::string, std::vector<double>> added, listed;
  for (const auto& [kind, arrays, model] : {std::tuple{"cell ", &withCases.cellData, &got.cellData},
                                            {"point ", &withCases.pointData, &got.pointData}})
    for (const auto& [name, values] : *arrays) {
      if (model->count(name)) EXPECT_EQ(values, model->at(name)) << name;
      else added[kind + name] = values;
    }
  const std::vector<double>&labels = got.cellData.at("label"), &codes = got.cellData.at("geom_code");
  for (int c = 1; c <= 4; ++c) {
    const auto rows = CaseRows(v.listing, c);
    auto add = [&](const std::string& array, std::vector<double> sums) {
      if (std::all_of(sums.begin(), sums.end(), [](double x) { return x == 0; })) return;
      auto& w = listed[array.substr(0, array.find(' ') + 1) + "case" + std::to_string(c) + "_" + array.substr(array.find(' ') + 1)];
      w.resize(sums.size());
      for (size_t k = 0; k < sums.size(); ++k) w[k] += sums[k];
    };
    // A row's numbers, its label's first ("Gl", "Lo" and "Full" read as 0).
    auto each = [&rows](const char* section, auto use) {
      for (const std::string& row : rows.count(section) ? rows.at(section) : std::multiset<std::string>{}) {
        std::istringstream in(row);
        std::vector<double> n;
        for (std::string w; in >> w;) n.push_back(std::strtod(w.c_str(), nullptr));
        use(n, row);
      }
    };
    each("LOAD (NODAL) DATA", [&](auto n, auto&) {
      add("point force", {n[1], n[2], n[3]}), add("point moment", {n[4], n[5], n[6]});
    });
    each("PRESCRIBED DISPLACEMENTS", [&](auto n, auto&) { add("point displacement", {n[1], n[2], n[3]}); });
    each("NODAL TEMPERATURES", [&](auto n, auto&) { add("point temperature", {n[1]}); });
    // Global distributed loads (the example's over their full span): the
    // mean of start and finish; a code's UDL on every element of the code.
    each("BEAM ELEMENT DISTRIBUTED LOADS", [&](auto n, const std::string& row) {
      if (row.find(" Lo ") != std::string::npos || std::count(n.end() - 6, n.end(), 0.0) == 6) return;
      EXPECT_NE(row.find(" 0.0 Full Span "), std::string::npos) << row;
      const auto w = n.end() - 6;
      add("cell distributed", {(w[0] + w[1]) / 2, (w[2] + w[3]) / 2, (w[4] + w[5]) / 2});
    });
    each("UDL LOADING BY GEOMETRIC PROPERTY CODE", [&](auto n, auto&) {
      for (double code : codes)
        if (code == n[0]) add("cell distributed", {n[2], n[3], n[4]});
    });
    // Temperature and internal pressure: an element's own row, else its code's.
    std::map<int, std::vector<double>> own, byCode;
    each("TEMPERATURE & INT. PRESSURE LOADING", [&](auto n, auto&) { own[static_cast<int>(n[0])] = n; });
    each("PRESSURE & TEMP LOADING BY GEOMETRIC PROPERTY CODE", [&](auto n, auto&) { byCode[static_cast<int>(n[0])] = n; });
    for (size_t cell = 0; cell < labels.size(); ++cell) {
      const int label = static_cast<int>(labels[cell]), code = static_cast<int>(codes[cell]);
      if (got.cellData.at("kind")[cell] == kKindSpring || (!own.count(label) && !byCode.count(code))) continue;
      const std::vector<double>& n = own.count(label) ? own.at(label) : byCode.at(code);
      add("cell temperature", {n[1]}), add("cell pressure", {n[2]});
    }
  }
  std::map<std::string, std::vector<double>> sums;
  for (const auto& [name, values] : added) {
    const size_t components = listed.count(name) ? listed.at(name).size() : 1;
    EXPECT_EQ(values.size(), components * (name[0] == 'c' ? labels.size() : got.points.size())) << name;
    auto& sum = sums[name];
    sum.resize(components);
    for (size_t i = 0; i < values.size(); ++i) sum[i % components] += values[i];
  }
  for (const auto& [name, want] : listed) {
    ASSERT_TRUE(sums.count(name)) << name;
    for (size_t k = 0; k < want.size(); ++k) EXPECT_NEAR(sums[name][k], want[k], 1e-4 * (1 + std::fabs(want[k]))) << name;
  }
  EXPECT_EQ(sums.size(), listed.size());
  EXPECT_EQ(sums.size(), 7u);  // the example's cases have seven kinds of load arrays
}
