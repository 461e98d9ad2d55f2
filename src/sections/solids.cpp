#include "listing/labels.h"
#include "listing/listing.h"
#include "model/model_tables.h"
#include "sections/group_order.h"
#include "sections/sections.h"
#include "settings/run_settings.h"

namespace orvant {

namespace {

// The group range pass writes bare codes and its node labels from column
// 47 with "-G"; the label-order pass writes codes as digits and its node
// labels from column 42 with "G".
void WriteSolidLine(const ModelTables& m, Listing& out, long long e, bool rangePass) {
  WriteGroupLabel(out, e, m.ElementGroup[e]);
  out.Column(12).Digits(m.SolidElemType[e]).Text("-").Digits(m.ElemReleaseZ[e]);
  if (rangePass) {
    out.Column(22).Int(m.ElemGeomCode[e]).Column(27).Int(m.ElemMatCode[e]).Column(31);
  } else {
    out.Column(17).Digits(m.ElemGeomCode[e]).Column(22).Digits(m.ElemMatCode[e]).Column(26);
  }
  float rotation = m.ElemRotation[e];
  // No solid element offset is held: the "Offset" column shows the rotation
  // again in its own narrower field.
  out.Field(rotation, "##0.00", 7).Field(rotation, "#0.000", 6);

  const int firstColumn = rangePass ? 47 : 42;
  const char* suffix = rangePass ? "-G" : "G";
  const int16_t count = m.SolidNodeCount[e];
  for (long long n = 1; n <= count; ++n) {
    out.Column(static_cast<int>(firstColumn + 9 * (n - 1)));
    int16_t node = At(m.SolidNodes[e], n);
    WriteGroupLabel(out, node, m.NodeGroup[node], suffix);
  }
  out.End();
}

}  // namespace

void WriteSolidElements(const RunSettings& s, const ModelTables& m, Listing& out) {
  out.Heading("*** SOLID ELEMENT DATA ***",
              "Elem     Type Geom  Mat      Rot  Offset          Connectivity");

  const SelectedLabels solids = SelectByGroup(SectionGroupSelection(s), m.ElementGroup, s.MaxElementLabel);
  for (int16_t e : solids.groupOrder)
    if (m.SolidElemType[e] != 0) WriteSolidLine(m, out, e, true);
  for (int16_t e : solids.labelOrder)
    if (m.SolidElemType[e] != 0) WriteSolidLine(m, out, e, false);
}

}  // namespace orvant
