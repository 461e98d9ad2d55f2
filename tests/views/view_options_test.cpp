// The views' options taken out of the argument list: values in both forms,
// the run's own arguments left in order, and every kind of bad use.
#include <gtest/gtest.h>

#include "views/view_options.h"

using namespace orvant;
using Args = std::vector<std::string>;

namespace {

// "picture|vtk|view|labels|remaining arguments" or "error: ...".
std::string Taken(Args args) {
  const ViewOptions o = TakeViewOptions(args);
  if (!o.error.empty()) return "error: " + o.error;
  const char* labels = o.labels == LabelChoice::kOn ? "on" : o.labels == LabelChoice::kOff ? "off" : "size";
  std::string rest;
  for (const std::string& a : args) rest += (rest.empty() ? "" : " ") + a;
  return o.picturePath + "|" + o.vtkPath + "|" + ViewName(o.view) + "|" + labels + "|" + rest;
}

}  // namespace

TEST(ViewOptions, TakenOutOfTheArgumentsOrOneLineOfError) {
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
      {{"--pictures", "x", "--model", "M"}, "||iso|size|--pictures x --model M"},
      {{"--vtk", "--picture"}, "|--picture|iso|size|"},
      // Bad use: one line of error.
      {{"--picture", "p.svg", "--view", "top"}, "error: unknown view 'top' (iso, xy, yz or xz)"},
      {{"--picture", "p.svg", "--view=ISO"}, "error: unknown view 'ISO' (iso, xy, yz or xz)"},
      {{"1/", "--picture"}, "error: --picture needs a value"},
      {{"--vtk="}, "error: --vtk needs a value"},
      {{"--picture", "p.svg", "--view"}, "error: --view needs a value"},
      {{"--picture", "p", "--view="}, "error: --view needs a value"},
      {{"--vtk", "model.vtu"}, "error: --vtk writes the legacy VTK format: name the file .vtk"},
      {{"--vtk", "MODEL.VTU"}, "error: --vtk writes the legacy VTK format: name the file .vtk"},
      {{"--view", "xy", "1/"}, "error: --view, --labels and --no-labels apply to --picture"},
      {{"--vtk", "m.vtk", "--no-labels"}, "error: --view, --labels and --no-labels apply to --picture"},
      {{"--picture", "m", "--vtk", "m"}, "error: --picture and --vtk name the same file"},
      {{"--picture", "p", "--labels=yes"}, "error: --labels takes no value"},
      // The first fault is the one reported.
      {{"--picture", "p", "--view", "up", "--vtk"}, "error: unknown view 'up' (iso, xy, yz or xz)"},
  };
  for (const auto& [args, expected] : cases) EXPECT_EQ(Taken(args), expected) << ::testing::PrintToString(args);
}
