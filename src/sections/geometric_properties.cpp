#include "listing/listing.h"
#include "model/model_tables.h"
#include "sections/sections.h"
#include "settings/run_settings.h"

namespace orvant {

namespace {

constexpr const char* kExp = "0.000E+00";

// Both the user defined prefix test and the pipe test look at the stored
// three characters exactly.
bool IsUserDefinedPrefix(const GeometricProperty& g) { return g.DesignationPrefix == "USD"; }

void WritePropertyEntry(Listing& out, long long p, const GeometricProperty& g, float totLength, float totMass) {
  out.Int(p);
  if (g.DesignationNumber != 0) {
    out.Column(7).Text(g.DesignationPrefix).Int(g.DesignationNumber);
  }
  if (g.DesignationNumber == 0 && g.GeomDiam == 0) {
    out.Column(7).Text("USER DEF");
  }
  if (g.GeomDiam != 0) {
    out.Column(7).Text("PIPE");
    if (IsUserDefinedPrefix(g)) out.Text("  USD Prop");
  }
  out.Column(21);
  out.Field(g.GeomIz, kExp, 11).Field(g.GeomIy, kExp, 11).Field(g.GeomJ, kExp, 11).Field(totMass, kExp, 11);
  out.Field(totLength, "#####0.000", 11);
  if (g.GeomDiam != 0) {
    out.Field(g.GeomDiam, "#####0.0000", 11).Field(g.GeomWallThick, "###0.00000", 11);
  }
  out.End();

  out.Column(6).Int(g.SectionType).Column(10);
  out.Field(g.GeomArea, kExp, 11).Field(g.GeomSz, kExp, 11).Field(g.GeomSy, kExp, 11).Field(g.GeomSx, kExp, 11);
  out.End();
}

// The stress point values summed one by one in single precision.
float StressPointSum(const GeometricProperty& g) {
  float sum = 0;
  for (int k = 1; k <= 4; ++k) {
    sum = sum + g.StressLz[k];
    sum = sum + g.StressLy[k];
  }
  sum = sum + g.GeomAz;
  sum = sum + g.GeomAy;
  sum = sum + g.GeomZt;
  return sum;
}

}  // namespace

// Codes used by no element (TotLength 0) are left out of both tables.
void WriteGeometricProperties(const RunSettings& s, const ModelTables& m, Listing& out) {
  const long long ng = s.PhysicalPropertyCount;

  out.End();
  out.Line("*** ELEMENT GEOMETRIC PROPERTY TABLE ***");
  out.End();
  out.Line("Code   Designation       Iz         Iy         J        Tot.Mass  Tot.Length    Diam     WallThick");
  out.Line("     Type    Area        Sz         Sy        Sx");
  out.End();
  for (long long p = 1; p <= ng; ++p) {
    if (!(m.TotLength[p] > 0)) continue;
    WritePropertyEntry(out, p, m.GeometricPropertyTable[p], m.TotLength[p], m.TotMass[p]);
  }
  out.End();
  out.Text("Total Mass = ").Field(m.TotalMass, kExp, 11);
  out.End();
  out.End();

  out.Line("*** GEOMETRIC STRESS POINT TABLE ");
  out.End();
  out.Line("Code          Lz         Lz         Lz         Lz        Az         Zt");
  out.Line("No            Ly         Ly         Ly         Ly        Ay");
  out.End();
  for (long long p = 1; p <= ng; ++p) {
    if (!(m.TotLength[p] > 0)) continue;
    const GeometricProperty& g = m.GeometricPropertyTable[p];
    if (!(g.GeomDiam == 0 || IsUserDefinedPrefix(g))) continue;
    if (StressPointSum(g) == 0) continue;

    out.Int(p).Column(10);
    for (int k = 1; k <= 4; ++k) out.Field(g.StressLz[k], kExp, 11);
    out.Field(g.GeomAz, kExp, 11).Field(g.GeomZt, kExp, 11);
    out.End();
    out.Column(10);
    for (int k = 1; k <= 4; ++k) out.Field(g.StressLy[k], kExp, 11);
    out.Field(g.GeomAy, kExp, 11);
    out.End();
  }
}

}  // namespace orvant
