// Load sections by node: prescribed displacements, nodal loads and nodal
// temperatures.
#include <string_view>

#include "loads/listed_loads.h"
#include "loads/load_section_rows.h"
#include "loads/load_sections.h"
#include "listing/labels.h"

namespace orvant {

namespace {

constexpr std::string_view kDisplacementTitle = "*** PRESCRIBED DISPLACEMENTS ***";
constexpr std::string_view kDisplacementHeading =
    "Node              Tx          Ty         Tz         Rx          Ry        Rz";
constexpr std::string_view kDisplacementUnits[2] = {
    "                  mm          mm         mm         Rad         Rad       Rad",
    "                  ins         ins        ins        Rad         Rad       Rad"};

constexpr std::string_view kNodalLoadTitle = "*** LOAD (NODAL) DATA ***";
constexpr std::string_view kNodalLoadHeading =
    "Node             Fx         Fy         Fz         Mx         My        Mz        Mass(kg)";
constexpr std::string_view kNodalLoadUnits[2] = {
    "                 kN         kN         kN         kNm        kNm       kNm",
    "                 kips       kips       kips       kip-ins    kip-ins   kip-ins"};

constexpr std::string_view kTemperatureTitle = "*** NODAL TEMPERATURES ***";
constexpr std::string_view kTemperatureHeading =
    "Node        Temperature  Node        Temerature  Node        Temperature  Node        Temerature";

void DisplacementRow(const RunSettings& s, const ModelTables& m, const PrescribedDisplacement& e, Listing& out) {
  WriteGroupLabel(out, e.node, m.NodeGroup[e.node]);
  out.Column(12);
  if (!ConvertedMode(s)) {
    for (int j = 1; j <= 6; ++j) out.Field(e.value[j], "0.000E+00", 11);
  } else {
    // Metric translations in millimetres; imperial ones in inches as
    // stored; rotations always in radians.
    const bool metric = MetricUnits(s);
    for (int j = 1; j <= 3; ++j) out.Field(metric ? e.value[j] * 1000.0f : e.value[j], "#####0.00", 11);
    for (int j = 4; j <= 6; ++j) out.Field(e.value[j], "##0.00000", 11);
  }
}

void NodalLoadRow(const RunSettings& s, const ModelTables& m, const NodalLoad& e, Listing& out) {
  WriteGroupLabel(out, e.node, m.NodeGroup[e.node]);
  out.Column(12);
  for (int j = 1; j <= 6; ++j) WriteLoadValue(out, e.value[j], ConvertedMode(s));
  if (e.mass != 0) out.Field(e.mass, "0.000E+00", 11);
}

// One entry of 24 characters; four go on a line.
void TemperatureEntry(const ModelTables& m, const NodalTemperature& e, Listing& out) {
  WriteGroupLabelIn(out, e.node, m.NodeGroup[e.node], 10);
  out.Field(e.temperature, "######0.00", 10);
  out.Text("    ");
}

}  // namespace

bool ListedNodalLoad(const ModelTables& m, const NodalLoad& e) { return m.NodeExists[e.node] != 0; }

void WritePrescribedDisplacements(const RunSettings& s, const ModelTables& m, const LoadCase& r, CommentFile& c,
                                  Listing& out, FileSystem& files) {
  auto& table = r.prescribedDisplacements;
  if (table.count <= 0) return;
  OpenLoadSection(s, out, kDisplacementTitle, kDisplacementHeading, kDisplacementUnits);
  SectionComments comments{c, files};
  for (int i = 1; i <= table.count; ++i) {
    const PrescribedDisplacement& e = table.entries[i];
    comments.Above(out, e.commentNo);
    DisplacementRow(s, m, e, out);
    out.End();
  }
}

void WriteNodalLoads(const RunSettings& s, const ModelTables& m, const LoadCase& r, CommentFile& c, Listing& out,
                     FileSystem& files) {
  auto& table = r.nodalLoads;
  if (table.count <= 0) return;
  OpenLoadSection(s, out, kNodalLoadTitle, kNodalLoadHeading, kNodalLoadUnits);
  SectionComments comments{c, files};
  for (int i = 1; i <= table.count; ++i) {
    const NodalLoad& e = table.entries[i];
    // A load on a node the model does not hold has no row, nor its comment.
    if (!ListedNodalLoad(m, e)) continue;
    comments.Above(out, e.commentNo);
    NodalLoadRow(s, m, e, out);
    out.End();
  }
}

void WriteNodalTemperatures(const ModelTables& m, const LoadCase& r, Listing& out) {
  auto& table = r.nodalTemperatures;
  if (table.count <= 0) return;
  OpenLoadSection(out, kTemperatureTitle, kTemperatureHeading);
  out.End();

  // Up to four entries of 24 characters on a line.
  int16_t onLine = 0;
  for (int i = 1; i <= table.count; ++i) {
    TemperatureEntry(m, table.entries[i], out);
    ++onLine;
    if (onLine == 4) {
      out.End();
      onLine = 0;
    }
  }
  out.End();
}

std::string ListedText::Of(const PrescribedDisplacement& e) {
  OpenLoadSection(s, scratch, kDisplacementTitle, kDisplacementHeading, kDisplacementUnits);
  DisplacementRow(s, m, e, scratch);
  return Take();
}

std::string ListedText::Of(const NodalLoad& e) {
  OpenLoadSection(s, scratch, kNodalLoadTitle, kNodalLoadHeading, kNodalLoadUnits);
  NodalLoadRow(s, m, e, scratch);
  return Take();
}

std::string ListedText::Of(const NodalTemperature& e) {
  // The heading of one entry of the four on a line.
  OpenLoadSection(scratch, kTemperatureTitle, kTemperatureHeading.substr(0, 23));
  TemperatureEntry(m, e, scratch);
  return Take();
}

}  // namespace orvant
