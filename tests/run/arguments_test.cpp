// The program's arguments: modes, program options, the views' options taken
// out of the arguments, the option string, and every kind of bad use.
#include <gtest/gtest.h>

#include "run/arguments.h"

using namespace orvant;
using Args = std::vector<std::string>;

namespace {

const char* ModeName(RunMode mode) {
  switch (mode) {
    case RunMode::kHelp: return "help";
    case RunMode::kVersion: return "version";
    case RunMode::kDirect: return "direct";
    case RunMode::kBatch: return "batch";
    case RunMode::kInteractive: return "interactive";
    case RunMode::kBadUse: return "bad";
  }
  return "?";
}

// "mode|model|output dir|option string", or "bad|" and the error's first words.
std::string Parsed(const Args& args) {
  const Arguments a = ParseArguments(args);
  if (a.mode == RunMode::kBadUse) return std::string("bad|") + a.error.substr(0, a.error.find(" (orvant-in --help"));
  return std::string(ModeName(a.mode)) + "|" + a.modelPath + "|" + a.outputDir + "|" + a.options;
}

// "picture|vtk|view|labels|option string", or as Parsed for bad use.
std::string Views(const Args& args) {
  const Arguments a = ParseArguments(args);
  if (a.mode == RunMode::kBadUse) return Parsed(args);
  const ViewOptions& o = a.views;
  const char* labels = o.labels == LabelChoice::kOn ? "on" : o.labels == LabelChoice::kOff ? "off" : "size";
  return o.picturePath + "|" + o.vtkPath + "|" + ViewName(o.view) + "|" + labels + "|" + a.options;
}

}  // namespace

TEST(Arguments, ModesOptionsAndOptionString) {
  const std::string all = kListEverything;
  const std::pair<Args, std::string> cases[] = {
      // The modes as they always were: the arguments joined by single blanks.
      {{}, "interactive|||"},
      {{""}, "interactive|||"},
      {{"1/1/1/1/0/1/1/1/1/1/0/"}, "batch|||1/1/1/1/0/1/1/1/1/1/0/"},
      {{"1/1/1/1/0/1/1/1/1/1/0/", " ABC ", "/"}, "batch|||1/1/1/1/0/1/1/1/1/1/0/  ABC  /"},
      {{"-1/0/"}, "batch|||-1/0/"},  // converted units, not an option
      {{"--1/0/"}, "batch|||--1/0/"},
      // Program options only lead; later words belong to the option string.
      {{"1/", "--help"}, "batch|||1/ --help"},
      {{"1/", "--model", "x"}, "batch|||1/ --model x"},
      {{"--help"}, "help|||"},
      {{"--version"}, "version|||"},
      {{"--model", "a/B", "--help"}, "help|a/B||"},
      {{"--help", "--version"}, "help|||"},
      // Direct mode: every part listed unless an option string follows.
      {{"--model", "a/B"}, "direct|a/B||" + all},
      {{"--model=D:\\jobs\\frame.xsz"}, "direct|D:\\jobs\\frame.xsz||" + all},
      {{"--model", "a/B", ""}, "direct|a/B||" + all},
      {{"--model", "a/B", "-1/0/", "X/"}, "direct|a/B||-1/0/ X/"},
      {{"--output-dir", "out", "--model=a=b"}, "direct|a=b|out|" + all},
      // --output-dir in the other modes.
      {{"--output-dir=out", "1/"}, "batch||out|1/"},
      {{"--output-dir", "out"}, "interactive||out|"},
      // Bad use.
      {{"--model"}, "bad|option --model needs a value"},
      {{"--model="}, "bad|option --model needs a value"},
      {{"--model", "--output-dir", "o"}, "bad|option --model needs a value"},
      {{"--model", "a", "--output-dir"}, "bad|option --output-dir needs a value"},
      {{"--model", "a", "--model", "b"}, "bad|option --model given twice"},
      {{"--modle", "a"}, "bad|unknown option --modle"},
      {{"--help=yes"}, "bad|option --help takes no value"},
  };
  for (const auto& [args, want] : cases) EXPECT_EQ(Parsed(args), want) << ::testing::PrintToString(args);
}

TEST(Arguments, ViewOptionsTakenOutWhereverTheyStandOrBadUseFirst) {
  const std::pair<Args, std::string> cases[] = {
      {{"1/1/1/"}, "||iso|size|1/1/1/"},
      {{}, "||iso|size|"},
      {{"1/1/", "--picture", "m.svg"}, "m.svg||iso|size|1/1/"},
      {{"--picture=m.svg", "--vtk=m.vtk", "1/"}, "m.svg|m.vtk|iso|size|1/"},
      {{"--vtk", "M.VTK", "-1/0/", "x"}, "|M.VTK|iso|size|-1/0/ x"},
      {{"--picture", "a b.svg", "--view", "xz"}, "a b.svg||xz|size|"},
      {{"--view=yz", "--picture=p", "--labels"}, "p||yz|on|"},
      {{"--picture", "p", "--view", "xy", "--no-labels"}, "p||xy|off|"},
      {{"--picture", "p", "--no-labels", "--labels", "--view", "yz", "--view", "iso"}, "p||iso|on|"},
      {{"--picture", "old.svg", "--picture", "new.svg"}, "new.svg||iso|size|"},
      // Not the views' options: left for the run.
      {{"1/", "--pictures", "x", "--model", "M"}, "||iso|size|1/ --pictures x --model M"},
      {{"--vtk", "--picture"}, "|--picture|iso|size|"},
      // Bad use, found before that of the run's own options.
      {{"--picture", "p.svg", "--view", "top"}, "bad|unknown view 'top' (iso, xy, yz or xz)"},
      {{"--picture", "p.svg", "--view=ISO", "--modle"}, "bad|unknown view 'ISO' (iso, xy, yz or xz)"},
      {{"1/", "--picture"}, "bad|--picture needs a value"},
      {{"--vtk="}, "bad|--vtk needs a value"},
      {{"--picture", "p.svg", "--view"}, "bad|--view needs a value"},
      {{"--picture", "p", "--view="}, "bad|--view needs a value"},
      {{"--vtk", "model.vtu"}, "bad|--vtk writes the legacy VTK format: name the file .vtk"},
      {{"--vtk", "MODEL.VTU"}, "bad|--vtk writes the legacy VTK format: name the file .vtk"},
      {{"--view", "xy", "1/"}, "bad|--view, --labels and --no-labels apply to --picture"},
      {{"--vtk", "m.vtk", "--no-labels"}, "bad|--view, --labels and --no-labels apply to --picture"},
      {{"--picture", "m", "--vtk", "m"}, "bad|--picture and --vtk name the same file"},
      {{"--picture", "p", "--labels=yes"}, "bad|--labels takes no value"},
      // The first fault is the one reported.
      {{"--picture", "p", "--view", "up", "--vtk"}, "bad|unknown view 'up' (iso, xy, yz or xz)"},
  };
  for (const auto& [args, want] : cases) EXPECT_EQ(Views(args), want) << ::testing::PrintToString(args);
}
