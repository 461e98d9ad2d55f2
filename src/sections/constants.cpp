#include "listing/listing.h"
#include "model/model_tables.h"
#include "sections/sections.h"
#include "settings/run_settings.h"

namespace orvant {

namespace {

constexpr const char* kExp = "0.000E+00";

void WriteSpringConstants(const RunSettings& s, const ModelTables& m, Listing& out) {
  out.Heading("*** SPRING/COUPLE CONSTANTS TABLE",
              "Code  Type       K1        K2         K3         K4         K5         K6      CO");
  for (long long p = 1; p <= s.SpringPropertyCount; ++p) {
    out.Int(p).Column(6).Int(m.SpringKind[p]).Column(12);
    const auto& k = m.SpringK[p];
    for (int i = 1; i <= 6; ++i) out.Field(k[i], kExp, 11);
    out.Column(80).Int(m.SpringCo[p]);
    out.End();
  }
}

// IC values are not justified: each is its digits followed by six blanks.
void WriteIcConstants(const ModelTables& m, Listing& out) {
  out.Heading("*** IC CONSTANTS TABLE",
              "Code    IC0    IC1    IC2    IC3    IC4    IC5    IC6");
  for (long long p = 1; p <= m.IcPropertyCount; ++p) {
    out.Int(p).Column(10);
    for (int16_t v : m.IcConstantTable[p]) out.Digits(v).Text("      ");
    out.End();
  }
}

void WriteRcConstants(const ModelTables& m, Listing& out) {
  out.Heading("*** RC CONSTANTS TABLE",
              "Code              1         2          3          4          5          6         7");
  for (long long p = 1; p <= m.RcPropertyCount; ++p) {
    out.Int(p).Column(6).Text("X").Column(12);
    for (float v : m.RcConstantX[p]) out.Field(v, kExp, 11);
    out.End();
    out.Column(6).Text("Y").Column(12);
    for (float v : m.RcConstantY[p]) out.Field(v, kExp, 11);
    out.End();
    out.End();
  }
}

}  // namespace

// Each table only when the model has codes of its kind.
void WriteConstantsTables(const RunSettings& s, const ModelTables& m, Listing& out) {
  if (s.SpringPropertyCount != 0) WriteSpringConstants(s, m, out);
  if (m.IcPropertyCount != 0) WriteIcConstants(m, out);
  if (m.RcPropertyCount != 0) WriteRcConstants(m, out);
}

}  // namespace orvant
