#include "listing/labels.h"
#include "listing/listing.h"
#include "model/model_tables.h"
#include "sections/group_order.h"
#include "sections/sections.h"
#include "settings/run_settings.h"

namespace orvant {

namespace {

constexpr char kCoordinate[] = "#####0.0000";

// Label-order row: the system number, then the definition coordinates and,
// for nodes not defined in the global system, the global ones.
void WriteNodeRowA(const ModelTables& m, Listing& out, long long i) {
  const int16_t system = m.NodeCoordSystem[i];
  const auto& def = m.NodeDefCoords[i];
  WriteGroupLabel(out, i, m.NodeGroup[i]);
  out.Column(12).Int(system).Column(15);
  out.Field(def[0], kCoordinate, 11).Field(def[1], kCoordinate, 14).Field(def[2], kCoordinate, 14);
  if (system > 0) out.Field(m.NodeX[i], kCoordinate, 14).Field(m.NodeY[i], kCoordinate, 14).Field(m.NodeZ[i], kCoordinate, 14);
  out.End();
}

// Group-order row: no system number.
void WriteNodeRowB(const ModelTables& m, Listing& out, long long i) {
  const int16_t system = m.NodeCoordSystem[i];
  const auto& def = m.NodeDefCoords[i];
  WriteGroupLabel(out, i, m.NodeGroup[i]);
  out.Column(12);
  out.Field(def[0], kCoordinate, 11).Field(def[1], kCoordinate, 15).Field(def[2], kCoordinate, 15);
  if (system > 0) out.Field(m.NodeX[i], kCoordinate, 11).Field(m.NodeY[i], kCoordinate, 15).Field(m.NodeZ[i], kCoordinate, 15);
  out.End();
}

}  // namespace

// In group range mode the nodes up to the group limit come first, by group
// (ungrouped nodes counting as NoGroup), then the rest in label order.
void WriteNodalCoordinates(RunSettings& s, ModelTables& m, Listing& out) {
  const long long nn = s.MaxNodeLabel;

  out.Line("*** NODAL COORDINATES ***");
  out.Line("                         Definition System                          Global Cartesian ");
  out.Line("Node     CSys      X             Y             Z             X             Y             Z");
  out.End();

  if (s.GroupRangeMode == 1) {
    BuildGroupOrder(m.NodeOrder, m.NodeGroup, nn);
    for (long long k = 1; k <= nn; ++k) {
      const long long i = m.NodeOrder[k];
      if (m.NodeExists[i] == 0) continue;
      if (m.NodeGroup[i] > s.GroupLimit) continue;
      WriteNodeRowB(m, out, i);
    }
  }
  if (s.GroupRangeMode == 0) s.GroupLimit = -1;

  if (s.GroupedOnly != 1) {
    for (long long i = 1; i <= nn; ++i) {
      if (m.NodeExists[i] == 0) continue;
      const int16_t group = m.NodeGroup[i];
      if (group <= s.GroupLimit) continue;
      if (s.GroupFilter != group && s.GroupFilter > 0) continue;
      WriteNodeRowA(m, out, i);
    }
  }
  out.End();
}

}  // namespace orvant
