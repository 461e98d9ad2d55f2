#include "listing/labels.h"
#include "listing/listing.h"
#include "model/model_tables.h"
#include "sections/sections.h"
#include "settings/run_settings.h"

namespace orvant {

// In table order, without group selection; the rule line closes the basic
// model data.
void WriteRestrainedNodes(const RunSettings& s, const ModelTables& m, Listing& out) {
  out.Heading("*** RESTRAINED NODES ***  ( 1-Fixed  0-Free )",
              "Node              Tx        Ty        Tz        Rx        Ry        Rz");
  for (long long r = 1; r <= s.RestrainedNodeCount; ++r) {
    const Restraint& entry = m.RestraintTable[r];
    const int16_t node = entry.RestrainedNode;
    WriteGroupLabel(out, node, m.NodeGroup[node]);
    out.Column(10);
    for (int c = 1; c <= 6; ++c) out.Field(static_cast<float>(entry.Codes[c]), "0", 10);
    out.End();
  }
  out.End();
  out.Rule();
}

}  // namespace orvant
