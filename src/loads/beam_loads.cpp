// Load sections of beam elements: point loads and distributed loads (ED and
// UDL lines in one table).
#include <string_view>

#include "loads/load_section_rows.h"
#include "loads/load_sections.h"
#include "listing/labels.h"

namespace orvant {

void WritePointLoads(const RunSettings& s, const ModelTables& m, const LoadCase& r, CommentFile& c, Listing& out,
                     FileSystem& files) {
  auto& table = r.pointLoads;
  if (table.count <= 0) return;
  OpenLoadSection(out, "*** BEAM ELEMENT POINT LOADS ***",
                  "Elem    Coord   Length    Fx         Fy         Fz         Mx         My         Mz");
  WriteUnitRow(s, out, "                          kN         kN         kN         kNm        kNm        kNm",
               "                          kips       kips       kips       kip-ins    kip-ins   kip-ins");
  SectionComments comments{c, files};

  const bool converted = ConvertedMode(s);
  for (int i = 1; i <= table.count; ++i) {
    const PointLoad& e = table.entries[i];
    if (UndefinedElement(m, e.element)) continue;
    comments.Above(out, e.commentNo);
    WriteGroupLabel(out, e.element, m.ElementGroup[e.element]);
    out.Column(12);
    out.Text(e.axes == 1 ? "Gl" : "Lo");
    out.Field(e.position, "###.###", 7);
    for (int j = 1; j <= 6; ++j) WriteLoadValue(out, e.value[j], converted);
    out.End();
  }
}

namespace {

std::string_view DistributedAxisText(int16_t axes) {
  if (axes == 1) return "Gl";
  if (axes == 2) return "Lo";
  return "GP";
}

}  // namespace

void WriteDistributedLoads(const RunSettings& s, const ModelTables& m, const LoadCase& r, CommentFile& c, Listing& out,
                           FileSystem& files) {
  auto& table = r.distributedLoads;
  if (table.count <= 0) return;
  OpenLoadSection(out, "*** BEAM ELEMENT DISTRIBUTED LOADS ***",
                  "Elem    Coord  SLength  FLenght       Fx1        Fx2        Fy1        Fy2        Fz1        Fz2");
  WriteUnitRow(s, out,
               "                                      kN/m       kN/m       kN/m       kN/m       kN/m       kN/m",
               "                                      lbs/ins   lbs/ins    lbs/ins   lbs/ins    lbs/ins    lbs/ins");
  SectionComments comments{c, files};

  const bool converted = ConvertedMode(s);
  const bool metric = MetricUnits(s);
  for (int i = 1; i <= table.count; ++i) {
    const DistributedLoad& e = table.entries[i];
    if (e.axes == 0) continue;
    if (UndefinedElement(m, e.element)) continue;
    comments.Above(out, e.commentNo);
    WriteGroupLabel(out, e.element, m.ElementGroup[e.element]);
    out.Column(12);
    out.Text(DistributedAxisText(e.axes));
    out.Column(14);
    out.Field(e.startLength, "##0.0##", 9);
    if (e.finishLength == 0)
      out.Text(" Full Span");
    else
      out.Field(e.finishLength, "##0.0##", 9);
    out.Column(33);
    // N/m to kN/m; pounds per inch as stored.
    for (float w : {e.wx1, e.wx2, e.wy1, e.wy2, e.wz1, e.wz2}) WriteLoadValue(out, w, converted, metric ? 1000.0f : 1.0f);
    out.End();
  }
}

}  // namespace orvant
