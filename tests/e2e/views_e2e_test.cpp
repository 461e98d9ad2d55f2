// The view files written by the binary, the example's opened by Chromium and read by VTK (Debian packages; if
// missing, a test is skipped or fails under ORVANT_REQUIRE_TOOLS). ORVANT_UPDATE_EXPECTED=1 rewrites docs/frame*.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <map>
#include <memory>
#include <sstream>
#include <tuple>

#include "install/tools.h"
#include "run/run_context.h"
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
std::string Tool(const std::string& name) { return kPython + " " + ShellWord(kSourceDir + "/tests/tools/" + name); }

std::map<std::string, std::string> Snapshot(const std::string& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(dir))
    files[entry.path().filename().string()] = fs::is_regular_file(entry) ? ReadFileText(entry.path().string()) : "<dir>";
  return files;
}

// The example model installed; out an empty directory for the views.
struct ExampleInstall {
  TestInstall install;
  std::string out = install.root.path + "/out";
  ExampleInstall() {
    fs::copy(kSourceDir + "/examples/frame", install.modelDir, fs::copy_options::recursive), fs::create_directories(out);
  }
  RunResult Run(const std::vector<std::string>& args) { return RunBinary(ORVANT_BINARY, install, args); }
};

// The example's picture and VTK file, the picture of its load case 2, the VTK
// file with every case and the listing, written once for the tests.
struct ExampleViews : ExampleInstall {
  std::string svg = out + "/frame.svg", vtk = out + "/frame.vtk", caseSvg = out + "/frame-case2.svg",
              casesVtk = out + "/frame-cases.vtk";
  int status = Run({kExampleOptions, "--picture", svg, "--vtk", vtk, "--up", "y"}).status +
               Run({kExampleOptions, "--picture", caseSvg, "--up", "y", "--load-case", "2"}).status +
               Run({kExampleOptions, "--vtk", casesVtk, "--load-case", "all"}).status + Run({kExampleOptions}).status;
  std::string listing = ReadFileText(install.ModelPath() + ".MTM");
};

const ExampleViews& Example() { static const ExampleViews views; return views; }

// What VTK's reader found (tests/tools/vtk_summary.py): the numbers of each of
// its lines, by their first word ("point", "cell") or two ("cell_data NAME").
using VtkSummary = std::map<std::string, std::vector<std::vector<double>>>;

VtkSummary ReadVtk(const std::string& vtk) {
  const CommandOutput read = RunCommand(Tool("vtk_summary.py") + " " + ShellWord(vtk));
  EXPECT_EQ(read.status, 0) << read.text;
  VtkSummary s;
  std::istringstream lines(read.text);
  for (std::string line, key, name; std::getline(lines, line);) {
    std::istringstream in(line);
    if (in >> key && key != "cell" && key != "point") in >> name, key += " " + name;
    s[key].emplace_back(std::istream_iterator<double>(in), std::istream_iterator<double>());
  }
  return s;
}

// The example's model as the run collects it to draw, in the reader's terms.
VtkSummary DrawnExample(const TestInstall& install) {
  ::setenv("XDG_CONFIG_HOME", install.configHome.c_str(), 1);
  const auto ctx = std::make_unique<RunContext>();
  StartUp(*ctx, kExampleOptions, false);
  const DrawnModel d = CollectDrawnModel(ctx->settings, ctx->model);
  VtkSummary s;
  auto data = [&s](const std::string& key, double value) { s[key].resize(1), s[key][0].push_back(value); };
  auto add = [&](std::vector<long> cell, std::array<int, 6> values) {
    s["cell"].emplace_back(cell.begin(), cell.end());
    const char* names[] = {"label", "type", "geom_code", "mat_code", "group", "kind"};
    for (size_t k = 0; k < 6; ++k) data(std::string("cell_data ") + names[k], values[k]);
  };
  for (const auto& l : d.lines) add({kVtkLine, l.a, l.b}, {l.label, l.type, l.geom, l.mat, l.group, kKindElement});
  for (const auto& v : d.solids) {
    std::vector<long> cell{SolidCellType(v.count)};
    cell.insert(cell.end(), d.solidPoints.begin() + v.first, d.solidPoints.begin() + v.first + v.count);
    add(cell, {v.label, v.type, v.geom, v.mat, v.group, kKindSolid});
  }
  for (const auto& sp : d.springs)
    add(sp.a == sp.b ? std::vector<long>{kVtkVertex, sp.a} : std::vector<long>{kVtkLine, sp.a, sp.b},
        {sp.label, 0, 0, 0, sp.group, kKindSpring});
  for (size_t p = 0; p < d.positions.size(); ++p) {
    s["point"].push_back({d.positions[p][0], d.positions[p][1], d.positions[p][2]});
    data("point_data label", d.nodeLabels[p]), data("point_data group", d.nodeGroups[p]);
    for (size_t c = 0; c < 6; ++c) data(std::string("point_data ") + "TR"[c / 3] + "xyz"[c % 3], d.restraints[p][c]);
  }
  return s;
}

}  // namespace

