#include "listing/labels.h"
#include "listing/listing.h"
#include "model/model_tables.h"
#include "sections/group_order.h"
#include "sections/sections.h"
#include "settings/run_settings.h"

namespace orvant {

namespace {

// One element: its label and type, the three nodes with their own groups,
// rotation, length, codes and bend radius.
void WriteElementRow(const ModelTables& m, Listing& out, long long e) {
  const int16_t n1 = m.ElemNode1[e], n2 = m.ElemNode2[e], n3 = m.ElemNode3[e];
  WriteGroupLabel(out, e, m.ElementGroup[e]);
  out.Column(12).Int(m.ElemType[e]).Column(16);
  WriteGroupLabel(out, n1, m.NodeGroup[n1]);
  out.Column(27);
  WriteGroupLabel(out, n2, m.NodeGroup[n2]);
  out.Column(38);
  WriteGroupLabel(out, n3, m.NodeGroup[n3]);
  out.Column(47).Field(m.ElemRotation[e], "###0.000", 8);
  out.Column(56).Field(m.ElemLength[e], "###0.0000", 11);
  out.Column(68).Int(m.ElemGeomCode[e]);
  out.Column(73).Int(m.ElemTaperCode[e]);
  out.Column(79).Int(m.ElemMatCode[e]);
  out.Column(86).Int(m.ElemReleaseZ[e]).Int(m.ElemReleaseY[e]);
  out.Text("  ").Int(m.ElemCoCode[e]);
  out.Field(m.ElemBendRadius[e], "###0.000", 8);
  out.End();
}

bool ElementDefined(const ModelTables& m, long long e) { return m.ElemNode1[e] != m.ElemNode2[e]; }

}  // namespace

// Selection as for the nodes: in group range mode the elements up to the
// group limit by group first, then the rest in label order.
void WriteElementData(const RunSettings& s, const ModelTables& m, Listing& out) {
  out.Line("*** ELEMENT DATA ***");
  out.End();
  out.Line("Elem                Connectivity                           Length    Geom     Mat   Release  CO    Bend");
  out.Line("No        Type Node-1     Node-2     Node-3        Rot               Codes    Code    Z  Y   Code  Radius");
  out.End();

  const SelectedLabels elements = SelectByGroup(SectionGroupSelection(s), m.ElementGroup, s.MaxElementLabel);
  for (int16_t e : elements.groupOrder)
    if (ElementDefined(m, e)) WriteElementRow(m, out, e);
  for (int16_t e : elements.labelOrder)
    if (ElementDefined(m, e)) WriteElementRow(m, out, e);
}

}  // namespace orvant
