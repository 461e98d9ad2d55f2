#pragma once
// What the picture and the VTK file of the model are asked for: which files,
// the view, the axis that points up, the labels, the load cases. The front
// door reads them from the program's arguments (--picture, --vtk, --view,
// --up, --labels, --no-labels, --load-case).
#include <cstdint>
#include <string>
#include <vector>

namespace orvant {

// The direction the picture looks from, with Z up. Iso: the engineering
// isometric, looking from (+1, +1, +1); xy: down the Z axis; yz: along X
// from +X; xz: along Y from -Y. With another axis up the axes are renamed
// in turn (Y up: Z, X, Y take the places of X, Y, Z; X up: Y, Z, X), so
// that the up axis points up in the iso view and in the two views that
// hold it, and the view that does not is the plan.
enum class View { kIso, kXy, kYz, kXz };

// The axis that points up.
enum class Up { kX, kY, kZ };

// Node and element labels: by the model's size, or forced.
enum class LabelChoice { kBySize, kOn, kOff };

// Load cases asked for: from first to last (one case: first == last).
struct CaseRange {
  int16_t first{}, last{};
};

struct ViewOptions {
  std::string picturePath;  // empty: no picture
  std::string vtkPath;      // empty: no VTK file
  View view = View::kIso;
  Up up = Up::kZ;
  LabelChoice labels = LabelChoice::kBySize;
  // --load-case: the numbers and ranges given (empty: none); "all" is the
  // range of every case number.
  std::vector<CaseRange> loadCases;
  bool allLoadCases{};

  bool Any() const { return !picturePath.empty() || !vtkPath.empty(); }
};

// "iso", "xy", "yz", "xz".
const char* ViewName(View view);
// "x", "y", "z".
const char* UpName(Up up);

}  // namespace orvant