// Batch, interactive and direct mode: the files asked for written instead of the
// listing and comment file, several load cases a note; on bad use, start-up
// failures or a missing load case exit 2, one line, no view file written.
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
    if (message.starts_with("cannot open")) fs::remove(model + "/FRAME.XYZ");
    const auto before = Snapshot(model), outBefore = Snapshot(out);
    const RunResult r = example.Run(args);
    EXPECT_EQ(r.status, message.empty() || message.starts_with("note:") ? 0 : 2);
    EXPECT_TRUE(message.empty() ? r.stderrText.empty() : r.stderrText.starts_with("orvant-in: " + message)) << r.stderrText;
    EXPECT_EQ(std::count(r.stderrText.begin(), r.stderrText.end(), '\n'), message.empty() ? 0 : 1);
    for (const std::string& file : written) EXPECT_GT(fs::file_size(file), 1000u) << file;
    const auto outAfter = Snapshot(out);  // the files written added, or nothing changed
    EXPECT_TRUE(written.empty() ? outAfter == outBefore : outAfter.size() == outBefore.size() + written.size());
    EXPECT_EQ(Snapshot(model), before);
  }
  EXPECT_EQ(ReadFileText(direct), ReadFileText(vtk));
  const std::string xz = ReadFileText(interactive);
  EXPECT_TRUE(xz.find("view xz") != std::string::npos && xz.find("id=\"labels\"") == std::string::npos);
}

