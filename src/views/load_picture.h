#pragma once
// A load case on the picture: forces and moments as arrows to one scale
// each (a moment's arrow double-headed, by the right-hand rule), masses and
// prescribed displacements as markers, distributed and property code loads
// as rows of arrows over the loaded length, face loads as the shaded solid,
// temperatures and internal pressures as colours of elements and nodes, the
// saved total at its centre of force, gravity beside the axes. Loads in
// local axes are marked at their place, not oriented. Every load drawn
// carries its listing text as its <title>.
#include <string>
#include <vector>

#include "views/drawn_loads.h"
#include "views/projection.h"
#include "views/svg_text.h"
#include "views/view_options.h"

namespace orvant {

struct RunSettings;

// A page length of 1 cm, in user units (CSS pixels).
constexpr double kPxPerCm = 96 / 2.54;

// What one case's drawing is scaled by: the value a length of 1 cm stands
// for (0 when nothing of the sort is drawn), each a 1, 2, 2.5 or 5 times a
// power of ten that draws the largest at most 2 cm long; the ranges of the
// colour scales.
struct LoadScales {
  double forcePerCm{}, momentPerCm{}, intensityPerCm{};
  bool temperatures{}, pressures{};
  float temperatureLow{}, temperatureHigh{}, pressureLow{}, pressureHigh{};
};

LoadScales ScalesOf(const DrawnCase& c);

// The smallest 1, 2, 2.5 or 5 times a power of ten that is not below v (v > 0).
double NiceAbove(double v);

// The page vector of a model vector drawn at `perCm` per centimetre.
PagePoint PageVector(const Vector3& v, double perCm, View view, Up up);

// The case's line under the title: its number, description and the loads
// drawn and left out by kind.
std::string CaseTitle(const DrawnCase& c);

// The loads, over the faint model: the fit places the model on the page,
// page holds its points and outlines its solids there.
void DrawLoads(SvgText& svg, const DrawnCase& c, const LoadScales& scales, const DrawnModel& d, const PageFit& fit,
               const std::vector<PagePoint>& page, const std::vector<std::vector<PagePoint>>& outlines, View view,
               Up up);

// The legend of the loads: its title at y, then its rows, 18 apart (the y
// of the last row is returned).
double DrawLoadLegend(SvgText& svg, const DrawnCase& c, const LoadScales& scales, const RunSettings& s, double left,
                      double y);

// Gravity: one arrow in the direction of the acceleration at `centre`,
// with its value below.
void DrawGravity(SvgText& svg, const DrawnCase& c, PagePoint centre, View view, Up up);

}  // namespace orvant
