// Load sections after the beam loads: solid face/edge loads, loads by
// geometric property code, and element temperatures and pressures.
#include <cstdlib>
#include <string_view>

#include "loads/listed_loads.h"
#include "loads/load_section_rows.h"
#include "loads/load_sections.h"
#include "listing/labels.h"

namespace orvant {

namespace {

constexpr std::string_view kFaceTitle = "*** SOLID FACE/EDGE LOADS ***";
constexpr std::string_view kFaceHeading = "Elem     Face Type        P1         P2         P3         P4";
constexpr std::string_view kFaceUnits[2] = {"                            kN/        kN/        kN/        kN/",
                                            "                            Lbs/       Lbs/       Lbs/       Lbs/ "};

constexpr std::string_view kCodeUdlTitle = "*** UDL LOADING BY GEOMETRIC PROPERTY CODE ***";
constexpr std::string_view kCodeUdlHeading = "Code          X-UDL       Y-UDL       Z-UDL";

constexpr std::string_view kCodeTempTitle = "*** PRESSURE & TEMP LOADING BY GEOMETRIC PROPERTY CODE ***";
constexpr std::string_view kCodeTempHeading = "Code       Temperature   Int-Pressure  Ext-Pressure    Ambient Temp =";

constexpr std::string_view kElementTempTitle = "*** TEMPERATURE &  INT. PRESSURE LOADING ***";
constexpr std::string_view kElementTempHeading =
    "Element    Temperature  Int-Pressure  Ext-Pressure    Temp Opp-Surf      Ambient Temp =";

void FaceLoadRow(const RunSettings& s, const ModelTables& m, const FaceLoad& e, Listing& out) {
  WriteGroupLabel(out, e.element, m.ElementGroup[e.element]);
  out.Column(12);
  out.Digits(std::llabs(static_cast<long long>(e.face)));
  out.Column(15);
  out.Int(e.faceKind);
  out.Column(20);
  const float divisor = MetricUnits(s) ? 1000.0f : 1.0f;
  for (int j = 1; j <= 4; ++j) WriteLoadValue(out, e.value[j], ConvertedMode(s), divisor);
}

void PropertyUdlRow(const RunSettings& s, int code, const PropertyUdl& p, Listing& out) {
  out.Int(code);
  out.Column(7);
  out.Text(PropertyUdlAxisText(p));
  const float divisor = MetricUnits(s) ? 1000.0f : 1.0f;
  for (int j = 1; j <= 3; ++j) WriteLoadValue(out, p.udl[j], ConvertedMode(s), divisor, "#####0.000");
}

// The two headings that end in the ambient temperature, and their empty line.
void TemperatureHeading(Listing& out, std::string_view title, std::string_view heading, float ambientTemperature) {
  out.End();
  out.Line(title);
  out.End();
  out.Text(heading);
  out.Single(ambientTemperature);
  out.End();
  out.End();
}

void PropertyTempPressRow(int code, const PropertyTempPress& p, Listing& out) {
  out.Int(code);
  out.Column(7);
  out.Field(p.temperature, "0.00", 14);
  out.Field(p.intPressure, "0.000E+00", 14);
  out.Field(p.extPressure, "0.000E+00", 14);
}

void ElementTempPressRow(const ModelTables& m, long long element, const ElementTempPress& e, Listing& out) {
  WriteGroupLabel(out, element, m.ElementGroup[element]);
  out.Column(7);
  out.Field(e.temperature, "0.00", 14);
  out.Field(e.intPressure, "0.000E+00", 14);
  out.Field(e.extPressure, "0.000E+00", 14);
  out.Field(e.oppositeTemperature, "0.00", 14);
}

}  // namespace

bool ListedPropertyUdl(const PropertyUdl& p) { return p.udl[1] != 0 || p.udl[2] != 0 || p.udl[3] != 0; }

bool ListedPropertyTempPress(const PropertyTempPress& p) { return p.temperature != 0 || p.intPressure != 0; }

bool ListedElementTempPress(const ElementTempPress& e) {
  return e.temperature != 0 || e.intPressure != 0 || e.oppositeTemperature != 0;
}

std::string_view PropertyUdlAxisText(const PropertyUdl& p) { return p.axesCode == 3 ? "GP" : "G "; }

void WriteFaceLoads(const RunSettings& s, const ModelTables& m, const LoadCase& r, Listing& out) {
  auto& table = r.faceLoads;
  if (table.count <= 0) return;
  OpenLoadSection(s, out, kFaceTitle, kFaceHeading, kFaceUnits);
  for (int i = 1; i <= table.count; ++i) {
    FaceLoadRow(s, m, table.entries[i], out);
    out.End();
  }
}

void WritePropertyUdl(const RunSettings& s, const LoadCase& r, Listing& out) {
  if (r.propertyUdlGiven != 1) return;
  OpenLoadSection(out, kCodeUdlTitle, kCodeUdlHeading);
  out.End();
  for (int code = 1; code <= s.PhysicalPropertyCount; ++code) {
    const PropertyUdl& p = r.propertyUdl[code];
    if (!ListedPropertyUdl(p)) continue;
    PropertyUdlRow(s, code, p, out);
    out.End();
  }
}

void WritePropertyTempPress(const RunSettings& s, const LoadCase& r, Listing& out) {
  if (r.propertyTempPressGiven != 1) return;
  TemperatureHeading(out, kCodeTempTitle, kCodeTempHeading, r.ambientTemperature);
  for (int code = 1; code <= s.PhysicalPropertyCount; ++code) {
    const PropertyTempPress& p = r.propertyTempPress[code];
    if (!ListedPropertyTempPress(p)) continue;
    PropertyTempPressRow(code, p, out);
    out.End();
  }
}

void WriteElementTempPress(const RunSettings& s, const ModelTables& m, const LoadCase& r, CommentFile& c, Listing& out,
                           FileSystem& files) {
  if (r.elementTempPressCount <= 0) return;
  TemperatureHeading(out, kElementTempTitle, kElementTempHeading, r.ambientTemperature);
  SectionComments comments{c, files};

  // In element order; elements without a TEPR line hold zeros and give no
  // row, so only those written are looked at.
  const auto& table = r.elementTempPress;
  for (long long element : table.WrittenIndices()) {
    if (element < 1 || element > s.MaxElementLabel) continue;
    const ElementTempPress& e = table[element];
    if (!ListedElementTempPress(e)) continue;
    comments.Above(out, e.commentNo);
    ElementTempPressRow(m, element, e, out);
    out.End();
  }
}

std::string ListedText::Of(const FaceLoad& e) {
  OpenLoadSection(s, scratch, kFaceTitle, kFaceHeading, kFaceUnits);
  FaceLoadRow(s, m, e, scratch);
  return Take();
}

std::string ListedText::OfPropertyUdl(int16_t code, const PropertyUdl& p) {
  OpenLoadSection(scratch, kCodeUdlTitle, kCodeUdlHeading);
  PropertyUdlRow(s, code, p, scratch);
  return Take();
}

std::string ListedText::OfPropertyTempPress(int16_t code, const PropertyTempPress& p, float ambientTemperature) {
  TemperatureHeading(scratch, kCodeTempTitle, kCodeTempHeading, ambientTemperature);
  PropertyTempPressRow(code, p, scratch);
  return Take();
}

std::string ListedText::OfElementTempPress(int16_t element, const ElementTempPress& e, float ambientTemperature) {
  TemperatureHeading(scratch, kElementTempTitle, kElementTempHeading, ambientTemperature);
  ElementTempPressRow(m, element, e, scratch);
  return Take();
}

}  // namespace orvant