// The README's pictures are what the program writes for the example, well-formed XML, and Chromium shows
// them: the model drawn in the middle in its elements' colours, load case 2 with its beam and distributed
// load arrows (on the model and in the legend's scale rows).
TEST(ExampleViews, PicturesAreTheCommittedOnesAndOpenInABrowser) {
  const ExampleViews& v = Example();
  ASSERT_EQ(v.status, 0);
  const bool update = std::getenv("ORVANT_UPDATE_EXPECTED") != nullptr;
  for (const auto& [written, name] : {std::pair{v.svg, "frame"}, {v.caseSvg, "frame-case2"}}) {
    if (update) WriteFile(kSourceDir + "/docs/" + name + ".svg", ReadFileText(written));
    EXPECT_TRUE(ReadFileText(written) == ReadFileText(kSourceDir + "/docs/" + name + ".svg"))
        << "docs/" << name << ".svg is out of date: rerun with ORVANT_UPDATE_EXPECTED=1 and review it";
  }
  NEED_TOOL(HavePython("xml.etree.ElementTree"), "python3 (Debian's /usr/bin/python3)");
  for (const std::string& svg : {v.svg, v.caseSvg})
    EXPECT_EQ(Shell(kPython + " -c 'import sys, xml.etree.ElementTree as x; x.parse(sys.argv[1])' " + ShellWord(svg)), 0);
  NEED_TOOL(HaveTool("chromium"), "chromium (apt-get install --no-install-recommends chromium)");
  NEED_TOOL(HavePython("PIL"), "python3-pil (apt-get install --no-install-recommends python3-pil)");
  TempDir dir;
  for (const auto& [svg, name] : {std::pair{v.svg, "frame"}, {v.caseSvg, "frame-case2"}}) {
    SCOPED_TRACE(name);
    const std::string png = dir.path + "/" + name + ".png", ppm = dir.path + "/shot.ppm";
    const CommandOutput chromium = RunCommand(
        "timeout 120 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-sync "
        "--disable-background-networking --disable-component-update --user-data-dir=" + ShellWord(dir.path + "/profile") +
        " --screenshot=" + ShellWord(png) + " --window-size=1200,900 " + ShellWord("file://" + svg));
    ASSERT_EQ(chromium.status, 0) << chromium.text;
    ASSERT_EQ(Shell(Tool("png_to_ppm.py") + " " + ShellWord(png) + " " + ShellWord(ppm)), 0);
    const std::string shot = ReadFileText(ppm), header = "P6\n1200 900\n255\n";  // then red, green and blue bytes
    ASSERT_TRUE(shot.starts_with(header) && shot.size() == header.size() + 1200 * 900 * 3) << "not a 1200 x 900 screenshot";
    // Pixels drawn, in the middle, of code 1's colour, of the force and of
    // the distributed load colours (on the model, x < 1000, and in the legend).
    long drawn = 0, middle = 0, elementColour = 0, force[2] = {}, distributed[2] = {};
    for (size_t i = 0; i < 1200 * 900; ++i) {
      const auto* p = reinterpret_cast<const unsigned char*>(shot.data() + header.size() + 3 * i);
      auto near = [p](int c) { return std::abs(p[0] - (c >> 16)) + std::abs(p[1] - (c >> 8 & 255)) + std::abs(p[2] - (c & 255)) < 60; };
      const size_t x = i % 1200, y = i / 1200;
      if (p[0] > 235 && p[1] > 235 && p[2] > 235) continue;
      ++drawn, middle += x >= 400 && x < 800 && y >= 300 && y < 600, elementColour += near(0x1b6ca8);
      force[x >= 1000] += near(0xc62828), distributed[x >= 1000] += near(0xef6c00);
    }
    EXPECT_TRUE(drawn > 0.005 * 1200 * 900 && drawn < 0.5 * 1200 * 900) << "blank or mostly not white: " << drawn;
    EXPECT_GT(middle, 200) << "nothing drawn in the middle of the page";
    if (svg == v.svg) EXPECT_GT(elementColour, 300) << "no element drawn in its code's colour";
    else EXPECT_TRUE(force[0] > 40 && distributed[0] > 400 && force[1] > 10 && distributed[1] > 10)  // arrows, legend scales
        << force[0] << " " << distributed[0] << " " << force[1] << " " << distributed[1];
    if (update) fs::copy_file(png, kSourceDir + "/docs/" + name + ".png", fs::copy_options::overwrite_existing);
  }
}

