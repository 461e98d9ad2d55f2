#include "views/load_picture.h"

#include <algorithm>
#include <cmath>

#include "settings/run_settings.h"
#include "views/number_text.h"

namespace orvant {

namespace {

constexpr char kForceColour[] = "#c62828", kMomentColour[] = "#6a1b9a", kDistributedColour[] = "#ef6c00",
               kCodeUdlColour[] = "#9e5d00", kMassColour[] = "#37474f", kDisplacementColour[] = "#00838f",
               kLocalColour[] = "#6d4c41", kFaceColour[] = "#ffb300", kTotalColour[] = "#000000",
               kGravityColour[] = "#2e7d32";
// Colour scales, low to high.
constexpr const char* kTemperatureStops[] = {"#2c7bb6", "#00a6ca", "#7fcf7f", "#f9c74f", "#d7191c"};
constexpr const char* kPressureStops[] = {"#c7b9e2", "#8c6bb1", "#3f007d"};
// Arrows not drawn to scale (displacements, saved totals, gravity), in px.
constexpr double kDisplacementArrow = 28, kTotalArrow = 64, kGravityArrow = 40;
// The spacing of the arrows of a distributed load, in px.
constexpr double kArrowSpacing = 14;

double Length(const Vector3& v) { return std::hypot(double{v[0]}, double{v[1]}, double{v[2]}); }
bool IsZero(const Vector3& v) { return v[0] == 0 && v[1] == 0 && v[2] == 0; }
PagePoint Plus(PagePoint a, PagePoint v) { return {a.x + v.x, a.y + v.y}; }
PagePoint Minus(PagePoint a, PagePoint v) { return {a.x - v.x, a.y - v.y}; }
PagePoint Between(PagePoint a, PagePoint b, double t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }
Vector3 Between(const Vector3& a, const Vector3& b, float t) {
  return {a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, a[2] + (b[2] - a[2]) * t};
}

// The direction of v drawn `px` long in space, as the page shows it.
PagePoint FixedVector(const Vector3& v, double px, View view, Up up) {
  const double length = Length(v);
  if (!(length > 0)) return {};  // equivalent: boundary (a zero vector draws no arrow either way)
  const Projected p = Project(view, up, v[0] / length, v[1] / length, v[2] / length);
  return {p.u * px, -p.v * px};
}

// A shaft from tail to tip with `heads` heads at the tip; an arrow that the
// view sees end on is ringed.
void Arrow(SvgText& svg, PagePoint tail, PagePoint tip, int heads) {
  svg.MoveTo(tail).LineTo(tip);
  const double dx = tip.x - tail.x, dy = tip.y - tail.y, length = std::hypot(dx, dy);
  if (length < 0.5) {
    svg.MoveTo({tip.x - 4, tip.y}).Raw("a4 4 0 1 0 8 0a4 4 0 1 0 -8 0");
    return;
  }
  const double ux = dx / length, uy = dy / length, h = std::min(7.0, 0.45 * length), w = h * 0.5;
  for (int k = 0; k < heads; ++k) {
    const PagePoint at{tip.x - ux * h * 0.8 * k, tip.y - uy * h * 0.8 * k};
    const PagePoint back{at.x - ux * h, at.y - uy * h};
    svg.MoveTo({back.x - uy * w, back.y + ux * w}).LineTo(at).LineTo({back.x + uy * w, back.y - ux * w});
  }
}

void Ring(SvgText& svg, PagePoint at, double r) {
  svg.MoveTo({at.x - r, at.y}).Raw("a").Num(r).Raw(" ").Num(r).Raw(" 0 1 0 ").Num(2 * r).Raw(" 0a").Num(r).Raw(" ");
  svg.Num(r).Raw(" 0 1 0 ").Num(-2 * r).Raw(" 0");
}

void Polygon(SvgText& svg, const std::vector<PagePoint>& outline) {
  for (size_t p = 0; p < outline.size(); ++p) p == 0 ? svg.MoveTo(outline[p]) : svg.LineTo(outline[p]);
  svg.Raw("Z");
}

// A listing text as a <title>: markup characters escaped, line ends kept.
void Title(SvgText& svg, std::string_view text) {
  svg.Raw("<title>");
  for (char ch : text) {
    if (ch == '&') svg.Raw("&amp;");
    else if (ch == '<') svg.Raw("&lt;");
    else if (ch == '>') svg.Raw("&gt;");
    else if (ch == '\n') svg.out += ch;
    else if (static_cast<unsigned char>(ch) < 0x20 || static_cast<unsigned char>(ch) >= 0x7f) svg.out += ' ';
    else svg.out += ch;
  }
  svg.Raw("</title>");
}

// One drawn load: a path with its title. `attributes` go in the tag.
template <class Draw>
void Item(SvgText& svg, const std::string& title, Draw draw, std::string_view attributes = {}) {
  svg.Raw("<path vector-effect=\"non-scaling-stroke\" ").Raw(attributes).Raw(" d=\"");
  draw();
  svg.Raw("\">");
  Title(svg, title);
  svg.Raw("</path>\n");
}

void GroupStart(SvgText& svg, std::string_view id, std::string_view attributes) {
  svg.Raw("<g id=\"").Raw(id).Raw("\" ").Raw(attributes).Raw(">\n");
}

// A colour of a scale of stops, at t in 0..1.
std::string ScaleColour(const char* const* stops, size_t count, double t) {
  t = std::clamp(std::isfinite(t) ? t : 0.5, 0.0, 1.0) * static_cast<double>(count - 1);
  const size_t i = std::min(static_cast<size_t>(t), count - 2);
  const double f = t - static_cast<double>(i);
  auto channel = [](const char* hex, int k) { return std::stoi(std::string(hex + 1 + 2 * k, 2), nullptr, 16); };
  std::string out = "#";
  const char* digits = "0123456789abcdef";
  for (int k = 0; k < 3; ++k) {
    const int v = static_cast<int>(std::lround(channel(stops[i], k) * (1 - f) + channel(stops[i + 1], k) * f));
    out += digits[v >> 4];
    out += digits[v & 15];
  }
  return out;
}

double Position(float v, float low, float high) { return high > low ? (v - low) / (high - low) : 0.5; }

std::string TemperatureColour(const LoadScales& s, float v) {
  return ScaleColour(kTemperatureStops, std::size(kTemperatureStops), Position(v, s.temperatureLow, s.temperatureHigh));
}
std::string PressureColour(const LoadScales& s, float v) {
  return ScaleColour(kPressureStops, std::size(kPressureStops), Position(v, s.pressureLow, s.pressureHigh));
}

// A row of arrows over a line's page segment from `from` to `to`, their
// tips on the line, each the intensity there to scale, their tails joined.
void ArrowRow(SvgText& svg, PagePoint a, PagePoint b, float from, float to, const Vector3& start,
              const Vector3& finish, double perCm, View view, Up up) {
  const PagePoint first = Between(a, b, from), last = Between(a, b, to);
  const double span = std::hypot(last.x - first.x, last.y - first.y);
  const int n = std::clamp(static_cast<int>(span / kArrowSpacing) + 1, 2, 25);
  std::vector<PagePoint> tips, tails;
  for (int k = 0; k < n; ++k) {
    const float t = static_cast<float>(k) / static_cast<float>(n - 1);
    tips.push_back(Between(first, last, t));
    tails.push_back(Minus(tips.back(), PageVector(Between(start, finish, t), perCm, view, up)));
  }
  // A load of nothing is ringed at its middle.
  if (IsZero(start) && IsZero(finish)) {
    svg.MoveTo(first).LineTo(last);
    Ring(svg, Between(first, last, 0.5), 4);
    return;
  }
  for (int k = 0; k < n; ++k) k == 0 ? svg.MoveTo(tails[0]) : svg.LineTo(tails[static_cast<size_t>(k)]);
  for (int k = 0; k < n; ++k) {
    const PagePoint tip = tips[static_cast<size_t>(k)], tail = tails[static_cast<size_t>(k)];
    if (std::hypot(tip.x - tail.x, tip.y - tail.y) >= 0.5) Arrow(svg, tail, tip, 1);
  }
}

void AppendValue(std::string& text, double v) { AppendShortest(text, static_cast<float>(v)); }

// "1 cm = X" in the listing's units: as stored, or converted (forces and
// moments by 1000, metric intensities by 1000) with the unit.
std::string ScaleText(const RunSettings& s, double perCm, const char* metricUnit, const char* imperialUnit,
                      bool imperialConverts) {
  std::string text = "1 cm = ";
  if (s.ConvertedUnits != 1) {
    AppendValue(text, perCm);
    return text;
  }
  const bool metric = s.ImperialUnits == 0;
  AppendValue(text, metric || imperialConverts ? perCm / 1000 : perCm);
  return text + " " + (metric ? metricUnit : imperialUnit);
}

}  // namespace

double NiceAbove(double v) {
  if (!(v > 0) || !std::isfinite(v)) return 1;
  const double power = std::pow(10.0, std::floor(std::log10(v)));
  for (double m : {1.0, 2.0, 2.5, 5.0, 10.0})
    if (m * power >= v * (1 - 1e-12)) return m * power;
  return 10 * power;
}

PagePoint PageVector(const Vector3& v, double perCm, View view, Up up) {
  if (!(perCm > 0)) return {};
  const Projected p = Project(view, up, v[0], v[1], v[2]);
  const double k = kPxPerCm / perCm;
  return {p.u * k, -p.v * k};
}

LoadScales ScalesOf(const DrawnCase& c) {
  double force = 0, moment = 0, intensity = 0;
  for (const auto& e : c.nodalLoads) {
    force = std::max(force, Length(e.force));
    moment = std::max(moment, Length(e.moment));
  }
  for (const auto& e : c.pointLoads)
    if (!e.local) force = std::max(force, Length(e.start)), moment = std::max(moment, Length(e.moment));
  for (const auto& e : c.distributedLoads)
    if (!e.local) intensity = std::max({intensity, Length(e.start), Length(e.finish)});
  for (const auto& e : c.codeUdls) intensity = std::max(intensity, Length(e.intensity));
  LoadScales s;
  // The largest at most 2 cm long.
  if (force > 0) s.forcePerCm = NiceAbove(force / 2);
  if (moment > 0) s.momentPerCm = NiceAbove(moment / 2);
  if (intensity > 0) s.intensityPerCm = NiceAbove(intensity / 2);

  auto widen = [](bool& any, float& low, float& high, float v) {
    if (!std::isfinite(v)) return;
    low = any ? std::min(low, v) : v;
    high = any ? std::max(high, v) : v;
    any = true;
  };
  for (const auto& e : c.nodalTemperatures) widen(s.temperatures, s.temperatureLow, s.temperatureHigh, e.temperature);
  for (const auto* values : {&c.codeTempPress, &c.elementTempPress}) {
    for (const auto& e : *values) {
      if (e.hasTemperature) widen(s.temperatures, s.temperatureLow, s.temperatureHigh, e.temperature);
      if (e.hasPressure) widen(s.pressures, s.pressureLow, s.pressureHigh, e.pressure);
    }
  }
  return s;
}

std::string CaseTitle(const DrawnCase& c) {
  std::string text = "Load case " + std::to_string(c.label);
  if (!c.description.empty()) text += ", " + c.description;
  text += ":";
  bool any = false;
  for (int k = 0; k < kLoadKinds; ++k) {
    const int drawn = c.drawn[static_cast<size_t>(k)], out = c.leftOut[static_cast<size_t>(k)];
    if (drawn + out == 0) continue;
    text += std::string(any ? ", " : " ") + LoadKindName(static_cast<LoadKind>(k)) + " " + std::to_string(drawn);
    if (out > 0) text += " (" + std::to_string(out) + " left out)";
    any = true;
  }
  return any ? text : text + " no loads";
}

void DrawLoads(SvgText& svg, const DrawnCase& c, const LoadScales& scales, const DrawnModel& d, const PageFit& fit,
               const std::vector<PagePoint>& page, const std::vector<std::vector<PagePoint>>& outlines, View view,
               Up up) {
  auto point = [&page](int32_t p) { return page[static_cast<size_t>(p)]; };
  auto lineEnds = [&](int32_t line) {
    const auto& l = d.lines[static_cast<size_t>(line)];
    return std::pair{point(l.a), point(l.b)};
  };
  const size_t lineCells = d.lines.size();
  svg.Raw("<g id=\"loads\" fill=\"none\" stroke-width=\"1.5\" stroke-linecap=\"round\" stroke-linejoin=\"round\">\n");

  // Pressures as a wide band under the temperatures; solids filled.
  auto cellPaths = [&](const DrawnCase::CellValues& e, const std::string& colour, bool band) {
    svg.Raw("<g>");
    Title(svg, e.title);
    SvgText path;
    for (int32_t cell : e.cells) {
      if (static_cast<size_t>(cell) < lineCells) {
        const auto [a, b] = lineEnds(cell);
        path.MoveTo(a).LineTo(b);
      }
    }
    if (!path.out.empty()) {
      svg.Raw("<path vector-effect=\"non-scaling-stroke\" stroke=\"").Raw(colour);
      svg.Raw(band ? "\" stroke-width=\"9\" stroke-opacity=\"0.55" : "\" stroke-width=\"3.5");
      svg.Raw("\" d=\"").Raw(path.out).Raw("\"/>");
    }
    path.out.clear();
    for (int32_t cell : e.cells)
      if (static_cast<size_t>(cell) >= lineCells) Polygon(path, outlines[static_cast<size_t>(cell) - lineCells]);
    if (!path.out.empty()) {
      svg.Raw("<path stroke=\"none\" fill=\"").Raw(colour);
      svg.Raw(band ? "\" fill-opacity=\"0.3" : "\" fill-opacity=\"0.55");
      svg.Raw("\" d=\"").Raw(path.out).Raw("\"/>");
    }
    svg.Raw("</g>\n");
  };
  if (scales.pressures) {
    GroupStart(svg, "pressures", "stroke-linecap=\"butt\"");
    for (const auto* values : {&c.codeTempPress, &c.elementTempPress})
      for (const auto& e : *values)
        if (e.hasPressure) cellPaths(e, PressureColour(scales, e.pressure), true);
    svg.Raw("</g>\n");
  }
  if (scales.temperatures) {
    GroupStart(svg, "temperatures", "");
    for (const auto* values : {&c.codeTempPress, &c.elementTempPress})
      for (const auto& e : *values)
        if (e.hasTemperature) cellPaths(e, TemperatureColour(scales, e.temperature), false);
    svg.Raw("</g>\n");
  }

  if (!c.faceLoads.empty()) {
    GroupStart(svg, "face-loads", "fill=\"" + std::string(kFaceColour) + "\" fill-opacity=\"0.45\" stroke=\"#ff6f00\"");
    for (const auto& e : c.faceLoads)
      Item(svg, e.title, [&] { Polygon(svg, outlines[static_cast<size_t>(e.solid)]); });
    svg.Raw("</g>\n");
  }

  if (!c.nodalTemperatures.empty()) {
    GroupStart(svg, "nodal-temperatures", "stroke=\"#263238\" stroke-width=\"0.8\"");
    for (const auto& e : c.nodalTemperatures) {
      const std::string fill = "fill=\"" + TemperatureColour(scales, e.temperature) + "\"";
      Item(svg, e.title, [&] { Ring(svg, point(e.point), 4.5); }, fill);
    }
    svg.Raw("</g>\n");
  }

  // Distributed loads: global ones as rows of arrows, by element and by code.
  GroupStart(svg, "distributed-loads", "stroke=\"" + std::string(kDistributedColour) + "\" stroke-width=\"1.2\"");
  for (const auto& e : c.distributedLoads) {
    if (e.local) continue;
    const auto [a, b] = lineEnds(e.line);
    Item(svg, e.title, [&, a = a, b = b] { ArrowRow(svg, a, b, e.from, e.to, e.start, e.finish, scales.intensityPerCm, view, up); });
  }
  svg.Raw("</g>\n");
  GroupStart(svg, "code-loads", "stroke=\"" + std::string(kCodeUdlColour) + "\" stroke-width=\"1.1\"");
  for (const auto& e : c.codeUdls) {
    svg.Raw("<g>");
    Title(svg, e.title);
    svg.Raw("<path vector-effect=\"non-scaling-stroke\" d=\"");
    for (int32_t line : e.lines) {
      const auto [a, b] = lineEnds(line);
      ArrowRow(svg, a, b, 0, 1, e.intensity, e.intensity, scales.intensityPerCm, view, up);
    }
    svg.Raw("\"/></g>\n");
  }
  svg.Raw("</g>\n");

  // Forces: the tip at the point of the load.
  GroupStart(svg, "point-loads", "stroke=\"" + std::string(kForceColour) + "\" stroke-width=\"1.8\"");
  for (const auto& e : c.pointLoads) {
    if (e.local || (IsZero(e.start) && !IsZero(e.moment))) continue;
    const auto [a, b] = lineEnds(e.line);
    const PagePoint at = Between(a, b, e.from);
    Item(svg, e.title, [&] { Arrow(svg, Minus(at, PageVector(e.start, scales.forcePerCm, view, up)), at, 1); });
  }
  svg.Raw("</g>\n");
  GroupStart(svg, "nodal-forces", "stroke=\"" + std::string(kForceColour) + "\" stroke-width=\"1.8\"");
  for (const auto& e : c.nodalLoads) {
    if (IsZero(e.force) && (!IsZero(e.moment) || e.mass != 0)) continue;
    const PagePoint at = point(e.point);
    Item(svg, e.title, [&] { Arrow(svg, Minus(at, PageVector(e.force, scales.forcePerCm, view, up)), at, 1); });
  }
  svg.Raw("</g>\n");

  // Moments: from the point, double-headed.
  GroupStart(svg, "moments", "stroke=\"" + std::string(kMomentColour) + "\" stroke-width=\"1.5\"");
  auto moment = [&](PagePoint at, const Vector3& m, const std::string& title) {
    if (!IsZero(m)) Item(svg, title, [&] { Arrow(svg, at, Plus(at, PageVector(m, scales.momentPerCm, view, up)), 2); });
  };
  for (const auto& e : c.nodalLoads) moment(point(e.point), e.moment, e.title);
  for (const auto& e : c.pointLoads) {
    if (e.local) continue;
    const auto [a, b] = lineEnds(e.line);
    moment(Between(a, b, e.from), e.moment, e.title);
  }
  svg.Raw("</g>\n");

  GroupStart(svg, "masses", "fill=\"" + std::string(kMassColour) + "\" stroke=\"none\"");
  for (const auto& e : c.nodalLoads) {
    if (e.mass == 0) continue;
    const PagePoint at = point(e.point);
    Item(svg, e.title, [&] { svg.MoveTo({at.x - 3.5, at.y - 3.5}).Raw("h7v7h-7z"); });
  }
  svg.Raw("</g>\n");

  // Prescribed displacements: a diamond, and the direction of the
  // translation (not to scale).
  GroupStart(svg, "displacements", "stroke=\"" + std::string(kDisplacementColour) + "\" stroke-width=\"1.5\"");
  for (const auto& e : c.displacements) {
    const PagePoint at = point(e.point);
    Item(svg, e.title, [&] {
      svg.MoveTo({at.x, at.y - 6}).Raw("l6 6l-6 6l-6 -6z");
      if (!IsZero(e.translation)) Arrow(svg, at, Plus(at, FixedVector(e.translation, kDisplacementArrow, view, up)), 1);
    });
  }
  svg.Raw("</g>\n");

  // Loads in local axes: a dashed ring at their place.
  GroupStart(svg, "local-loads", "stroke=\"" + std::string(kLocalColour) + "\" stroke-dasharray=\"2 2\"");
  for (const auto* loads : {&c.pointLoads, &c.distributedLoads}) {
    for (const auto& e : *loads) {
      if (!e.local) continue;
      const auto [a, b] = lineEnds(e.line);
      Item(svg, e.title, [&, a = a, b = b] { Ring(svg, Between(a, b, (e.from + e.to) / 2), 5); });
    }
  }
  svg.Raw("</g>\n");

  // The saved total at its centre of force: a ringed cross and the force's
  // direction (not to scale), its tip at the centre.
  if (!c.totals.empty()) {
    GroupStart(svg, "saved-totals", "stroke=\"" + std::string(kTotalColour) + "\" stroke-width=\"1.6\"");
    svg.Raw("<g>");
    Title(svg, c.totalsTitle);
    svg.Raw("<path vector-effect=\"non-scaling-stroke\" d=\"");
    for (const auto& t : c.totals) {
      const PagePoint at = fit.ToPage(Project(view, up, t.at[0], t.at[1], t.at[2]));
      Ring(svg, at, 6);
      svg.MoveTo({at.x - 9, at.y}).Raw("h18").MoveTo({at.x, at.y - 9}).Raw("v18");
      // The arrow ends at the ring.
      const PagePoint v = FixedVector(t.force, kTotalArrow, view, up);
      const double length = std::hypot(v.x, v.y);
      const PagePoint tip = length > 6 ? Minus(at, {v.x * 6 / length, v.y * 6 / length}) : at;
      if (!IsZero(t.force)) Arrow(svg, Minus(tip, v), tip, 1);
    }
    svg.Raw("\"/></g>\n</g>\n");
  }
  svg.Raw("</g>\n");
}

double DrawLoadLegend(SvgText& svg, const DrawnCase& c, const LoadScales& s, const RunSettings& settings, double left,
                      double y) {
  svg.Raw("<g id=\"load-legend\" font-size=\"11\" fill=\"#212121\">\n");
  auto text = [&](double atY, const std::string& t, double indent = 32) {
    svg.Raw("<text x=\"").Num(left + indent).Raw("\" y=\"").Num(atY).Raw("\">").Text(t).Raw("</text>\n");
  };
  auto swatch = [&](const char* stroke, const char* fill, std::string_view extra) {
    svg.Raw("<path vector-effect=\"non-scaling-stroke\" stroke-width=\"1.6\" stroke=\"").Raw(stroke);
    svg.Raw("\" fill=\"").Raw(fill).Raw("\" ").Raw(extra).Raw(" d=\"");
  };
  svg.Raw("<text x=\"").Num(left).Raw("\" y=\"").Num(y).Raw("\" font-size=\"12\" font-weight=\"bold\">");
  svg.Raw("Load case ").Int(c.label).Raw("</text>\n");
  // An arrow 1 cm long for each scale.
  auto scaleRow = [&](const char* colour, int heads, const std::string& t) {
    y += 18;
    swatch(colour, "none", "");
    Arrow(svg, {left, y - 4}, {left + kPxPerCm, y - 4}, heads);
    svg.Raw("\"/>\n");
    text(y, t, kPxPerCm + 6);
  };
  if (s.forcePerCm > 0) scaleRow(kForceColour, 1, "arrow of " + ScaleText(settings, s.forcePerCm, "kN", "kips", true));
  if (s.momentPerCm > 0)
    scaleRow(kMomentColour, 2, "moment, " + ScaleText(settings, s.momentPerCm, "kNm", "kip-ins", true));
  if (s.intensityPerCm > 0)
    scaleRow(kDistributedColour, 1, "per length, " + ScaleText(settings, s.intensityPerCm, "kN/m", "lbs/ins", false));
  if (!c.codeUdls.empty()) scaleRow(kCodeUdlColour, 1, "by property code, the same");
  bool masses = false;
  for (const auto& e : c.nodalLoads) masses = masses || e.mass != 0;
  auto marker = [&](bool shown, const char* stroke, const char* fill, std::string_view extra, const std::string& t,
                    auto draw) {
    if (!shown) return;
    y += 18;
    swatch(stroke, fill, extra);
    draw(PagePoint{left + 12, y - 4});
    svg.Raw("\"/>\n");
    text(y, t);
  };
  marker(masses, "none", kMassColour, "", "mass",
         [&](PagePoint at) { svg.MoveTo({at.x - 3.5, at.y - 3.5}).Raw("h7v7h-7z"); });
  marker(!c.displacements.empty(), kDisplacementColour, "none", "", "prescribed displacement", [&](PagePoint at) {
    svg.MoveTo({at.x - 8, at.y - 6}).Raw("l6 6l-6 6l-6 -6z");
    Arrow(svg, {at.x - 8, at.y}, {at.x + 12, at.y}, 1);
  });
  marker(c.local > 0, kLocalColour, "none", "stroke-dasharray=\"2 2\"",
         std::to_string(c.local) + " in local axes, not oriented", [&](PagePoint at) { Ring(svg, at, 5); });
  marker(!c.faceLoads.empty(), "#ff6f00", kFaceColour, "fill-opacity=\"0.45\"", "face load (its solid)",
         [&](PagePoint at) { svg.MoveTo({at.x - 8, at.y - 6}).Raw("h16v11h-16z"); });
  marker(!c.totals.empty(), kTotalColour, "none", "", "saved total at its centre", [&](PagePoint at) {
    Ring(svg, at, 5);
    svg.MoveTo({at.x - 8, at.y}).Raw("h16").MoveTo({at.x, at.y - 8}).Raw("v16");
  });

  // The colour scales: the range, then a bar from its lowest to its highest value.
  auto colourScale = [&](bool shown, std::string_view id, const char* const* stops, size_t count,
                         const std::string& name, float low, float high) {
    if (!shown) return;
    y += 18;
    std::string range = name + " ";
    AppendShortest(range, low);
    if (high != low) {
      range += " to ";
      AppendShortest(range, high);
    }
    svg.Raw("<text x=\"").Num(left).Raw("\" y=\"").Num(y).Raw("\">").Text(range).Raw("</text>\n");
    y += 18;
    svg.Raw("<linearGradient id=\"").Raw(id).Raw("\">");
    for (size_t k = 0; k < count; ++k) {
      svg.Raw("<stop offset=\"").Num(static_cast<double>(k) / static_cast<double>(count - 1)).Raw("\" stop-color=\"");
      svg.Raw(stops[k]).Raw("\"/>");
    }
    svg.Raw("</linearGradient>\n<rect x=\"").Num(left).Raw("\" y=\"").Num(y - 11);
    svg.Raw("\" width=\"180\" height=\"10\" fill=\"url(#").Raw(id).Raw(")\"/>\n");
  };
  colourScale(s.temperatures, "temperature-scale", kTemperatureStops, std::size(kTemperatureStops), "temperature",
              s.temperatureLow, s.temperatureHigh);
  colourScale(s.pressures, "pressure-scale", kPressureStops, std::size(kPressureStops), "internal pressure",
              s.pressureLow, s.pressureHigh);
  svg.Raw("</g>\n");
  return y;
}

void DrawGravity(SvgText& svg, const DrawnCase& c, PagePoint centre, View view, Up up) {
  if (!c.gravity) return;
  const PagePoint v = FixedVector(c.acceleration, kGravityArrow, view, up);
  GroupStart(svg, "gravity", "stroke=\"" + std::string(kGravityColour) + "\" fill=\"none\" stroke-width=\"1.8\"");
  const PagePoint half{v.x / 2, v.y / 2};
  Item(svg, c.gravityTitle, [&] { Arrow(svg, Minus(centre, half), Plus(centre, half), 1); });
  std::string value = "ACCEL ";
  for (int k = 0; k < 3; ++k) {
    if (k > 0) value += ", ";
    AppendShortest(value, c.acceleration[static_cast<size_t>(k)]);
  }
  svg.Raw("<text stroke=\"none\" fill=\"").Raw(kGravityColour).Raw("\" font-size=\"11\" text-anchor=\"middle\" x=\"");
  svg.Num(centre.x).Raw("\" y=\"").Num(centre.y + kGravityArrow / 2 + 16).Raw("\">").Text(value).Raw("</text>\n</g>\n");
}

}  // namespace orvant
