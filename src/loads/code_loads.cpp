// Load sections after the beam loads: solid face/edge loads, loads by
// geometric property code, and element temperatures and pressures.
#include <cstdlib>
#include <utility>

#include "loads/load_section_rows.h"
#include "loads/load_sections.h"
#include "listing/labels.h"

namespace orvant {

void WriteFaceLoads(const RunSettings& s, const ModelTables& m, LoadCaseRecord& r, Listing& out) {
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
    for (int j = 1; j <= 4; ++j) {
      if (!converted)
        out.Field(e.value[j], "0.000E+00", 11);
      else
        out.Field(metric ? e.value[j] / 1000.0f : e.value[j], "######0.00", 11);
    }
    out.End();
  }
}

void WritePropertyUdl(const RunSettings& s, LoadCaseRecord& r, Listing& out) {
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
    for (int j = 1; j <= 3; ++j) {
      if (!converted)
        out.Field(p.udl[j], "0.000E+00", 11);
      else
        out.Field(metric ? p.udl[j] / 1000.0f : p.udl[j], "#####0.000", 11);
    }
    out.End();
  }
}

void WritePropertyTempPress(const RunSettings& s, LoadCaseRecord& r, Listing& out) {
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

void WriteElementTempPress(const RunSettings& s, const ModelTables& m, LoadCaseRecord& r, CommentFile& c, Listing& out,
                           FileSystem& files) {
  if (r.elementTempPressCount <= 0) return;
  out.End();
  out.Line("*** TEMPERATURE &  INT. PRESSURE LOADING ***");
  out.End();
  out.Text("Element    Temperature  Int-Pressure  Ext-Pressure    Temp Opp-Surf      Ambient Temp =");
  out.Single(r.ambientTemperature);
  out.End();
  out.End();
  r.lastPrintedComment = 0;

  // In element order; elements without a TEPR line hold zeros and give no
  // row, so only those written are looked at.
  auto& table = r.elementTempPress;
  for (long long element : table.WrittenIndices()) {
    if (element < 1 || element > s.MaxElementLabel) continue;
    const ElementTempPress& e = std::as_const(table)[element];
    // An external pressure alone gives no row.
    if (e.temperature == 0 && e.intPressure == 0 && e.oppositeTemperature == 0) continue;
    WriteCommentIfDue(r, c, out, files, e.commentNo);
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