// VTK's reader finds in the example's file the model as the run collects it to
// draw; in the file with every case the same and each case's load arrays.
TEST(ExampleViews, VtkFilesReadByVtk) {
  const ExampleViews& v = Example();
  ASSERT_EQ(v.status, 0);
  NEED_TOOL(HavePython("vtk"), "python3-vtk9 (apt-get install --no-install-recommends python3-vtk9)");
  const VtkSummary got = ReadVtk(v.vtk), withCases = ReadVtk(v.casesVtk);
  EXPECT_EQ(got, DrawnExample(v.install));
  std::map<long, int> types;  // lines, a solid of eight nodes, a spring/couple between nodes and one to ground
  for (const auto& cell : got.at("cell")) ++types[static_cast<long>(cell.at(0))];
  EXPECT_EQ(types, (std::map<long, int>{{1, 1}, {3, 25}, {41, 1}}));

  for (const auto& [key, lines] : got) EXPECT_TRUE(withCases.count(key) && withCases.at(key) == lines) << key;

  // The load case arrays ("cell_data caseC_NAME"), summed per component, against the listing's rows.
  const std::vector<double>&labels = got.at("cell_data label")[0], &codes = got.at("cell_data geom_code")[0];
  std::map<std::string, std::vector<double>> listed;
  for (int c = 1; c <= 4; ++c) {
    auto add = [&](const std::string& array, std::vector<double> row) {  // "point_data force": "point_data caseC_force"
      if (std::all_of(row.begin(), row.end(), [](double x) { return x == 0; })) return;
      auto& w = listed[array.substr(0, array.find(' ')) + " case" + std::to_string(c) + "_" + array.substr(array.find(' ') + 1)];
      w.resize(row.size());
      for (size_t k = 0; k < row.size(); ++k) w[k] += row[k];
    };
    std::map<int, std::vector<double>> own, byCode;  // temperature and pressure rows by element and by code
    for (const auto& [section, rows] : CaseRows(v.listing, c))
      for (const std::string& row : rows) {
        std::istringstream in(row);
        std::vector<double> n;  // the row's numbers, its label's first ("Gl", "Lo" and "Full" read as 0)
        for (std::string w; in >> w;) n.push_back(std::strtod(w.c_str(), nullptr));
        const double ofCode = static_cast<double>(std::count(codes.begin(), codes.end(), n[0]));
        if (section == "LOAD (NODAL) DATA") add("point_data force", {n[1], n[2], n[3]}), add("point_data moment", {n[4], n[5], n[6]});
        if (section == "PRESCRIBED DISPLACEMENTS") add("point_data displacement", {n[1], n[2], n[3]});
        if (section == "NODAL TEMPERATURES") add("point_data temperature", {n[1]});
        if (section == "UDL LOADING BY GEOMETRIC PROPERTY CODE") add("cell_data distributed", {ofCode * n[2], ofCode * n[3], ofCode * n[4]});
        if (section == "TEMPERATURE & INT. PRESSURE LOADING") own[static_cast<int>(n[0])] = n;
        if (section == "PRESSURE & TEMP LOADING BY GEOMETRIC PROPERTY CODE") byCode[static_cast<int>(n[0])] = n;
        // Global distributed loads (the example's over their full span): the mean of start and finish.
        if (section != "BEAM ELEMENT DISTRIBUTED LOADS" || row.find(" Lo ") != std::string::npos) continue;
        const auto w = n.end() - 6;
        EXPECT_TRUE(std::count(w, n.end(), 0.0) == 6 || row.find(" 0.0 Full Span ") != std::string::npos) << row;
        add("cell_data distributed", {(w[0] + w[1]) / 2, (w[2] + w[3]) / 2, (w[4] + w[5]) / 2});
      }
    // Temperature and internal pressure: an element's own row, else its code's.
    for (size_t cell = 0; cell < labels.size(); ++cell) {
      const int label = static_cast<int>(labels[cell]), code = static_cast<int>(codes[cell]);
      if (got.at("cell_data kind")[0][cell] == kKindSpring || (!own.count(label) && !byCode.count(code))) continue;
      const std::vector<double>& n = own.count(label) ? own.at(label) : byCode.at(code);
      add("cell_data temperature", {n[1]}), add("cell_data pressure", {n[2]});
    }
  }
  ASSERT_EQ(listed.size(), 7u);  // the example's cases have seven kinds of load arrays
  EXPECT_EQ(withCases.size(), got.size() + listed.size());
  for (const auto& [name, want] : listed) {
    ASSERT_TRUE(withCases.count(name)) << name;
    const std::vector<double>& values = withCases.at(name).at(0);  // a value (or vector) per element or node
    EXPECT_EQ(values.size(), want.size() * (name.starts_with("cell") ? labels.size() : got.at("point").size())) << name;
    std::vector<double> sum(want.size());
    for (size_t i = 0; i < values.size(); ++i) sum[i % sum.size()] += values[i];
    for (size_t k = 0; k < want.size(); ++k) EXPECT_NEAR(sum[k], want[k], 1e-4 * (1 + std::fabs(want[k]))) << name;
  }
}
