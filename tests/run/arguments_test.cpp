// The program's arguments: modes, program options, the views' options taken out, the option string, bad use.
#include <gtest/gtest.h>

#include "run/arguments.h"

using namespace orvant;
using Args = std::vector<std::string>;

namespace {

const char* const kModeNames[] = {"help", "version", "direct", "batch", "interactive"};  // RunMode's order

// "mode|model|output dir|option string", or "bad|" and the error's first words.
std::string Parsed(const Args& args) {
  const Arguments a = ParseArguments(args);
  if (a.mode == RunMode::kBadUse) return std::string("bad|") + a.error.substr(0, a.error.find(" (orvant-in --help"));
  return std::string(kModeNames[static_cast<int>(a.mode)]) + "|" + a.modelPath + "|" + a.outputDir + "|" + a.options;
}

// "picture|vtk|view|up|labels|load cases|option string", or as Parsed for bad use.
std::string Views(const Args& args) {
  const Arguments a = ParseArguments(args);
  if (a.mode == RunMode::kBadUse) return Parsed(args);
  const ViewOptions& o = a.views;
  const char* labels = o.labels == LabelChoice::kOn ? "on" : o.labels == LabelChoice::kOff ? "off" : "size";
  std::string cases = o.allLoadCases ? "all" : "";
  for (const CaseRange& r : o.allLoadCases ? std::vector<CaseRange>{} : o.loadCases)
    cases += (cases.empty() ? "" : ",") + std::to_string(r.first) + (r.last != r.first ? "-" + std::to_string(r.last) : "");
  return o.picturePath + "|" + o.vtkPath + "|" + ViewName(o.view) + "|" + UpName(o.up) + "|" + labels + "|" + cases + "|" +
         a.options;
}

}  // namespace

TEST(Arguments, ModesOptionsAndOptionString) {
  const std::string all = kListEverything;
  const std::pair<Args, std::string> cases[] = {
      // The modes as they always were: the arguments joined by single blanks.
      {{}, "interactive|||"}, {{""}, "interactive|||"},
      {{"1/1/1/1/0/1/1/1/1/1/0/", " ABC ", "/"}, "batch|||1/1/1/1/0/1/1/1/1/1/0/  ABC  /"},
      {{"-1/0/"}, "batch|||-1/0/"}, {{"--1/0/"}, "batch|||--1/0/"}, {{"1/A/"}, "batch|||1/A/"},  // not options
      // Program options only lead; later words belong to the option string.
      {{"1/", "--help"}, "batch|||1/ --help"}, {{"1/", "--model", "x"}, "batch|||1/ --model x"},
      {{"--help"}, "help|||"}, {{"--version"}, "version|||"}, {{"--model", "a/B", "--help"}, "help|a/B||"},
      {{"--help", "--version"}, "help|||"},
      // Direct mode: every part listed unless an option string follows.
      {{"--model", "a/B"}, "direct|a/B||" + all}, {{"--model=D:\\jobs\\f.xsz"}, "direct|D:\\jobs\\f.xsz||" + all},
      {{"--model", "a/B", ""}, "direct|a/B||" + all}, {{"--model", "a/B", "-1/0/", "X/"}, "direct|a/B||-1/0/ X/"},
      {{"--output-dir", "out", "--model=a=b"}, "direct|a=b|out|" + all},
      {{"--output-dir=out", "1/"}, "batch||out|1/"}, {{"--output-dir", "out"}, "interactive||out|"},
      {{"--model"}, "bad|option --model needs a value"}, {{"--model="}, "bad|option --model needs a value"},
      {{"--model", "--output-dir", "o"}, "bad|option --model needs a value"},
      {{"--model", "a", "--output-dir"}, "bad|option --output-dir needs a value"},
      {{"--model", "a", "--model", "b"}, "bad|option --model given twice"},
      {{"--modle", "a"}, "bad|unknown option --modle"}, {{"--help=yes"}, "bad|option --help takes no value"},
  };
  for (const auto& [args, want] : cases) EXPECT_EQ(Parsed(args), want) << ::testing::PrintToString(args);
}

