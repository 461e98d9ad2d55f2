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

}  // namespace

Projected Project(View view, double x, double y, double z) {
  switch (view) {
    case View::kXy: return {x, y};
    case View::kYz: return {y, z};
    case View::kXz: return {x, z};
    case View::kIso: break;
  }
  return {(y - x) * kInvSqrt2, (2 * z - x - y) * kInvSqrt6};
}

int AxisDepthSign(View view, int axis) {
  switch (view) {
    case View::kXy: return axis == 2 ? 1 : 0;   // looking down Z
    case View::kYz: return axis == 0 ? 1 : 0;   // looking along -X from +X
    case View::kXz: return axis == 1 ? -1 : 0;  // looking along +Y from -Y
    case View::kIso: break;
  }
  return 1;  // every axis leans towards the viewer at (1, 1, 1)
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

std::vector<PagePoint> PagePositions(const std::vector<std::array<float, 3>>& positions, View view, PageBox box) {
  std::vector<Projected> projected;
  projected.reserve(positions.size());
  for (const auto& p : positions) projected.push_back(Project(view, p[0], p[1], p[2]));
  const PageFit fit = FitToBox(projected, box);
  std::vector<PagePoint> page;
  page.reserve(projected.size());
  for (const Projected& p : projected) page.push_back(fit.ToPage(p));
  return page;
}

}  // namespace orvant
