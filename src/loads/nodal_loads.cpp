// Load sections by node: prescribed displacements, nodal loads and nodal
// temperatures.
#include <charconv>
#include <string_view>

#include "loads/load_section_rows.h"
#include "loads/load_sections.h"
#include "listing/labels.h"

namespace orvant {

void WritePrescribedDisplacements(const RunSettings& s, const ModelTables& m, const LoadCase& r, CommentFile& c,
                                  Listing& out, FileSystem& files) {
  auto& table = r.prescribedDisplacements;
  if (table.count <= 0) return;
  OpenLoadSection(out, "*** PRESCRIBED DISPLACEMENTS ***",
                  "Node              Tx          Ty         Tz         Rx          Ry        Rz");
  WriteUnitRow(s, out, "                  mm          mm         mm         Rad         Rad       Rad",
               "                  ins         ins        ins        Rad         Rad       Rad");
  SectionComments comments{c, files};

  const bool converted = ConvertedMode(s);
  const bool metric = MetricUnits(s);
  for (int i = 1; i <= table.count; ++i) {
    const PrescribedDisplacement& e = table.entries[i];
    comments.Above(out, e.commentNo);
    WriteGroupLabel(out, e.node, m.NodeGroup[e.node]);
    out.Column(12);
    if (!converted) {
      for (int j = 1; j <= 6; ++j) out.Field(e.value[j], "0.000E+00", 11);
    } else {
      // Metric translations in millimetres; imperial ones in inches as
      // stored; rotations always in radians.
      for (int j = 1; j <= 3; ++j) out.Field(metric ? e.value[j] * 1000.0f : e.value[j], "#####0.00", 11);
      for (int j = 4; j <= 6; ++j) out.Field(e.value[j], "##0.00000", 11);
    }
    out.End();
  }
}

void WriteNodalLoads(const RunSettings& s, const ModelTables& m, const LoadCase& r, CommentFile& c, Listing& out,
                     FileSystem& files) {
  auto& table = r.nodalLoads;
  if (table.count <= 0) return;
  OpenLoadSection(out, "*** LOAD (NODAL) DATA ***",
                  "Node             Fx         Fy         Fz         Mx         My        Mz        Mass(kg)");
  WriteUnitRow(s, out, "                 kN         kN         kN         kNm        kNm       kNm",
               "                 kips       kips       kips       kip-ins    kip-ins   kip-ins");
  SectionComments comments{c, files};

  const bool converted = ConvertedMode(s);
  for (int i = 1; i <= table.count; ++i) {
    const NodalLoad& e = table.entries[i];
    // A load on a node the model does not hold has no row, nor its comment.
    if (m.NodeExists[e.node] == 0) continue;
    comments.Above(out, e.commentNo);
    WriteGroupLabel(out, e.node, m.NodeGroup[e.node]);
    out.Column(12);
    for (int j = 1; j <= 6; ++j) WriteLoadValue(out, e.value[j], converted);
    if (e.mass != 0) out.Field(e.mass, "0.000E+00", 11);
    out.End();
  }
}

namespace {

// The node's group-suffixed label, filled with blanks or cut to exactly 10
// characters.
void WriteLabel10(Listing& out, int16_t node, int16_t group) {
  char text[32];
  char* const end = text + sizeof text;
  char* p = std::to_chars(text, end, static_cast<int>(node)).ptr;
  if (group > 0 && group != NoGroup) {
    *p++ = '-';
    *p++ = 'G';
    p = std::to_chars(p, end, static_cast<int>(group)).ptr;
  }
  size_t length = static_cast<size_t>(p - text);
  if (length > 10) length = 10;
  out.Text(std::string_view(text, length));
  out.Repeat(' ', static_cast<int>(10 - length));
}

}  // namespace

void WriteNodalTemperatures(const ModelTables& m, const LoadCase& r, Listing& out) {
  auto& table = r.nodalTemperatures;
  if (table.count <= 0) return;
  OpenLoadSection(out, "*** NODAL TEMPERATURES ***",
                  "Node        Temperature  Node        Temerature  Node        Temperature  Node        Temerature");
  out.End();

  // Up to four entries of 24 characters on a line.
  int16_t onLine = 0;
  for (int i = 1; i <= table.count; ++i) {
    const NodalTemperature& e = table.entries[i];
    WriteLabel10(out, e.node, m.NodeGroup[e.node]);
    out.Field(e.temperature, "######0.00", 10);
    out.Text("    ");
    ++onLine;
    if (onLine == 4) {
      out.End();
      onLine = 0;
    }
  }
  out.End();
}

}  // namespace orvant
