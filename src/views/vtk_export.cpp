#include "views/vtk_export.h"

#include <cmath>
#include <string_view>
#include <vector>

#include "settings/run_settings.h"
#include "views/number_text.h"

namespace orvant {

namespace {

struct VtkText {
  std::string out;

  VtkText& Raw(std::string_view text) {
    out.append(text);
    return *this;
  }
  // Coordinates as the shortest text that reads back to the same float.
  VtkText& Float(float v) {
    AppendShortest(out, v);
    return *this;
  }
  VtkText& Int(long long v) {
    AppendInt(out, v);
    return *this;
  }
  void Line() { out += '\n'; }
};

// One integer array: its heading, then a value per cell or point.
template <class T>
void IntArray(VtkText& vtk, std::string_view name, const std::vector<T>& values) {
  vtk.Raw("SCALARS ").Raw(name).Raw(" int 1\nLOOKUP_TABLE default\n");
  for (T v : values) vtk.Int(v).Line();
}

void FloatArray(VtkText& vtk, const std::string& name, const std::vector<float>& values) {
  vtk.Raw("SCALARS ").Raw(name).Raw(" float 1\nLOOKUP_TABLE default\n");
  for (float v : values) vtk.Float(v).Line();
}

void VectorArray(VtkText& vtk, const std::string& name, const std::vector<Vector3>& values) {
  vtk.Raw("VECTORS ").Raw(name).Raw(" float\n");
  for (const Vector3& v : values) vtk.Float(v[0]).Raw(" ").Float(v[1]).Raw(" ").Float(v[2]).Line();
}

void Add(Vector3& sum, const Vector3& v, float factor = 1) {
  for (size_t k = 0; k < 3; ++k) sum[k] += v[k] * factor;
}

// The cell arrays of one case.
void CaseCellArrays(VtkText& vtk, const DrawnCase& c, size_t cells) {
  const std::string prefix = "case" + std::to_string(c.label) + "_";
  std::vector<Vector3> distributed;
  for (const auto& e : c.distributedLoads) {
    if (e.local) continue;
    // The mean intensity over the element: the loaded length's mean times
    // its share of the length.
    distributed.resize(cells);
    Vector3 mean = e.start;
    Add(mean, e.finish);
    Add(distributed[static_cast<size_t>(e.line)], mean, 0.5f * std::fabs(e.to - e.from));
  }
  for (const auto& e : c.codeUdls) {
    distributed.resize(cells);
    for (int32_t line : e.lines) Add(distributed[static_cast<size_t>(line)], e.intensity);
  }
  if (!distributed.empty()) VectorArray(vtk, prefix + "distributed", distributed);

  std::vector<float> temperature, pressure;
  for (const auto* values : {&c.codeTempPress, &c.elementTempPress}) {
    for (const auto& e : *values) {
      if (e.hasTemperature) temperature.resize(cells);
      if (e.hasPressure) pressure.resize(cells);
      for (int32_t cell : e.cells) {
        if (e.hasTemperature) temperature[static_cast<size_t>(cell)] = e.temperature;
        if (e.hasPressure) pressure[static_cast<size_t>(cell)] = e.pressure;
      }
    }
  }
  if (!temperature.empty()) FloatArray(vtk, prefix + "temperature", temperature);
  if (!pressure.empty()) FloatArray(vtk, prefix + "pressure", pressure);
}

// The point arrays of one case.
void CasePointArrays(VtkText& vtk, const DrawnCase& c, size_t points) {
  const std::string prefix = "case" + std::to_string(c.label) + "_";
  std::vector<Vector3> force, moment, displacement;
  for (const auto& e : c.nodalLoads) {
    if (e.force != Vector3{}) force.resize(points);
    if (e.moment != Vector3{}) moment.resize(points);
    if (!force.empty()) Add(force[static_cast<size_t>(e.point)], e.force);
    if (!moment.empty()) Add(moment[static_cast<size_t>(e.point)], e.moment);
  }
  for (const auto& e : c.displacements) {
    displacement.resize(points);
    Add(displacement[static_cast<size_t>(e.point)], e.translation);
  }
  std::vector<float> temperature;
  for (const auto& e : c.nodalTemperatures) {
    temperature.resize(points);
    temperature[static_cast<size_t>(e.point)] = e.temperature;
  }
  if (!force.empty()) VectorArray(vtk, prefix + "force", force);
  if (!moment.empty()) VectorArray(vtk, prefix + "moment", moment);
  if (!displacement.empty()) VectorArray(vtk, prefix + "displacement", displacement);
  if (!temperature.empty()) FloatArray(vtk, prefix + "temperature", temperature);
}

}  // namespace

int SolidCellType(int nodeCount) {
  switch (nodeCount) {
    case 1: return kVtkVertex;
    case 2: return kVtkLine;
    case 3: return kVtkTriangle;
    default: return kVtkConvexPointSet;
  }
}

std::string VtkFile(const RunSettings& s, const DrawnModel& d, const std::vector<DrawnCase>& cases) {
  VtkText vtk;
  vtk.out.reserve(d.positions.size() * 48 + d.lines.size() * 48 + d.solidPoints.size() * 8 + 4096);  // equivalent: constant, arithmetic (room only)

  // The title line: the model name and description, on one line of at
  // most 255 characters.
  std::string title = s.ModelName + ": " + s.AnalysisDescription;
  for (char& c : title)
    if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7f) c = ' ';
  while (!title.empty() && title.back() == ' ') title.pop_back();
  if (title.size() > 255) title.resize(255);
  vtk.Raw("# vtk DataFile Version 3.0\n").Raw(title).Raw("\nASCII\nDATASET UNSTRUCTURED_GRID\n");

