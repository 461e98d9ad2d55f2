#pragma once
// Views and page fitting: a model point projected onto the view's plane
// (u to the right, v up), and the scale and shift that fit the projected
// model into a box of the page, centred, whatever its coordinates.
#include <array>
#include <vector>

#include "views/view_options.h"

namespace orvant {

struct Projected {
  double u{}, v{};
};

// Orthographic projection (lengths in the view's plane kept). Iso with Z
// up: X to the lower left, Y to the lower right, Z straight up (the three
// axes 120 degrees apart); with another axis up, the axes renamed in turn.
Projected Project(View view, Up up, double x, double y, double z);

// Whether the axis (0 X, 1 Y, 2 Z) points at the viewer (not away from him,
// nor in the view's plane).
bool AxisTowardsViewer(View view, Up up, int axis);

// A box of the page, y down.
struct PageBox {
  double left{}, top{}, right{}, bottom{};
};

struct PagePoint {
  double x{}, y{};
};

// Projected coordinates -> page: x = centreX + (u - midU) * scale,
// y = centreY - (v - midV) * scale.
struct PageFit {
  double scale = 1, midU{}, midV{}, centreX{}, centreY{};
  PagePoint ToPage(Projected p) const { return {centreX + (p.u - midU) * scale, centreY - (p.v - midV) * scale}; }
};

// The fit of the projected points into the box: the larger scale that keeps
// every point inside, the middle of their range at the box's centre. A
// single point (or none) is centred at scale 1; a range flat in one
// direction is fitted by the other.
PageFit FitToBox(const std::vector<Projected>& points, PageBox box);

// The fit of the model's points, projected, into the box.
PageFit FitPositions(const std::vector<std::array<float, 3>>& positions, View view, Up up, PageBox box);

// Every point of the model projected and fitted into the box.
std::vector<PagePoint> PagePositions(const std::vector<std::array<float, 3>>& positions, View view, Up up,
                                     PageBox box);

}  // namespace orvant
