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
void WriteNodalCoordinates(const RunSettings& s, const ModelTables& m, Listing& out) {
  out.Line("*** NODAL COORDINATES ***");
  out.Line("                         Definition System                          Global Cartesian ");
  out.Line("Node     CSys      X             Y             Z             X             Y             Z");
  out.End();

  const SelectedLabels nodes = SelectByGroup(SectionGroupSelection(s), m.NodeGroup, s.MaxNodeLabel);
  for (int16_t i : nodes.groupOrder)
    if (m.NodeExists[i] != 0) WriteNodeRowB(m, out, i);
  for (int16_t i : nodes.labelOrder)
    if (m.NodeExists[i] != 0) WriteNodeRowA(m, out, i);
  out.End();
}

}  // namespace orvant
