#pragma once
// The options that ask for a picture or a VTK file of the model instead of
// the listing: --picture FILE.svg, --vtk FILE.vtk, --view iso|xy|yz|xz,
// --labels, --no-labels (each with a value also as --name=VALUE).
#include <string>
#include <vector>

namespace orvant {

// The direction the picture looks from. Iso: the engineering isometric,
// Z up, looking from (+1, +1, +1); xy: down the Z axis; yz: along X from +X;
// xz: along Y from -Y.
enum class View { kIso, kXy, kYz, kXz };

// Node and element labels: by the model's size, or forced.
enum class LabelChoice { kBySize, kOn, kOff };

struct ViewOptions {
  std::string picturePath;  // empty: no picture
  std::string vtkPath;      // empty: no VTK file
  View view = View::kIso;
  LabelChoice labels = LabelChoice::kBySize;
  std::string error;        // the one-line message for bad use; empty when fine

  bool Any() const { return !picturePath.empty() || !vtkPath.empty(); }
};

// Takes the views' options out of args (the arguments that remain are the
// run's own) and returns them; error is set for a missing or empty value,
// an unknown view, --view or a label option without --picture, one file
// named for both, or a VTK file named .vtu (only the legacy format is
// written).
ViewOptions TakeViewOptions(std::vector<std::string>& args);

// "iso", "xy", "yz", "xz".
const char* ViewName(View view);

}  // namespace orvant
