#include "views/drawn_loads.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "loads/listed_loads.h"
#include "loads/load_case.h"
#include "model/model_tables.h"
#include "settings/run_settings.h"

namespace orvant {

namespace {

// Label -> index in the drawn model (-1: not drawn), for labels 0..max.
struct Lookup {
  std::vector<int32_t> index;
  explicit Lookup(long long maxLabel) : index(static_cast<size_t>(std::max(0LL, maxLabel) + 1), -1) {}
  void Set(long long label, size_t at) {
    if (label >= 0 && label < static_cast<long long>(index.size()))  // equivalent: boundary, constant (the drawn model's labels run from 1 to the highest)
      index[static_cast<size_t>(label)] = static_cast<int32_t>(at);
  }
  int32_t operator()(long long label) const {
    return label >= 0 && label < static_cast<long long>(index.size()) ? index[static_cast<size_t>(label)] : -1;  // equivalent: boundary, constant (loads listed name existing labels, 1 to the highest)
  }
};

float Distance(const Vector3& a, const Vector3& b) {
  return static_cast<float>(std::hypot(double{b[0]} - a[0], double{b[1]} - a[1], double{b[2]} - a[2]));
}

// Loads with a value that is not a finite number are not drawn (the
// listing stops at them).
bool Finite(std::initializer_list<float> values) {
  return std::all_of(values.begin(), values.end(), [](float v) { return std::isfinite(v); });
}
template <size_t N>
bool Finite(const std::array<float, N>& values) {
  return std::all_of(values.begin(), values.end(), [](float v) { return std::isfinite(v); });
}

// A length along a line as a fraction of the line, within 0..1.
float Fraction(float length, float lineLength) {
  if (!(lineLength > 0) || !std::isfinite(length)) return 0;
  return std::clamp(length / lineLength, 0.0f, 1.0f);
}

}  // namespace

const char* LoadKindName(LoadKind kind) {
  static const char* const kNames[kLoadKinds] = {"ND", "NF",   "EP", "ED/UDL", "FP",      "PUDL",
                                                 "PTEMP/PPRESS", "TEPR", "NT", "ACCEL", "LSUM/COF"};
  return kNames[kind];
}

DrawnCase CollectDrawnCase(const RunSettings& s, const ModelTables& m, const DrawnModel& d, const LoadCase& lc,
                           ListedText* texts) {
  DrawnCase c;
  c.label = lc.label;
  c.description = lc.description;
  auto title = [texts](auto&& make) { return texts ? make(*texts) : std::string(); };
  auto count = [&c](LoadKind kind, bool drawn) {  // as drawn or left out; whether drawn
    ++(drawn ? c.drawn : c.leftOut)[kind];
    return drawn;
  };

  Lookup pointOf(s.MaxNodeLabel), lineOf(s.MaxElementLabel), solidOf(s.MaxElementLabel);
  for (size_t p = 0; p < d.nodeLabels.size(); ++p) pointOf.Set(d.nodeLabels[p], p);
  for (size_t i = 0; i < d.lines.size(); ++i) lineOf.Set(d.lines[i].label, i);
  for (size_t i = 0; i < d.solids.size(); ++i) solidOf.Set(d.solids[i].label, i);
  auto lineLength = [&d](int32_t line) {
    const auto& l = d.lines[static_cast<size_t>(line)];
    return Distance(d.positions[static_cast<size_t>(l.a)], d.positions[static_cast<size_t>(l.b)]);
  };

  for (int i = 1; i <= lc.prescribedDisplacements.count; ++i) {
    const PrescribedDisplacement& e = lc.prescribedDisplacements.entries[i];
    const int32_t p = Finite(e.value) ? pointOf(e.node) : -1;
    if (!count(kNodalDisplacement, p >= 0)) continue;
    c.displacements.push_back({p, {e.value[1], e.value[2], e.value[3]}, title([&](ListedText& t) { return t.Of(e); })});
  }

  for (int i = 1; i <= lc.nodalLoads.count; ++i) {
    const NodalLoad& e = lc.nodalLoads.entries[i];
    const int32_t p = ListedNodalLoad(m, e) && Finite(e.value) && Finite({e.mass}) ? pointOf(e.node) : -1;
    if (!count(kNodalLoad, p >= 0)) continue;
    c.nodalLoads.push_back({p, {e.value[1], e.value[2], e.value[3]}, {e.value[4], e.value[5], e.value[6]}, e.mass,
                            title([&](ListedText& t) { return t.Of(e); })});
  }

  for (int i = 1; i <= lc.pointLoads.count; ++i) {
    const PointLoad& e = lc.pointLoads.entries[i];
    const int32_t line = ListedPointLoad(m, e) && Finite(e.value) ? lineOf(e.element) : -1;
    if (!count(kPointLoad, line >= 0)) continue;
    const float at = Fraction(e.position, lineLength(line));
    const Vector3 force{e.value[1], e.value[2], e.value[3]};
    c.pointLoads.push_back({line, PointAxisText(e.axes) == "Lo", at, at, force, force,
                            {e.value[4], e.value[5], e.value[6]}, title([&](ListedText& t) { return t.Of(e); })});
    c.local += c.pointLoads.back().local;
  }

  for (int i = 1; i <= lc.distributedLoads.count; ++i) {
    const DistributedLoad& e = lc.distributedLoads.entries[i];
    const bool finite = Finite({e.wx1, e.wx2, e.wy1, e.wy2, e.wz1, e.wz2});
    const int32_t line = ListedDistributedLoad(m, e) && finite ? lineOf(e.element) : -1;
    if (!count(kDistributedLoad, line >= 0)) continue;
    // A finish length of 0 is the end of the span.
    const float length = lineLength(line);
    const float from = Fraction(e.startLength, length), to = e.finishLength == 0 ? 1 : Fraction(e.finishLength, length);
    c.distributedLoads.push_back({line, DistributedAxisText(e.axes) == "Lo", from, to, {e.wx1, e.wy1, e.wz1},
                                  {e.wx2, e.wy2, e.wz2}, {}, title([&](ListedText& t) { return t.Of(e); })});
    c.local += c.distributedLoads.back().local;
  }

  for (int i = 1; i <= lc.faceLoads.count; ++i) {
    const FaceLoad& e = lc.faceLoads.entries[i];
    const int32_t solid = Finite(e.value) ? solidOf(e.element) : -1;
    if (count(kFaceLoad, solid >= 0)) c.faceLoads.push_back({solid, title([&](ListedText& t) { return t.Of(e); })});
  }

  // The cells of each geometric code, when a code load needs them.
  std::vector<std::vector<int32_t>> cellsOfCode;
  if (lc.propertyUdlGiven == 1 || lc.propertyTempPressGiven == 1) {
    cellsOfCode.resize(static_cast<size_t>(s.PhysicalPropertyCount));  // code 1 first (a count is never negative)
    auto add = [&cellsOfCode](int16_t code, size_t cell) {
      if (code >= 1 && code <= static_cast<int>(cellsOfCode.size()))
        cellsOfCode[static_cast<size_t>(code - 1)].push_back(static_cast<int32_t>(cell));
    };
    for (size_t i = 0; i < d.lines.size(); ++i) add(d.lines[i].geom, i);
    for (size_t i = 0; i < d.solids.size(); ++i) add(d.solids[i].geom, d.lines.size() + i);
  }
  const int32_t lineCells = static_cast<int32_t>(d.lines.size());

  if (lc.propertyUdlGiven == 1) {
    for (int16_t code = 1; code <= s.PhysicalPropertyCount; ++code) {
      const PropertyUdl& p = lc.propertyUdl[code];
      if (p.axesCode == 0 && p.udl[0] == 0) continue;  // no PUDL line for the code
      DrawnCase::CodeUdl load{code, {p.udl[1], p.udl[2], p.udl[3]}, {}, {}};
      if (ListedPropertyUdl(p) && Finite(p.udl))
        for (int32_t cell : cellsOfCode[static_cast<size_t>(code - 1)])
          if (cell < lineCells) load.lines.push_back(cell);
      if (!count(kCodeUdl, !load.lines.empty())) continue;
      load.title = title([&](ListedText& t) { return t.OfPropertyUdl(code, p); });
      c.codeUdls.push_back(std::move(load));
    }
  }

  if (lc.propertyTempPressGiven == 1) {
    for (int16_t code = 1; code <= s.PhysicalPropertyCount; ++code) {
      const PropertyTempPress& p = lc.propertyTempPress[code];
      const bool listed = ListedPropertyTempPress(p);
      if (!listed && p.extPressure == 0) continue;  // nothing given for the code
      const auto& cells = cellsOfCode[static_cast<size_t>(code - 1)];
      const bool drawn = listed && !cells.empty() && Finite({p.temperature, p.intPressure, p.extPressure});
      if (!count(kCodeTempPress, drawn)) continue;
      auto text = [&](ListedText& t) { return t.OfPropertyTempPress(code, p, lc.ambientTemperature); };
      c.codeTempPress.push_back({cells, p.temperature, p.intPressure, p.temperature != 0, p.intPressure != 0, title(text)});
    }
  }

  for (long long element : lc.elementTempPress.WrittenIndices()) {
    if (element < 1 || element > s.MaxElementLabel) continue;  // equivalent: logical (the parser keeps none such)
    const ElementTempPress& e = lc.elementTempPress[element];
    int32_t cell = lineOf(element);
    if (cell < 0 && solidOf(element) >= 0) cell = lineCells + solidOf(element);
    if (!ListedElementTempPress(e) || !Finite({e.temperature, e.intPressure, e.extPressure, e.oppositeTemperature}))
      cell = -1;
    if (!count(kElementTempPress, cell >= 0)) continue;
    const int16_t label = static_cast<int16_t>(element);
    c.elementTempPress.push_back(
        {{cell}, e.temperature, e.intPressure, e.temperature != 0 || e.oppositeTemperature != 0, e.intPressure != 0,
         title([&](ListedText& t) { return t.OfElementTempPress(label, e, lc.ambientTemperature); })});
  }

  for (int i = 1; i <= lc.nodalTemperatures.count; ++i) {
    const NodalTemperature& e = lc.nodalTemperatures.entries[i];
    const int32_t p = Finite({e.temperature}) ? pointOf(e.node) : -1;
    if (count(kNodalTemperature, p >= 0))
      c.nodalTemperatures.push_back({p, e.temperature, title([&](ListedText& t) { return t.Of(e); })});
  }

  if (ListedGravity(lc)) {
    c.gravity = Finite(lc.acceleration);
    count(kGravity, c.gravity);
  }
  if (c.gravity) {
    c.acceleration = lc.acceleration;
    c.gravityTitle = title([&](ListedText& t) { return t.OfGravity(lc); });
  }

  // Each force component at the centre of force of its row; components at
  // one centre make one arrow. A centre left blank has no place.
  if (ListedSavedEcho(lc)) {
    bool placed = Finite(lc.savedTotalLoad) && Finite(lc.centreOfForce);
    for (int k = 0; k < 3; ++k) {
      const float component = lc.savedTotalLoad[static_cast<size_t>(k + 1)];
      if (component == 0) continue;
      Vector3 at;
      for (int j = 0; j < 3; ++j) {
        at[static_cast<size_t>(j)] = lc.centreOfForce[static_cast<size_t>(3 * k + j + 1)];
        placed = placed && std::isfinite(at[static_cast<size_t>(j)]) && at[static_cast<size_t>(j)] != NoValue;
      }
      auto same = std::find_if(c.totals.begin(), c.totals.end(), [&](const DrawnCase::Total& t) { return t.at == at; });
      if (same == c.totals.end()) same = c.totals.insert(c.totals.end(), {at, {}});
      same->force[static_cast<size_t>(k)] = component;
    }
    if (!placed) c.totals.clear();
    count(kSavedTotal, placed);
    if (placed) c.totalsTitle = title([&](ListedText& t) { return t.OfSavedEcho(lc); });
  }
  return c;
}

}  // namespace orvant
