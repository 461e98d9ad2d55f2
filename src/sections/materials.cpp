#include <array>
#include <string>

#include "base/file_system.h"
#include "listing/listing.h"
#include "model/binary_reader.h"
#include "model/model_tables.h"
#include "sections/sections.h"
#include "settings/run_settings.h"

namespace orvant {

namespace {

constexpr const char* kExp = "0.000E+00";

// Reads n singles in sequence and returns their single-precision sum.
template <size_t N>
float ReadGroup(BinaryReader& r, std::array<float, N>& values) {
  float sum = 0;
  for (float& v : values) {
    v = r.F32();
    sum = sum + v;
  }
  return sum;
}

// 1-based position of material block m, in the file's 16-bit position
// arithmetic: 28 x NG + 1 + 256 x (m - 1). Overflow is a run-time failure.
int16_t MaterialBlockPosition(int16_t geomCount, long long m) {
  return Add16(Add16(Mul16(28, geomCount), 1), Mul16(256, Add16(m, -1)));
}

void SeekPosition(BinaryReader& r, int16_t position) { r.Seek(static_cast<size_t>(position - 1)); }

}  // namespace

void WriteMaterialProperties(const RunSettings& s, const ModelTables& m, Listing& out, FileSystem& files) {
  out.Heading("*** ELEMENT MATERIAL PROPERTY TABLE ***",
              "Code    Name      E         G        Dens      Poiss   Co.Exp  Yield Stress  Ultimate");
  for (long long c = 1; c <= s.MaterialPropertyCount; ++c) {
    const MaterialProperty& mat = m.MaterialPropertyTable[c];
    out.Int(c).Column(6).Text(mat.MatName);
    out.Field(mat.MatE, kExp, 11).Field(mat.MatG, kExp, 11).Field(mat.MatDensity, kExp, 11);
    out.Field(mat.MatPoisson, "0.000", 6);
    out.Field(mat.MatCoefExp, kExp, 11).Field(mat.MatYieldStress, kExp, 11).Field(mat.MatUltimateStress, kExp, 11);
    out.End();
  }
  WritePipeworkData(s, m, out, files);
}

// The pipework extended data file: 28 bytes per geometric code, then a
// 256-byte block per material code. Groups of values that sum to exactly 0
// are values not given and are not listed. Reads beyond the end give zeros.
void WritePipeworkData(const RunSettings& s, const ModelTables& m, Listing& out, FileSystem& files) {
  const std::string path = s.ModelPath + ".XPM";
  if (!files.FileExists(path)) return;
  const std::string data = files.ReadFile(path);
  BinaryReader r(reinterpret_cast<const unsigned char*>(data.data()), data.size());

  out.Heading("*** GEOMETRIC RELATED PIPEWORK DATA ***",
              "Code    Name    Corr All   MillTol   ContDen   t-Insul    InsulDen   t-Lining   LiningDen");
  for (long long p = 1; p <= s.PhysicalPropertyCount; ++p) {
    std::array<float, 7> values{};
    float sum = ReadGroup(r, values);
    if (sum == 0 || m.TotLength[p] <= 0) continue;
    const GeometricProperty& g = m.GeometricPropertyTable[p];
    out.Int(p).Column(7).Text(g.DesignationPrefix).Int(g.DesignationNumber);
    for (float v : values) out.Field(v, kExp, 11);
    out.End();
  }

  out.Heading("*** MATERIAL RELATED EXTENDED DATA ***",
              "Code    Name    PressCoef      QualFact   ColdAllowStress    UTS");
  for (long long c = 1; c <= s.MaterialPropertyCount; ++c) {
    SeekPosition(r, MaterialBlockPosition(s.PhysicalPropertyCount, c));
    std::array<float, 4> values{};
    if (ReadGroup(r, values) == 0) continue;
    out.Int(c).Column(6).Text(m.MaterialPropertyTable[c].MatName).Column(16);
    for (float v : values) out.Field(v, kExp, 13);
    out.End();
  }

  out.Heading("*** MATERIAL - THERMAL DEPENDENT PROPERTIES ***",
              "Code    Temp Pt     Temp         CoefExp      EMod         Stress");
  for (long long c = 1; c <= s.MaterialPropertyCount; ++c) {
    SeekPosition(r, Add16(MaterialBlockPosition(s.PhysicalPropertyCount, c), 16));
    for (int t = 1; t <= 15; ++t) {
      std::array<float, 4> values{};
      if (ReadGroup(r, values) == 0) continue;
      out.Int(c).Column(8).Int(t).Column(16);
      for (float v : values) out.Field(v, kExp, 13);
      out.End();
    }
  }
}

}  // namespace orvant
