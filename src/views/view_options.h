#pragma once
// What the picture and the VTK file of the model are asked for: which files,
// the view, the labels. The front door reads them from the program's
// arguments (--picture, --vtk, --view, --labels, --no-labels).
#include <string>

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

  bool Any() const { return !picturePath.empty() || !vtkPath.empty(); }
};

// "iso", "xy", "yz", "xz".
const char* ViewName(View view);

}  // namespace orvant
