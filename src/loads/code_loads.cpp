// Load sections after the beam loads: solid face/edge loads, loads by
// geometric property code, and element temperatures and pressures.
#include <cstdlib>
#include <utility>

#include "loads/load_section_rows.h"
#include "loads/load_sections.h"
#include "listing/labels.h"

namespace orvant {

void WriteFaceLoads(RunContext& ctx) {
  auto& table = ctx.loads.faceLoads;
  if (table.count <= 0) return;
  Listing& out = ctx.listing;
  OpenLoadSection(out, "*** SOLID FACE/EDGE LOADS ***",
                  "Elem     Face Type        P1         P2         P3         P4");
  WriteUnitRow(ctx, "                            kN/        kN/        kN/        kN/",
               "                            Lbs/       Lbs/       Lbs/       Lbs/ ");

  const bool converted = ConvertedMode(ctx);
  const bool metric = MetricUnits(ctx);
  for (int i = 1; i <= table.count; ++i) {
    const FaceLoad& e = table.entries[i];
    WriteGroupLabel(out, e.element, ctx.model.ElementGroup[e.element]);
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

void WritePropertyUdl(RunContext& ctx) {
  if (ctx.loads.propertyUdlGiven != 1) return;
  Listing& out = ctx.listing;
  OpenLoadSection(out, "*** UDL LOADING BY GEOMETRIC PROPERTY CODE ***",
                  "Code          X-UDL       Y-UDL       Z-UDL");
  out.End();

  const bool converted = ConvertedMode(ctx);
  const bool metric = MetricUnits(ctx);
  for (int code = 1; code <= ctx.settings.PhysicalPropertyCount; ++code) {
    const PropertyUdl& p = ctx.loads.propertyUdl[code];
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

void WritePropertyTempPress(RunContext& ctx) {
  if (ctx.loads.propertyTempPressGiven != 1) return;
  Listing& out = ctx.listing;
  out.End();
  out.Line("*** PRESSURE & TEMP LOADING BY GEOMETRIC PROPERTY CODE ***");
  out.End();
  out.Text("Code       Temperature   Int-Pressure  Ext-Pressure    Ambient Temp =");
  out.Single(ctx.loads.ambientTemperature);
  out.End();
  out.End();

  for (int code = 1; code <= ctx.settings.PhysicalPropertyCount; ++code) {
    const PropertyTempPress& p = ctx.loads.propertyTempPress[code];
    if (p.temperature == 0 && p.intPressure == 0) continue;
    out.Int(code);
    out.Column(7);
    out.Field(p.temperature, "0.00", 14);
    out.Field(p.intPressure, "0.000E+00", 14);
    out.Field(p.extPressure, "0.000E+00", 14);
    out.End();
  }
}

void WriteElementTempPress(RunContext& ctx) {
  if (ctx.loads.elementTempPressCount <= 0) return;
  Listing& out = ctx.listing;
  out.End();
  out.Line("*** TEMPERATURE &  INT. PRESSURE LOADING ***");
  out.End();
  out.Text("Element    Temperature  Int-Pressure  Ext-Pressure    Temp Opp-Surf      Ambient Temp =");
  out.Single(ctx.loads.ambientTemperature);
  out.End();
  out.End();
  ctx.loads.lastPrintedComment = 0;

  // In element order; elements without a TEPR line hold zeros and give no
  // row, so only those written are looked at.
  auto& table = ctx.loads.elementTempPress;
  for (long long element : table.WrittenIndices()) {
    if (element < 1 || element > ctx.settings.MaxElementLabel) continue;
    const ElementTempPress& e = std::as_const(table)[element];
    // An external pressure alone gives no row.
    if (e.temperature == 0 && e.intPressure == 0 && e.oppositeTemperature == 0) continue;
    WriteCommentIfDue(ctx, e.commentNo);
    WriteGroupLabel(out, element, ctx.model.ElementGroup[element]);
    out.Column(7);
    out.Field(e.temperature, "0.00", 14);
    out.Field(e.intPressure, "0.000E+00", 14);
    out.Field(e.extPressure, "0.000E+00", 14);
    out.Field(e.oppositeTemperature, "0.00", 14);
    out.End();
  }
}

}  // namespace orvant
