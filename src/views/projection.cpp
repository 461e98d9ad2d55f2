#include "views/projection.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace orvant {

namespace {

// Screen axes of the isometric view from (1, 1, 1): right = (-1, 1, 0)/sqrt 2,
// up = (-1, -1, 2)/sqrt 6.
const double kInvSqrt2 = 1.0 / std::sqrt(2.0);
const double kInvSqrt6 = 1.0 / std::sqrt(6.0);

// With Z up the model's axes are the view's; with another axis up they are
// renamed in turn, so that the up axis takes Z's place: Y up, (x, y, z)
// is seen as (z, x, y); X up, as (y, z, x). Axis a of the model is axis
// (a + 2 - up) % 3 of the view's.
int ViewAxis(Up up, int axis) { return (axis + 2 - static_cast<int>(up)) % 3; }

// The view that looks along the same model axis as `view` does, in the
// renamed axes: xy looks along Z, yz along X, xz along Y.
View RenamedView(View view, Up up) {
  if (view == View::kIso || up == Up::kZ) return view;
  const int sight = view == View::kXy ? 2 : view == View::kYz ? 0 : 1;
  switch (ViewAxis(up, sight)) {
    case 0: return View::kYz;
    case 1: return View::kXz;
    default: return View::kXy;
  }
}

}  // namespace

Projected Project(View view, Up up, double x, double y, double z) {
  double a = x, b = y, c = z;
  if (up == Up::kY) a = z, b = x, c = y;
  if (up == Up::kX) a = y, b = z, c = x;
  switch (RenamedView(view, up)) {
    case View::kXy: return {a, b};
    case View::kYz: return {b, c};
    case View::kXz: return {a, c};
    case View::kIso: break;
  }
  return {(b - a) * kInvSqrt2, (2 * c - a - b) * kInvSqrt6};
}

bool AxisTowardsViewer(View view, Up up, int axis) {
  const int renamed = ViewAxis(up, axis);
  switch (RenamedView(view, up)) {
    case View::kXy: return renamed == 2;  // looking down Z
    case View::kYz: return renamed == 0;  // looking along -X from +X
    case View::kXz: return false;         // looking along +Y from -Y: Y points away
    case View::kIso: break;
  }
  return true;  // equivalent: boolean (in the iso view no axis lies along the line of sight; each leans towards the viewer at (1, 1, 1))
}

PageFit FitToBox(const std::vector<Projected>& points, PageBox box) {
  PageFit fit;
  fit.centreX = (box.left + box.right) / 2;
  fit.centreY = (box.top + box.bottom) / 2;
  if (points.empty()) return fit;
  double minU = std::numeric_limits<double>::infinity(), maxU = -minU, minV = minU, maxV = -minU;
  for (const Projected& p : points) {
    minU = std::min(minU, p.u);
    maxU = std::max(maxU, p.u);
    minV = std::min(minV, p.v);
    maxV = std::max(maxV, p.v);
  }
  fit.midU = minU + (maxU - minU) / 2;
  fit.midV = minV + (maxV - minV) / 2;
  const double spanU = maxU - minU, spanV = maxV - minV;
  const double inf = std::numeric_limits<double>::infinity();
  const double byU = spanU > 0 ? (box.right - box.left) / spanU : inf;
  const double byV = spanV > 0 ? (box.bottom - box.top) / spanV : inf;
  const double scale = std::min(byU, byV);
  fit.scale = std::isfinite(scale) && scale > 0 ? scale : 1;
  return fit;
}

PageFit FitPositions(const std::vector<std::array<float, 3>>& positions, View view, Up up, PageBox box) {
  std::vector<Projected> projected;
  projected.reserve(positions.size());  // equivalent: statement (room only)
  for (const auto& p : positions) projected.push_back(Project(view, up, p[0], p[1], p[2]));
  return FitToBox(projected, box);
}

std::vector<PagePoint> PagePositions(const std::vector<std::array<float, 3>>& positions, View view, Up up,
                                     PageBox box) {
  const PageFit fit = FitPositions(positions, view, up, box);
  std::vector<PagePoint> page;
  page.reserve(positions.size());  // equivalent: statement (room only)
  for (const auto& p : positions) page.push_back(fit.ToPage(Project(view, up, p[0], p[1], p[2])));
  return page;
}

}  // namespace orvant