TEST(Arguments, ViewOptionsTakenOutWhereverTheyStandOrBadUseFirst) {
  const std::pair<Args, std::string> cases[] = {
      {{"1/1/1/"}, "||iso|z|size||1/1/1/"}, {{}, "||iso|z|size||"},
      {{"1/1/", "--picture", "m.svg"}, "m.svg||iso|z|size||1/1/"},
      {{"--picture=m.svg", "--vtk=m.vtk", "1/"}, "m.svg|m.vtk|iso|z|size||1/"},
      {{"--vtk", "M.VTK", "-1/0/", "x"}, "|M.VTK|iso|z|size||-1/0/ x"},
      {{"--picture", "a b.svg", "--view", "xz"}, "a b.svg||xz|z|size||"},
      {{"--view=yz", "--picture=p", "--labels"}, "p||yz|z|on||"},
      {{"--picture", "p", "--view", "xy", "--no-labels"}, "p||xy|z|off||"},
      {{"--picture", "p", "--no-labels", "--labels", "--view", "yz", "--view", "iso"}, "p||iso|z|on||"},
      {{"--picture", "old.svg", "--picture", "new.svg"}, "new.svg||iso|z|size||"},
      // Not the views' options: left for the run.
      {{"1/", "--pictures", "x", "--model", "M"}, "||iso|z|size||1/ --pictures x --model M"},
      {{"--vtk", "--picture"}, "|--picture|iso|z|size||"},
      // The axis up and the load cases.
      {{"--picture", "p", "--up", "y", "--load-case", "4"}, "p||iso|y|size|4|"},
      {{"--up=x", "--picture=p", "--load-case=0,3-5,3,9-9,0032767"}, "p||iso|x|size|0,3-5,3,9,32767|"},
      {{"--vtk", "m.vtk", "--load-case", "2", "--load-case", "all"}, "|m.vtk|iso|z|size|all|"},
      // Bad use, found before that of the run's own options.
      {{"--picture", "p.svg", "--view", "top"}, "bad|unknown view 'top' (iso, xy, yz or xz)"},
      {{"--picture", "p.svg", "--view=ISO", "--modle"}, "bad|unknown view 'ISO' (iso, xy, yz or xz)"},
      {{"1/", "--picture"}, "bad|--picture needs a value"}, {{"--vtk="}, "bad|--vtk needs a value"},
      {{"--picture", "p.svg", "--view"}, "bad|--view needs a value"},
      {{"--picture", "p", "--view="}, "bad|--view needs a value"},
      {{"--vtk", ".VTU"}, "bad|--vtk writes the legacy VTK format: name the file .vtk"},
      {{"--view", "xy", "1/"}, "bad|--view, --up, --labels and --no-labels apply to --picture"},
      {{"--vtk", "m.vtk", "--no-labels"}, "bad|--view, --up, --labels and --no-labels apply to --picture"},
      {{"--picture", "m", "--vtk", "m"}, "bad|--picture and --vtk name the same file"},
      {{"--picture", "p", "--up", "Y"}, "bad|unknown axis 'Y' for --up (x, y or z)"},
      {{"--vtk", "m.vtk", "--up=z"}, "bad|--view, --up, --labels and --no-labels apply to --picture"},
      {{"1/", "--load-case", "3"}, "bad|--load-case applies to --picture and --vtk"},
      {{"--picture", "p", "--labels=yes"}, "bad|--labels takes no value"},
      {{"--picture", "p", "--view", "up", "--vtk"}, "bad|unknown view 'up' (iso, xy, yz or xz)"},  // the first fault
  };
  for (const auto& [args, want] : cases) EXPECT_EQ(Views(args), want) << ::testing::PrintToString(args);
  for (const std::string list : {"3-1", "1,,2", "x", "0032768", "99999999999999999999", "-3", "1-", "2,all", " 4"})
    EXPECT_EQ(Views({"--vtk", "m.vtk", "--load-case=" + list}),
              "bad|bad load case list '" + list + "' (all, or numbers and ranges such as 1,3-5)");
}
