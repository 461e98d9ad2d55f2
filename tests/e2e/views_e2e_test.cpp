// The view files written by the binary, the example's opened by Chromium and read by VTK (Debian packages; if
// missing, a test is skipped or fails under ORVANT_REQUIRE_TOOLS). ORVANT_UPDATE_EXPECTED=1 rewrites docs/frame*.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <map>
#include <sstream>
#include <tuple>

#include "install/tools.h"
#include "support/model_builder.h"

using namespace orvant::testing;
namespace fs = std::filesystem;

namespace {

const std::string kSourceDir = ORVANT_SOURCE_DIR;
const std::string kPython = "/usr/bin/python3";  // Debian's, which sees Debian's modules
const std::string kExampleOptions = "1/1/1/1/0/1/1/1/1/1/0/1/";  // group set 1 active

int Shell(const std::string& command) { return RunCommand(command).status; }
bool HavePython(const std::string& module) { return Shell(kPython + " -c 'import " + module + "'") == 0; }
std::string Tool(const std::string& name) { return kPython + " " + ShellWord(kSourceDir + "/tests/tools/" + name); }

// The example model installed; out an empty directory for the views.
struct ExampleInstall {
  TestInstall install;
  std::string out = install.root.path + "/out";
  ExampleInstall() {
    fs::copy(kSourceDir + "/examples/frame", install.modelDir, fs::copy_options::recursive), fs::create_directories(out);
  }
  RunResult Run(const std::vector<std::string>& args) { return RunBinary(ORVANT_BINARY, install, args); }
};

// The example's picture and VTK file and the picture of its load case 2, written once for the tests.
struct ExampleViews : ExampleInstall {
  std::string svg = out + "/frame.svg", vtk = out + "/frame.vtk", caseSvg = out + "/frame-case2.svg";
  int status = Run({kExampleOptions, "--picture", svg, "--vtk", vtk, "--up", "y"}).status +
               Run({kExampleOptions, "--picture", caseSvg, "--up", "y", "--load-case", "2"}).status;
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
      {{"1/", "--picture", out + "/c.svg", "--vtk", out + "/c.vtk", "--load-case=4,2,4"}, {out + "/c.svg", out + "/c.vtk"},
       "note: the picture shows load case 2, the first of the 2 asked for\n"},
      {{"1/", "--picture", out + "/p.svg", "--load-case", "7"}, {},
       "load case 7 does not exist: no file " + model + "/FRAME.L7\n"},
      {{"1/", "--vtk", out + "/p.vtk", "--load-case", "1,5-98"}, {}, "no load case from 5 to 98 exists\n"},
      {{"1/", "--vtk", out + "/c99.vtk", "--load-case", "99"}, {out + "/c99.vtk"}, ""},  // the highest label
      {{"1/", "--vtk", out + "/p.vtk", "--load-case", "100"}, {}, "load case 100 is above the maximum load label 99\n"},
      {{"1/", "--picture", missingDir}, {}, "cannot write " + missingDir + "\n"},
      {{"1/", "--picture", out + "/p.svg", "--vtk", model}, {}, "cannot write " + model + "\n"},
      {{"1/", "--vtk", out + "/p.vtk", "--picture", out}, {}, "cannot write " + out + "\n"},
      {{"1/", "--picture", out + "/p.svg", "--view", "top"}, {}, "unknown view 'top' (iso, xy, yz or xz)" + usage},
      {{"1/", "--picture", out + "/p.svg"}, {}, "cannot open " + model + "/FRAME.XYZ"},
  };
  WriteFile(out + "/p.svg", "older picture");  // kept whatever fails
  fs::copy_file(model + "/FRAME.L1", model + "/FRAME.L99");
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
// them: not blank, the model drawn in the middle.
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
    ASSERT_EQ(Shell(kPython + " -c 'import sys; from PIL import Image; Image.open(sys.argv[1]).convert(\"RGB\").save(sys.argv[2])' " +
                    ShellWord(png) + " " + ShellWord(ppm)), 0);
    const std::string shot = ReadFileText(ppm), header = "P6\n1200 900\n255\n";  // then red, green and blue bytes
    ASSERT_TRUE(shot.starts_with(header) && shot.size() == header.size() + 1200 * 900 * 3) << "not a 1200 x 900 screenshot";
    // Pixels drawn, and in the middle of the page (what is drawn is the committed picture).
    long drawn = 0, middle = 0;
    for (size_t i = 0; i < 1200 * 900; ++i) {
      const auto* p = reinterpret_cast<const unsigned char*>(shot.data() + header.size() + 3 * i);
      const size_t x = i % 1200, y = i / 1200;
      if (p[0] > 235 && p[1] > 235 && p[2] > 235) continue;
      ++drawn, middle += x >= 400 && x < 800 && y >= 300 && y < 600;
    }
    EXPECT_TRUE(drawn > 0.005 * 1200 * 900 && drawn < 0.5 * 1200 * 900) << "blank or mostly not white: " << drawn;
    EXPECT_GT(middle, 200) << "nothing drawn in the middle of the page";
    if (update) fs::copy_file(png, kSourceDir + "/docs/" + name + ".png", fs::copy_options::overwrite_existing);
  }
}

// VTK's reader reads the example's file and the committed ones of examples/expected (their contents are
// compared there): every point, cell and array each declares, and the frame's kinds of cells.
TEST(ExampleViews, VtkFilesReadByVtk) {
  const ExampleViews& v = Example();
  ASSERT_EQ(v.status, 0);
  NEED_TOOL(HavePython("vtk"), "python3-vtk9 (apt-get install --no-install-recommends python3-vtk9)");
  for (const std::string& file : {v.vtk, kSourceDir + "/examples/expected/FRAME.cases.vtk",
                                  kSourceDir + "/examples/expected/RACK.cases.vtk"}) {
    SCOPED_TRACE(file);
    const VtkSummary got = ReadVtk(file);
    std::istringstream text(ReadFileText(file));
    size_t arrays = 0;
    for (std::string word, name, data = "cell_data"; text >> word;) {
      if (word == "POINT_DATA") data = "point_data";
      if (word != "POINTS" && word != "CELLS" && word != "SCALARS" && word != "VECTORS") continue;
      text >> name;
      if (word == "POINTS" || word == "CELLS") {
        EXPECT_EQ(got.at(word == "POINTS" ? "point" : "cell").size(), std::stoul(name));
      } else {
        ++arrays;
        EXPECT_EQ(got.count(data + " " + name), 1u) << name;
      }
    }
    EXPECT_EQ(got.size(), arrays + 2);  // the arrays, the points and the cells
  }
  std::map<long, int> types;  // lines, a solid of eight nodes, a spring/couple between nodes and one to ground
  const VtkSummary frame = ReadVtk(v.vtk);
  for (const auto& cell : frame.at("cell")) ++types[static_cast<long>(cell.at(0))];
  EXPECT_EQ(types, (std::map<long, int>{{1, 1}, {3, 25}, {41, 1}}));
}
