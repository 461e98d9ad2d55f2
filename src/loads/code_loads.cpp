// Load sections after the beam loads: solid face/edge loads, loads by
// geometric property code, and element temperatures and pressures.
#include <cstdlib>

#include "loads/load_section_rows.h"
#include "loads/load_sections.h"
#include "listing/labels.h"

namespace orvant {

void WriteFaceLoads(const RunSettings& s, const ModelTables& m, const LoadCase& r, Listing& out) {
  auto& table = r.faceLoads;
  if (table.count <= 0) return;
  OpenLoadSection(out, "*** SOLID FACE/EDGE LOADS ***",
                  "Elem     Face Type        P1         P2         P3         P4");
  WriteUnitRow(s, out, "                            kN/        kN/        kN/        kN/",
               "                            Lbs/       Lbs/       Lbs/       Lbs/ ");

  const bool converted = ConvertedMode(s);
  const bool metric = MetricUnits(s);
  for (int i = 1; i <= table.count; ++i) {
    const FaceLoad& e = table.entries[i];
    WriteGroupLabel(out, e.element, m.ElementGroup[e.element]);
    out.Column(12);
    out.Digits(std::llabs(static_cast<long long>(e.face)));
    out.Column(15);
    out.Int(e.faceKind);
    out.Column(20);
    for (int j = 1; j <= 4; ++j) WriteLoadValue(out, e.value[j], converted, metric ? 1000.0f : 1.0f);
    out.End();
  }
}

void WritePropertyUdl(const RunSettings& s, const LoadCase& r, Listing& out) {
  if (r.propertyUdlGiven != 1) return;
  OpenLoadSection(out, "*** UDL LOADING BY GEOMETRIC PROPERTY CODE ***",
                  "Code          X-UDL       Y-UDL       Z-UDL");
  out.End();

  const bool converted = ConvertedMode(s);
  const bool metric = MetricUnits(s);
  for (int code = 1; code <= s.PhysicalPropertyCount; ++code) {
    const PropertyUdl& p = r.propertyUdl[code];
    // The intensity under direction 0 is never listed.
    if (p.udl[1] == 0 && p.udl[2] == 0 && p.udl[3] == 0) continue;
    out.Int(code);
    out.Column(7);
    out.Text(p.axesCode == 3 ? "GP" : "G ");
    for (int j = 1; j <= 3; ++j) WriteLoadValue(out, p.udl[j], converted, metric ? 1000.0f : 1.0f, "#####0.000");
    out.End();
  }
}

void WritePropertyTempPress(const RunSettings& s, const LoadCase& r, Listing& out) {
  if (r.propertyTempPressGiven != 1) return;
  out.End();
  out.Line("*** PRESSURE & TEMP LOADING BY GEOMETRIC PROPERTY CODE ***");
  out.End();
  out.Text("Code       Temperature   Int-Pressure  Ext-Pressure    Ambient Temp =");
  out.Single(r.ambientTemperature);
  out.End();
  out.End();

  for (int code = 1; code <= s.PhysicalPropertyCount; ++code) {
    const PropertyTempPress& p = r.propertyTempPress[code];
    if (p.temperature == 0 && p.intPressure == 0) continue;
    out.Int(code);
    out.Column(7);
    out.Field(p.temperature, "0.00", 14);
    out.Field(p.intPressure, "0.000E+00", 14);
    out.Field(p.extPressure, "0.000E+00", 14);
    out.End();
  }
}

void WriteElementTempPress(const RunSettings& s, const ModelTables& m, const LoadCase& r, CommentFile& c, Listing& out,
                           FileSystem& files) {
  if (r.elementTempPressCount <= 0) return;
  out.End();
  out.Line("*** TEMPERATURE &  INT. PRESSURE LOADING ***");
  out.End();
  out.Text("Element    Temperature  Int-Pressure  Ext-Pressure    Temp Opp-Surf      Ambient Temp =");
  out.Single(r.ambientTemperature);
  out.End();
  out.End();
  SectionComments comments{c, files};

  // In element order; elements without a TEPR line hold zeros and give no
  // row, so only those written are looked at.
  const auto& table = r.elementTempPress;
  for (long long element : table.WrittenIndices()) {
    if (element < 1 || element > s.MaxElementLabel) continue;
    const ElementTempPress& e = table[element];
    // An external pressure alone gives no row.
    if (e.temperature == 0 && e.intPressure == 0 && e.oppositeTemperature == 0) continue;
    comments.Above(out, e.commentNo);
    WriteGroupLabel(out, element, m.ElementGroup[element]);
    out.Column(7);
    out.Field(e.temperature, "0.00", 14);
    out.Field(e.intPressure, "0.000E+00", 14);
    out.Field(e.extPressure, "0.000E+00", 14);
    out.Field(e.oppositeTemperature, "0.00", 14);
    out.End();
  }
}

}  // namespace orvant
