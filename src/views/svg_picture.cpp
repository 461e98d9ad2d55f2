#include "views/svg_picture.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <string_view>

#include "model/model_tables.h"
#include "settings/run_settings.h"
#include "views/load_picture.h"
#include "views/number_text.h"
#include "views/svg_text.h"

namespace orvant {

namespace {

bool IsUtf8(std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) continue;
    const size_t more = (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : 0;
    if (more == 0 || c < 0xc2 || c > 0xf4 || i + more >= text.size()) return false;
    for (size_t k = 1; k <= more; ++k)
      if ((static_cast<unsigned char>(text[i + k]) >> 6) != 2) return false;
    i += more;
  }
  return true;
}

}  // namespace

SvgText& SvgText::Text(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  const bool utf8 = IsUtf8(text);
  for (char ch : text) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c == '&') out += "&amp;";
    else if (c == '<') out += "&lt;";
    else if (c == '>') out += "&gt;";
    else if (c == '"') out += "&quot;";
    else if (c < 0x20 || c == 0x7f) out += ' ';
    else if (c < 0x80 || utf8) out += ch;
    else out += static_cast<char>(0xc0 | (c >> 6)), out += static_cast<char>(0x80 | (c & 0x3f));
  }
  return *this;
}

namespace {

// Legend column, right of the drawing.
constexpr double kLegendLeft = 1000, kLegendTop = 84, kRowHeight = 18;
constexpr double kTriadX = 1094, kTriadY = 810, kTriadLength = 40, kGravityX = 990;
// Room around the model for the arrows of loads.
constexpr double kLoadMargin = 60;
constexpr char kSpringColour[] = "#8e24aa";
constexpr char kSupportColour[] = "#263238";

// Colours of the geometric codes, in the order of the codes used; after
// these, hues a golden angle apart.
constexpr const char* kPalette[] = {"#1b6ca8", "#d9480f", "#2b8a3e", "#c2255c", "#7048e8",
                                    "#8d5524", "#0c8599", "#e67700", "#5c677d", "#a61e4d"};
constexpr size_t kPaletteSize = sizeof kPalette / sizeof kPalette[0];

std::string Colour(size_t rank) {
  if (rank < kPaletteSize) return kPalette[rank];
  // HSL (hue, 0.65, 0.40) to RGB.
  const double h = std::fmod(static_cast<double>(rank - kPaletteSize) * 137.508 + 200.0, 360.0) / 60.0;
  const double c = (1 - std::fabs(2 * 0.40 - 1)) * 0.65, x = c * (1 - std::fabs(std::fmod(h, 2.0) - 1));
  const double m = 0.40 - c / 2;
  double r = 0, g = 0, b = 0;
  switch (static_cast<int>(h)) {
    case 0: r = c, g = x; break;
    case 1: r = x, g = c; break;
    case 2: g = c, b = x; break;
    case 3: g = x, b = c; break;
    case 4: r = x, b = c; break;
    default: r = c, b = x; break;
  }
  const char* hex = "0123456789abcdef";
  std::string out = "#";
  for (double v : {r, g, b}) {
    const int byte = static_cast<int>(std::lround((v + m) * 255));
    out += hex[byte >> 4];
    out += hex[byte & 15];
  }
  return out;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\0')) text.remove_suffix(1);
  return text;
}

// The outline of a solid: the convex hull of its nodes on the page (the
// projection of a convex solid is the hull of its projected corners).
std::vector<PagePoint> Hull(std::vector<PagePoint> p) {
  std::sort(p.begin(), p.end(), [](PagePoint a, PagePoint b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
  if (p.size() < 3) return p;
  auto cross = [](PagePoint o, PagePoint a, PagePoint b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); };
  std::vector<PagePoint> h(2 * p.size());
  size_t k = 0;
  for (size_t i = 0; i < p.size(); ++i) {
    while (k >= 2 && cross(h[k - 2], h[k - 1], p[i]) <= 0) --k;
    h[k++] = p[i];
  }
  for (size_t i = p.size() - 1, t = k + 1; i-- > 0;) {
    while (k >= t && cross(h[k - 2], h[k - 1], p[i]) <= 0) --k;
    h[k++] = p[i];
  }
  h.resize(k - 1);
  return h;
}

void PathStart(SvgText& svg, std::string_view id) {
  svg.Raw("<path id=\"").Raw(id).Raw("\" vector-effect=\"non-scaling-stroke\" ");
}

std::string Designation(const ModelTables& m, int16_t code) {
  std::string text = std::to_string(code);
  if (!m.GeometricPropertyTable.Has(code) || code <= 0) return text;
  const GeometricProperty& g = m.GeometricPropertyTable[code];
  std::string_view prefix = Trimmed(g.DesignationPrefix);
  if (prefix.empty() && g.DesignationNumber == 0) return text;
  text += ": ";
  text += prefix;
  if (g.DesignationNumber != 0) {
    if (!prefix.empty()) text += ' ';
    text += std::to_string(g.DesignationNumber);
  }
  return text;
}

void Triad(SvgText& svg, View view, Up up) {
  static const char* const kNames[] = {"X", "Y", "Z"};
  static const char* const kColours[] = {"#c62828", "#2e7d32", "#1565c0"};
  Projected axes[3];
  double longest = 0;
  for (int a = 0; a < 3; ++a) {
    axes[a] = Project(view, up, a == 0, a == 1, a == 2);
    longest = std::max(longest, std::hypot(axes[a].u, axes[a].v));
  }
  const PagePoint origin{kTriadX, kTriadY};
  svg.Raw("<g id=\"triad\" font-size=\"12\" text-anchor=\"middle\" fill=\"none\" stroke-width=\"1.5\">\n");
  for (int a = 0; a < 3; ++a) {
    const double length = std::hypot(axes[a].u, axes[a].v);
    PagePoint label;
    if (length < 1e-9) {
      // Along the line of sight: a dot (towards the viewer) or a cross (away).
      svg.Raw("<path vector-effect=\"non-scaling-stroke\" stroke=\"").Raw(kColours[a]).Raw("\" d=\"");
      svg.MoveTo({origin.x - 6, origin.y}).Raw("a6 6 0 1 0 12 0a6 6 0 1 0 -12 0");
      if (AxisTowardsViewer(view, up, a)) {
        svg.MoveTo(origin).Raw("h0");
      } else {
        svg.MoveTo({origin.x - 4, origin.y - 4}).Raw("l8 8").MoveTo({origin.x + 4, origin.y - 4}).Raw("l-8 8");
      }
      svg.Raw("\" stroke-linecap=\"round\"/>\n");
      label = {origin.x + 14, origin.y + 14};
    } else {
      const double k = kTriadLength / longest;
      const PagePoint tip{origin.x + axes[a].u * k, origin.y - axes[a].v * k};
      svg.Raw("<path vector-effect=\"non-scaling-stroke\" stroke=\"").Raw(kColours[a]).Raw("\" d=\"");
      svg.MoveTo(origin).LineTo(tip).Raw("\"/>\n");
      const double f = (kTriadLength + 12) / kTriadLength;
      label = {origin.x + (tip.x - origin.x) * f, origin.y + (tip.y - origin.y) * f + 4};
    }
    svg.Raw("<text stroke=\"none\" fill=\"").Raw(kColours[a]).Raw("\" x=\"").Num(label.x).Raw("\" y=\"");
    svg.Num(label.y).Raw("\">").Raw(kNames[a]).Raw("</text>\n");
  }
  svg.Raw("<text stroke=\"none\" fill=\"#333\" x=\"").Num(origin.x).Raw("\" y=\"").Num(origin.y + 62);
  svg.Raw("\">view ").Raw(ViewName(view));
  if (up != Up::kZ) svg.Raw(", ").Raw(up == Up::kX ? "X" : "Y").Raw(" up");
  svg.Raw("</text>\n</g>\n");
}

}  // namespace

std::string SvgPicture(const RunSettings& s, const ModelTables& m, const DrawnModel& d, const ViewOptions& options,
                       const DrawnCase* loads) {
  // With loads the model leaves room around it for their arrows.
  const PageBox box = loads ? PageBox{kDrawingBox.left + kLoadMargin, kDrawingBox.top + kLoadMargin,
                                      kDrawingBox.right - kLoadMargin, kDrawingBox.bottom - kLoadMargin}
                            : kDrawingBox;
  const PageFit fit = FitPositions(d.positions, options.view, options.up, box);
  std::vector<PagePoint> page;
  page.reserve(d.positions.size());  // equivalent: statement (room only)
  for (const auto& p : d.positions) page.push_back(fit.ToPage(Project(options.view, options.up, p[0], p[1], p[2])));
  const LoadScales scales = loads ? ScalesOf(*loads) : LoadScales{};
  SvgText svg;
  svg.out.reserve(256 * 1024 + d.lines.size() * 30 + d.positions.size() * 18 + d.solidPoints.size() * 16);  // equivalent: constant, arithmetic (room only)

  // Geometric codes used, in ascending order; each element's colour rank.
  std::vector<int16_t> codes;
  for (const auto& l : d.lines) codes.push_back(l.geom);
  for (const auto& solid : d.solids) codes.push_back(solid.geom);
  std::sort(codes.begin(), codes.end());
  codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
  std::vector<int32_t> rankOf(65536, -1);
  for (size_t r = 0; r < codes.size(); ++r) rankOf[static_cast<size_t>(codes[r] + 32768)] = static_cast<int32_t>(r);
  auto rank = [&rankOf](int16_t code) { return static_cast<size_t>(rankOf[static_cast<size_t>(code + 32768)]); };

  // Lines and solids grouped by rank (a counting sort keeps label order).
  std::vector<size_t> lineStart(codes.size() + 1, 0), solidStart(codes.size() + 1, 0);
  for (const auto& l : d.lines) ++lineStart[rank(l.geom) + 1];
  for (const auto& solid : d.solids) ++solidStart[rank(solid.geom) + 1];
  std::partial_sum(lineStart.begin(), lineStart.end(), lineStart.begin());
  std::partial_sum(solidStart.begin(), solidStart.end(), solidStart.begin());
  std::vector<uint32_t> lineOrder(d.lines.size()), solidOrder(d.solids.size());
  {
    std::vector<size_t> nextLine(lineStart), nextSolid(solidStart);  // the place of each rank's next
    for (size_t i = 0; i < d.lines.size(); ++i) lineOrder[nextLine[rank(d.lines[i].geom)]++] = static_cast<uint32_t>(i);
    for (size_t i = 0; i < d.solids.size(); ++i)
      solidOrder[nextSolid[rank(d.solids[i].geom)]++] = static_cast<uint32_t>(i);
  }
  std::vector<std::vector<PagePoint>> outlines(d.solids.size());
  for (size_t i = 0; i < d.solids.size(); ++i) {
    std::vector<PagePoint> corners;
    for (int32_t k = 0; k < d.solids[i].count; ++k)
      corners.push_back(page[static_cast<size_t>(d.solidPoints[static_cast<size_t>(d.solids[i].first + k)])]);
    outlines[i] = Hull(std::move(corners));
  }

  svg.Raw("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
  const long long width = std::lround(kPageWidth), height = std::lround(kPageHeight);
  svg.Raw("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"").Int(width).Raw("\" height=\"").Int(height);
  svg.Raw("\" viewBox=\"0 0 ").Int(width).Raw(" ").Int(height);
  svg.Raw("\" font-family=\"DejaVu Sans, Arial, Helvetica, sans-serif\">\n");

  // Title line: model name, analysis description, counts.
  std::string counts = std::to_string(d.ElementCount()) + " elements, " + std::to_string(d.nodeLabels.size()) + " nodes";
  if (!d.springs.empty()) counts += ", " + std::to_string(d.springs.size()) + " springs/couples";
  if (d.notDrawn > 0) counts += "; " + std::to_string(d.notDrawn) + " naming a missing node not drawn";
  SvgText title;
  title.Text(s.ModelName);
  if (!Trimmed(s.AnalysisDescription).empty()) title.Raw(": ").Text(Trimmed(s.AnalysisDescription));
  title.Raw(" (").Raw(counts).Raw(")");
  SvgText caseTitle;
  if (loads) caseTitle.Text(CaseTitle(*loads));
  svg.Raw("<title>").Raw(title.out).Raw(loads ? "; " : "").Raw(caseTitle.out).Raw("</title>\n");
  svg.Raw("<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n");
  svg.Raw("<text id=\"title\" x=\"24\" y=\"34\" font-size=\"18\" fill=\"#111\">").Raw(title.out).Raw("</text>\n");
  if (loads) {
    svg.Raw("<text id=\"case-title\" x=\"24\" y=\"54\" font-size=\"13\" fill=\"#111\">").Raw(caseTitle.out);
    svg.Raw("</text>\n");
  }

  // Solid fills, then per colour the element lines and solid outlines; the
  // model faint under loads.
  svg.Raw("<g fill=\"none\" stroke-width=\"1.6\" stroke-linecap=\"round\" stroke-linejoin=\"round\"");
  svg.Raw(loads ? " opacity=\"0.3\">\n" : ">\n");
  for (size_t r = 0; r < codes.size(); ++r) {
    if (solidStart[r] == solidStart[r + 1]) continue;
    PathStart(svg, "solids-" + std::to_string(codes[r]));
    svg.Raw("stroke=\"none\" fill=\"").Raw(Colour(r)).Raw("\" fill-opacity=\"0.15\" d=\"");
    for (size_t k = solidStart[r]; k < solidStart[r + 1]; ++k) {
      const auto& outline = outlines[solidOrder[k]];
      for (size_t p = 0; p < outline.size(); ++p) p == 0 ? svg.MoveTo(outline[p]) : svg.LineTo(outline[p]);
      svg.Raw("Z");
    }
    svg.Raw("\"/>\n");
  }
  for (size_t r = 0; r < codes.size(); ++r) {
    PathStart(svg, "code-" + std::to_string(codes[r]));
    svg.Raw("stroke=\"").Raw(Colour(r)).Raw("\" d=\"");
    for (size_t k = lineStart[r]; k < lineStart[r + 1]; ++k) {
      const auto& l = d.lines[lineOrder[k]];
      svg.MoveTo(page[static_cast<size_t>(l.a)]).LineTo(page[static_cast<size_t>(l.b)]);
    }
    for (size_t k = solidStart[r]; k < solidStart[r + 1]; ++k) {
      const auto& outline = outlines[solidOrder[k]];
      for (size_t p = 0; p < outline.size(); ++p) p == 0 ? svg.MoveTo(outline[p]) : svg.LineTo(outline[p]);
      svg.Raw("Z");
    }
    svg.Raw("\"/>\n");
  }

  // Springs/couples: dashed lines; to ground a circle at the node.
  bool groundSprings = false, betweenSprings = false;
  for (const auto& sp : d.springs) (sp.a == sp.b ? groundSprings : betweenSprings) = true;
  if (betweenSprings) {
    PathStart(svg, "springs");
    svg.Raw("stroke=\"").Raw(kSpringColour).Raw("\" stroke-dasharray=\"5 4\" d=\"");
    for (const auto& sp : d.springs)
      if (sp.a != sp.b) svg.MoveTo(page[static_cast<size_t>(sp.a)]).LineTo(page[static_cast<size_t>(sp.b)]);
    svg.Raw("\"/>\n");
  }
  if (groundSprings) {
    PathStart(svg, "ground-springs");
    svg.Raw("stroke=\"").Raw(kSpringColour).Raw("\" d=\"");
    for (const auto& sp : d.springs) {
      if (sp.a != sp.b) continue;
      const PagePoint p = page[static_cast<size_t>(sp.a)];
      svg.MoveTo({p.x - 7, p.y}).Raw("a7 7 0 1 0 14 0a7 7 0 1 0 -14 0");
    }
    svg.Raw("\"/>\n");
  }

  // Supports: a triangle under the node, filled when all six are fixed.
  bool fullSupports = false, partSupports = false;
  auto fullyFixed = [&d](int32_t p) {
    const auto& codesOf = d.restraints[static_cast<size_t>(p)];
    return std::all_of(codesOf.begin(), codesOf.end(), [](int16_t c) { return c != 0; });
  };
  for (int32_t p : d.supports) (fullyFixed(p) ? fullSupports : partSupports) = true;
  for (bool full : {true, false}) {
    if (!(full ? fullSupports : partSupports)) continue;
    PathStart(svg, full ? "supports-fixed" : "supports-partial");
    svg.Raw("stroke=\"").Raw(kSupportColour).Raw("\" fill=\"").Raw(full ? kSupportColour : "#ffffff").Raw("\" d=\"");
    for (int32_t p : d.supports)
      if (fullyFixed(p) == full) svg.MoveTo(page[static_cast<size_t>(p)]).Raw("l-6 11h12z");
    svg.Raw("\"/>\n");
  }

  // Nodes: dots (zero-length lines with round caps).
  if (!page.empty()) {
    PathStart(svg, "nodes");
    svg.Raw("stroke=\"#212121\" stroke-width=\"3.5\" d=\"");
    for (const PagePoint& p : page) svg.MoveTo(p).Raw("h0");
    svg.Raw("\"/>\n");
  }
  svg.Raw("</g>\n");

  // Labels: nodes above right of their dot, elements and springs/couples at
  // their middle, solids at their centroid.
  const bool labels = options.labels == LabelChoice::kOn ||
                      (options.labels == LabelChoice::kBySize && d.ElementCount() <= kLabelElementLimit);
  if (labels) {
    svg.Raw("<g id=\"labels\" font-size=\"9\" stroke=\"#ffffff\" stroke-width=\"2.5\" paint-order=\"stroke\"");
    svg.Raw(loads ? " opacity=\"0.5\">\n" : ">\n");
    svg.Raw("<g id=\"node-labels\" fill=\"#616161\">\n");
    for (size_t p = 0; p < page.size(); ++p) {
      svg.Raw("<text x=\"").Num(page[p].x + 4).Raw("\" y=\"").Num(page[p].y - 4).Raw("\">");
      svg.Int(d.nodeLabels[p]).Raw("</text>\n");
    }
    svg.Raw("</g>\n<g id=\"element-labels\" fill=\"#000000\" font-weight=\"bold\" text-anchor=\"middle\">\n");
    auto label = [&svg](PagePoint at, std::string_view prefix, int16_t value) {
      svg.Raw("<text x=\"").Num(at.x).Raw("\" y=\"").Num(at.y + 3).Raw("\">").Raw(prefix).Int(value).Raw("</text>\n");
    };
    for (const auto& l : d.lines) {
      const PagePoint a = page[static_cast<size_t>(l.a)], b = page[static_cast<size_t>(l.b)];
      label({(a.x + b.x) / 2, (a.y + b.y) / 2}, "", l.label);
    }
    for (const auto& solid : d.solids) {
      PagePoint c;
      for (int32_t k = 0; k < solid.count; ++k) {
        const PagePoint p = page[static_cast<size_t>(d.solidPoints[static_cast<size_t>(solid.first + k)])];
        c.x += p.x / solid.count;
        c.y += p.y / solid.count;
      }
      label(c, "", solid.label);
    }
    for (const auto& sp : d.springs) {
      const PagePoint a = page[static_cast<size_t>(sp.a)], b = page[static_cast<size_t>(sp.b)];
      label(sp.a == sp.b ? PagePoint{a.x, a.y + 17} : PagePoint{(a.x + b.x) / 2, (a.y + b.y) / 2}, "S", sp.label);
    }
    svg.Raw("</g>\n</g>\n");
  }

  if (loads) DrawLoads(svg, *loads, scales, d, fit, page, outlines, options.view, options.up);

  // Legend: the codes used (as many as fit), then the kinds drawn, then the
  // loads.
  svg.Raw("<g id=\"legend\" font-size=\"12\" fill=\"#212121\">\n");
  double y = kLegendTop;
  svg.Raw("<text x=\"").Num(kLegendLeft).Raw("\" y=\"").Num(y).Raw("\" font-weight=\"bold\">Geometric codes</text>\n");
  size_t kindRows = 1 + betweenSprings + groundSprings + fullSupports + partSupports + (d.solids.empty() ? 0 : 1);
  if (labels) kindRows += 2;
  if (loads) {  // a gap, the title and the rows of the load legend, counted by drawing it aside
    SvgText aside;
    kindRows += 2 + static_cast<size_t>(std::lround(DrawLoadLegend(aside, *loads, scales, s, 0, 0) / kRowHeight));
  }
  const double lastCodeRow = kTriadY - 70 - kRowHeight * static_cast<double>(kindRows + 1);
  auto swatch = [&svg](double atY, const std::string& stroke, std::string_view extra) {
    svg.Raw("<path vector-effect=\"non-scaling-stroke\" fill=\"none\" stroke-width=\"2\" stroke=\"").Raw(stroke);
    svg.Raw("\" ").Raw(extra).Raw(" d=\"").MoveTo({kLegendLeft, atY - 4}).Raw("h24\"/>\n");
  };
  auto rowText = [&svg](double atY, const std::string& text) {
    svg.Raw("<text x=\"").Num(kLegendLeft + 32).Raw("\" y=\"").Num(atY).Raw("\">").Text(text).Raw("</text>\n");
  };
  for (size_t r = 0; r < codes.size(); ++r) {
    y += kRowHeight;
    if (y > lastCodeRow && r + 1 < codes.size()) {
      rowText(y, "... " + std::to_string(codes.size() - r) + " more codes");
      break;
    }
    swatch(y, Colour(r), "");
    rowText(y, Designation(m, codes[r]));
  }
  y += kRowHeight * 1.5;
  if (betweenSprings) {
    y += kRowHeight;
    swatch(y, kSpringColour, "stroke-dasharray=\"5 4\"");
    rowText(y, "spring/couple");
  }
  if (groundSprings) {
    y += kRowHeight;
    svg.Raw("<path vector-effect=\"non-scaling-stroke\" fill=\"none\" stroke-width=\"1.6\" stroke=\"").Raw(kSpringColour);
    svg.Raw("\" d=\"").MoveTo({kLegendLeft + 5, y - 4}).Raw("a7 7 0 1 0 14 0a7 7 0 1 0 -14 0\"/>\n");
    rowText(y, "spring/couple to ground");
  }
  if (!d.solids.empty()) {
    y += kRowHeight;
    svg.Raw("<path fill=\"#9e9e9e\" fill-opacity=\"0.3\" stroke=\"#616161\" d=\"").MoveTo({kLegendLeft + 4, y - 10});
    svg.Raw("h16v11h-16z\"/>\n");
    rowText(y, "solid (outline of its nodes)");
  }
  for (bool full : {true, false}) {
    if (!(full ? fullSupports : partSupports)) continue;
    y += kRowHeight;
    svg.Raw("<path stroke=\"").Raw(kSupportColour).Raw("\" fill=\"").Raw(full ? kSupportColour : "#ffffff");
    svg.Raw("\" d=\"").MoveTo({kLegendLeft + 12, y - 11}).Raw("l-6 11h12z\"/>\n");
    rowText(y, full ? "support, all fixed" : "support, partly fixed");
  }
  y += kRowHeight;
  svg.Raw("<path vector-effect=\"non-scaling-stroke\" stroke=\"#212121\" stroke-width=\"3.5\" stroke-linecap=\"round\" d=\"");
  svg.MoveTo({kLegendLeft + 12, y - 4}).Raw("h0\"/>\n");
  rowText(y, "node");
  if (labels) {
    y += kRowHeight;
    svg.Raw("<text x=\"").Num(kLegendLeft + 12).Raw("\" y=\"").Num(y).Raw("\" font-size=\"9\" fill=\"#616161\">12</text>\n");
    rowText(y, "node label");
    y += kRowHeight;
    svg.Raw("<text x=\"").Num(kLegendLeft + 12).Raw("\" y=\"").Num(y);
    svg.Raw("\" font-size=\"9\" font-weight=\"bold\" fill=\"#000000\">7</text>\n");
    rowText(y, "element label (S: spring)");
  }
  svg.Raw("</g>\n");
  if (loads) {
    DrawLoadLegend(svg, *loads, scales, s, kLegendLeft, y + kRowHeight * 1.5);
    DrawGravity(svg, *loads, {kGravityX, kTriadY - 10}, options.view, options.up);
  }

  Triad(svg, options.view, options.up);
  svg.Raw("</svg>\n");
  return std::move(svg.out);
}

}  // namespace orvant