  const size_t points = d.positions.size();
  vtk.Raw("POINTS ").Int(static_cast<long long>(points)).Raw(" float\n");
  for (const auto& p : d.positions) vtk.Float(p[0]).Raw(" ").Float(p[1]).Raw(" ").Float(p[2]).Line();

  // Cells: elements, solids, springs/couples.
  const size_t cells = d.lines.size() + d.solids.size() + d.springs.size();
  size_t cellListSize = 3 * d.lines.size() + d.solids.size() + d.solidPoints.size();
  for (const auto& sp : d.springs) cellListSize += sp.a == sp.b ? 2 : 3;
  vtk.Raw("CELLS ").Int(static_cast<long long>(cells)).Raw(" ").Int(static_cast<long long>(cellListSize)).Line();
  for (const auto& l : d.lines) vtk.Raw("2 ").Int(l.a).Raw(" ").Int(l.b).Line();
  for (const auto& solid : d.solids) {
    vtk.Int(solid.count);
    for (int32_t k = 0; k < solid.count; ++k) vtk.Raw(" ").Int(d.solidPoints[static_cast<size_t>(solid.first + k)]);
    vtk.Line();
  }
  for (const auto& sp : d.springs) {
    if (sp.a == sp.b)
      vtk.Raw("1 ").Int(sp.a).Line();
    else
      vtk.Raw("2 ").Int(sp.a).Raw(" ").Int(sp.b).Line();
  }
  vtk.Raw("CELL_TYPES ").Int(static_cast<long long>(cells)).Line();
  for (size_t i = 0; i < d.lines.size(); ++i) vtk.Int(kVtkLine).Line();
  for (const auto& solid : d.solids) vtk.Int(SolidCellType(solid.count)).Line();
  for (const auto& sp : d.springs) vtk.Int(sp.a == sp.b ? kVtkVertex : kVtkLine).Line();

  if (cells > 0) {
    std::vector<int16_t> label, type, geom, mat, group, kind;
    for (auto* a : {&label, &type, &geom, &mat, &group, &kind}) a->reserve(cells);
    for (const auto& l : d.lines) {
      label.push_back(l.label), type.push_back(l.type), geom.push_back(l.geom), mat.push_back(l.mat);
      group.push_back(l.group), kind.push_back(kKindElement);
    }
    for (const auto& solid : d.solids) {
      label.push_back(solid.label), type.push_back(solid.type), geom.push_back(solid.geom), mat.push_back(solid.mat);
      group.push_back(solid.group), kind.push_back(kKindSolid);
    }
    for (const auto& sp : d.springs) {
      label.push_back(sp.label), type.push_back(0), geom.push_back(0), mat.push_back(0);
      group.push_back(sp.group), kind.push_back(kKindSpring);
    }
    vtk.Raw("CELL_DATA ").Int(static_cast<long long>(cells)).Line();
    IntArray(vtk, "label", label);
    IntArray(vtk, "type", type);
    IntArray(vtk, "geom_code", geom);
    IntArray(vtk, "mat_code", mat);
    IntArray(vtk, "group", group);
    IntArray(vtk, "kind", kind);
    for (const DrawnCase& c : cases) CaseCellArrays(vtk, c, cells);
  }

  if (points > 0) {
    vtk.Raw("POINT_DATA ").Int(static_cast<long long>(points)).Line();
    IntArray(vtk, "label", d.nodeLabels);
    IntArray(vtk, "group", d.nodeGroups);
    static const char* const kCodes[] = {"Tx", "Ty", "Tz", "Rx", "Ry", "Rz"};
    std::vector<int16_t> codes(points);
    for (size_t c = 0; c < 6; ++c) {
      for (size_t i = 0; i < points; ++i) codes[i] = d.restraints[i][c];
      IntArray(vtk, kCodes[c], codes);
    }
    for (const DrawnCase& c : cases) CasePointArrays(vtk, c, points);
  }
  return std::move(vtk.out);
}

}  // namespace orvant
