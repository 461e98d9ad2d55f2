#include "listing/listing.h"
#include "run/run_context.h"
#include "listing/labels.h"
#include "sections/sections.h"

namespace orvant {

// In table order, without group selection; the rule line closes the basic
// model data.
void WriteRestrainedNodes(RunContext& ctx) {
  ModelTables& m = ctx.model;
  Listing& out = ctx.listing;

  out.Heading("*** RESTRAINED NODES ***  ( 1-Fixed  0-Free )",
              "Node              Tx        Ty        Tz        Rx        Ry        Rz");
  for (long long r = 1; r <= ctx.settings.RestrainedNodeCount; ++r) {
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
