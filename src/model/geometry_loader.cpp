#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "base/file_system.h"
#include "model/binary_reader.h"
#include "model/geometry.h"
#include "model/model_tables.h"
#include "settings/run_settings.h"

namespace orvant {

namespace {

constexpr size_t kConnectivityRecordSize = 28;
constexpr size_t kLengthRecordSize = 48;
constexpr float kSpringMarker = 19191.0f;
constexpr float kTaperLength = 0.00001f;

// The whole file as bytes for the reader. A missing file fails (RunFault).
std::string ReadModelFile(RunSettings& s, FileSystem& files, const char* extension) {
  return files.ReadFile(s.ModelPath + extension);
}

BinaryReader ReaderOf(const std::string& bytes) {
  return BinaryReader(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

// ".XYZ": one 14-byte record per node label, then one per restraint.
void ReadNodes(const RunSettings& s, ModelTables& m, BinaryReader r) {
  for (long long n = 1; n <= s.MaxNodeLabel; ++n) {
    m.NodeExists[n] = r.I16();
    m.NodeX[n] = r.F32();
    m.NodeY[n] = r.F32();
    m.NodeZ[n] = r.F32();
  }
  for (long long k = 1; k <= s.RestrainedNodeCount; ++k) {
    Restraint& rest = m.RestraintTable[k];
    rest.RestrainedNode = r.I16();
    for (int c = 1; c <= 6; ++c) At(rest.Codes, c) = r.I16();
  }
}

// ".XZY": systems 1..20, then a record for each defined node only. Nodes
// defined in the global system take their global coordinates.
void ReadNodeDefinitions(const RunSettings& s, ModelTables& m, BinaryReader r) {
  for (size_t system = 1; system <= 20; ++system)
    for (float& field : m.CoordSystemTable[system]) field = r.F32();
  for (long long n = 1; n <= s.MaxNodeLabel; ++n) {
    if (m.NodeExists[n] == 0) continue;
    m.NodeCoordSystem[n] = r.I16();
    for (float& c : m.NodeDefCoords[n]) c = r.F32();
  }
  for (long long n = 1; n <= s.MaxNodeLabel; ++n) {
    if (m.NodeCoordSystem[n] != 0) continue;
    m.NodeDefCoords[n] = {m.NodeX[n], m.NodeY[n], m.NodeZ[n]};
  }
}

// ".XEC": 28-byte element records, then spring/couple records at
// MaxElementLabel + label. Its bytes are kept for the element offsets, with
// the position after the last record, where the offset records begin.
void ReadConnectivity(const RunSettings& s, ModelTables& m, std::string&& bytes) {
  BinaryReader r = ReaderOf(bytes);
  for (long long e = 1; e <= s.MaxElementLabel; ++e) {
    r.Seek((e - 1) * kConnectivityRecordSize);
    m.ElemNode1[e] = r.I16();
    m.ElemNode2[e] = r.I16();
    m.ElemNode3[e] = r.I16();
    r.Skip(4);
    m.ElemRotation[e] = r.F32();
    m.ElemGeomCode[e] = r.I16();
    m.ElemMatCode[e] = r.I16();
    m.ElemReleaseZ[e] = r.I16();
    m.ElemReleaseY[e] = r.I16();
    m.ElemTaperCode[e] = r.I16();
    m.ElemPipeworkFlag[e] = r.I16();
    if (m.ElemPipeworkFlag[e] > 0) m.PipeworkPresent = 1;
  }
  for (long long k = 1; k <= s.MaxSpringLabel; ++k) {
    const long long i = s.MaxElementLabel + k;
    r.Seek((i - 1) * kConnectivityRecordSize);
    m.ElemNode1[i] = r.I16();
    m.ElemNode2[i] = r.I16();
    r.Skip(6);
    m.SpringRotation[k] = r.F32();
    m.SpringRefElement[k] = r.I16();
    m.SpringPropCode[k] = r.I16();
    m.SpringCoordSystem[k] = r.I16();
    const int16_t definitionFlag = r.I16();
    // A spring/couple to ground has both nodes equal: no rotation; without
    // its definition flag the label counts as undefined.
    if (m.ElemNode1[i] == m.ElemNode2[i]) {
      m.SpringRotation[k] = 0;
      if (definitionFlag == 0) {
        m.ElemNode1[i] = 0;
        m.ElemNode2[i] = 0;
      }
    }
  }
  const size_t after = static_cast<size_t>(s.MaxElementLabel + s.MaxSpringLabel) * kConnectivityRecordSize;
  m.ConnectivityFile.bytes.assign(bytes.begin(), bytes.end());
  m.ConnectivityFile.offsetsStart = std::min(after, bytes.size());
}

// Sizes a constants table from a count read from the file; a negative count
// cannot size it.
template <class T>
void SizeConstants(Table<T>& table, int16_t count) {
  if (count < 0) ThrowIndexFault(table.name, count, -1);
  table.Size(count);
}

// ".XCO" (optional): IC and RC constants, element types, spring CO codes.
void ReadElementTypes(const RunSettings& s, ModelTables& m, BinaryReader r) {
  m.IcPropertyCount = r.I16();
  SizeConstants(m.IcConstantTable, m.IcPropertyCount);
  for (long long c = 1; c <= m.IcPropertyCount; ++c)
    for (int16_t& v : m.IcConstantTable[c]) v = r.I16();

  m.RcPropertyCount = r.I16();
  SizeConstants(m.RcConstantX, m.RcPropertyCount);
  SizeConstants(m.RcConstantY, m.RcPropertyCount);
  for (long long c = 1; c <= m.RcPropertyCount; ++c) {
    for (float& v : m.RcConstantX[c]) v = r.F32();
    for (float& v : m.RcConstantY[c]) v = r.F32();
  }

  for (long long e = 1; e <= s.MaxElementLabel; ++e) {
    m.ElemType[e] = r.I16();
    m.ElemCoCode[e] = r.I16();
    m.ElemBendRadius[e] = r.F32();
    r.Skip(4);
  }
  for (long long k = 1; k <= s.SpringPropertyCount; ++k) m.SpringCo[k] = r.I16();
}

// ".XEN": per element its solid type and, for solids only, the node count
// and the nodes. A ninth node has no place in the table.
void ReadSolids(const RunSettings& s, ModelTables& m, BinaryReader r) {
  for (long long e = 1; e <= s.MaxElementLabel; ++e) {
    m.SolidElemType[e] = r.I16();
    if (m.SolidElemType[e] == 0) continue;
    m.SolidNodeCount[e] = r.I16();
    std::array<int16_t, 9>& nodes = m.SolidNodes[e];
    for (long long k = 1; k <= m.SolidNodeCount[e]; ++k) At(nodes, k) = r.I16();
  }
}

// ".XEL": geometric codes (89 bytes), materials (36 bytes), then the spring
// constants in the marked or the old form.
void ReadProperties(const RunSettings& s, ModelTables& m, BinaryReader r) {
  for (long long p = 1; p <= s.PhysicalPropertyCount; ++p) {
    GeometricProperty& g = m.GeometricPropertyTable[p];
    g.DesignationPrefix = r.Text(3);
    g.DesignationNumber = r.I32();
    g.GeomArea = r.F32();
    g.GeomIy = r.F32();
    g.GeomIz = r.F32();
    g.GeomJ = r.F32();
    g.GeomDiam = r.F32();
    g.GeomWallThick = r.F32();
    for (size_t k = 1; k <= 4; ++k) {
      g.StressLz[k] = r.F32();
      g.StressLy[k] = r.F32();
    }
    g.GeomAz = r.F32();
    g.GeomAy = r.F32();
    g.GeomZt = r.F32();
    g.SectionType = r.I16();
    g.GeomSz = r.F32();
    g.GeomSy = r.F32();
    g.GeomSx = r.F32();
  }
  for (long long c = 1; c <= s.MaterialPropertyCount; ++c) {
    MaterialProperty& mat = m.MaterialPropertyTable[c];
    mat.MatE = r.F32();
    mat.MatG = r.F32();
    mat.MatDensity = r.F32();
    mat.MatPoisson = r.F32();
    mat.MatCoefExp = r.F32();
    mat.MatYieldStress = r.F32();
    mat.MatUltimateStress = r.F32();
    mat.MatName = r.Text(8);
  }

  const float first = r.F32();
  if (first == kSpringMarker) {
    for (long long k = 1; k <= s.SpringPropertyCount; ++k) {
      m.SpringKind[k] = r.I16();
      for (int pos = 1; pos <= 6; ++pos) At(m.SpringK[k], pos) = r.F32();
    }
    return;
  }
  // Old form: the value read is K1 of code 1; kinds stay 0.
  At(m.SpringK[1], 1) = first;
  for (int pos = 2; pos <= 6; ++pos) At(m.SpringK[1], pos) = r.F32();
  for (long long k = 2; k <= s.SpringPropertyCount; ++k)
    for (int pos = 1; pos <= 6; ++pos) At(m.SpringK[k], pos) = r.F32();
}

// ".XE1": the length is the first value of each 48-byte record.
void ReadLengths(const RunSettings& s, ModelTables& m, BinaryReader r) {
  for (long long e = 1; e <= s.MaxElementLabel; ++e) {
    r.Seek((e - 1) * kLengthRecordSize);
    m.ElemLength[e] = r.F32();
  }
}

// Single-precision results that overflow end the run.
float Checked(float v) {
  if (!std::isfinite(v)) throw RunFault("floating-point overflow in the mass totals");
  return v;
}

}  // namespace

void LoadGeometry(RunSettings& s, ModelTables& m, FileSystem& files) {
  {
    std::string bytes = ReadModelFile(s, files, ".XYZ");
    ReadNodes(s, m, ReaderOf(bytes));
  }
  {
    std::string bytes = ReadModelFile(s, files, ".XZY");
    ReadNodeDefinitions(s, m, ReaderOf(bytes));
  }
  ReadConnectivity(s, m, ReadModelFile(s, files, ".XEC"));
  if (files.FileExists(s.ModelPath + ".XCO")) {
    std::string bytes = ReadModelFile(s, files, ".XCO");
    ReadElementTypes(s, m, ReaderOf(bytes));
  }
  {
    std::string bytes = ReadModelFile(s, files, ".XEN");
    ReadSolids(s, m, ReaderOf(bytes));
  }
  {
    std::string bytes = ReadModelFile(s, files, ".XEL");
    ReadProperties(s, m, ReaderOf(bytes));
  }
  {
    std::string bytes = ReadModelFile(s, files, ".XE1");
    ReadLengths(s, m, ReaderOf(bytes));
  }
  ComputeTotals(s, m);
}

// The per-code totals take the uniform elements of each code in ascending
// label order, so one pass over the elements adds exactly what a pass per
// code would. The tapered elements then mark both their end codes as used.
// The totals start from the new tables' zeros.
void ComputeTotals(const RunSettings& s, ModelTables& m) {
  for (long long e = 1; e <= s.MaxElementLabel; ++e) {
    const int16_t p = m.ElemGeomCode[e];
    if (p < 1 || p > s.PhysicalPropertyCount || m.ElemTaperCode[e] != 0) continue;
    const float length = m.ElemLength[e];
    m.TotLength[p] = Checked(m.TotLength[p] + length);
    float mass = Checked(length * m.GeometricPropertyTable[p].GeomArea);
    mass = Checked(mass * m.MaterialPropertyTable[m.ElemMatCode[e]].MatDensity);
    m.TotMass[p] = Checked(m.TotMass[p] + mass);
  }

  float total = 0;
  for (long long e = 1; e <= s.MaxElementLabel; ++e) {
    const int16_t code = m.ElemGeomCode[e];
    if (code <= 0) continue;
    const int16_t taper = m.ElemTaperCode[e];
    float area;
    if (taper == 0) {
      area = m.GeometricPropertyTable[code].GeomArea;
    } else {
      const int16_t t = Narrow16(std::llabs(taper));
      area = Checked(m.GeometricPropertyTable[t].GeomArea + m.GeometricPropertyTable[code].GeomArea);
      area = area / 2.0f;
      if (m.TotLength[code] == 0.0f) m.TotLength[code] = kTaperLength;
      m.TotLength[t] = Checked(m.TotLength[t] + kTaperLength);
    }
    float mass = Checked(area * m.ElemLength[e]);
    mass = Checked(mass * m.MaterialPropertyTable[m.ElemMatCode[e]].MatDensity);
    total = Checked(total + mass);
  }
  m.TotalMass = total;
}

}  // namespace orvant
