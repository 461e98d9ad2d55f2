#include "listing/labels.h"
#include "listing/listing.h"
#include "model/model_tables.h"
#include "sections/sections.h"
#include "settings/run_settings.h"

namespace orvant {

// Springs/couples are numbered from 1 but held in the element tables at
// MaxElementLabel + number. No group selection applies.
void WriteSpringData(const RunSettings& s, const ModelTables& m, Listing& out) {
  if (s.MaxSpringLabel == 0) return;

  out.End();
  out.Line("*** SPRING/COUPLE DATA");
  out.End();
  out.Line("Elem          Connectivity                 Ref.Ele.    Coord Sys    Prop Code   ");
  out.Line("No         Node-1      Node-2     Rot                                      ");
  out.End();

  for (long long sp = 1; sp <= s.MaxSpringLabel; ++sp) {
    const long long i = s.MaxElementLabel + sp;
    const int16_t node1 = m.ElemNode1[i];
    if (node1 <= 0) continue;
    WriteGroupLabel(out, sp, m.ElementGroup[i]);
    out.Column(12);
    WriteGroupLabel(out, node1, m.NodeGroup[node1]);
    out.Column(23);
    const int16_t node2 = m.ElemNode2[i];
    WriteGroupLabel(out, node2, m.NodeGroup[node2]);
    out.Column(32).Field(m.SpringRotation[sp], "###0.000", 8);
    out.Column(46).Int(m.SpringRefElement[sp]);
    out.Column(61).Int(m.SpringCoordSystem[sp]);
    out.Column(76).Int(m.SpringPropCode[sp]);
    out.End();
  }
}

}  // namespace orvant
