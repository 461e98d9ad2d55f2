// Load sections of beam elements: point loads and distributed loads (ED and
// UDL lines in one table).
#include <string_view>

#include "loads/listed_loads.h"
#include "loads/load_section_rows.h"
#include "loads/load_sections.h"
#include "listing/labels.h"

namespace orvant {

namespace {

constexpr std::string_view kPointTitle = "*** BEAM ELEMENT POINT LOADS ***";
constexpr std::string_view kPointHeading =
    "Elem    Coord   Length    Fx         Fy         Fz         Mx         My         Mz";
constexpr std::string_view kPointUnits[2] = {
    "                          kN         kN         kN         kNm        kNm        kNm",
    "                          kips       kips       kips       kip-ins    kip-ins   kip-ins"};

constexpr std::string_view kDistributedTitle = "*** BEAM ELEMENT DISTRIBUTED LOADS ***";
constexpr std::string_view kDistributedHeading =
    "Elem    Coord  SLength  FLenght       Fx1        Fx2        Fy1        Fy2        Fz1        Fz2";
constexpr std::string_view kDistributedUnits[2] = {
    "                                      kN/m       kN/m       kN/m       kN/m       kN/m       kN/m",
    "                                      lbs/ins   lbs/ins    lbs/ins   lbs/ins    lbs/ins    lbs/ins"};

void PointLoadRow(const RunSettings& s, const ModelTables& m, const PointLoad& e, Listing& out) {
  WriteGroupLabel(out, e.element, m.ElementGroup[e.element]);
  out.Column(12);
  out.Text(PointAxisText(e.axes));
  out.Field(e.position, "###.###", 7);
  for (int j = 1; j <= 6; ++j) WriteLoadValue(out, e.value[j], ConvertedMode(s));
}

void DistributedLoadRow(const RunSettings& s, const ModelTables& m, const DistributedLoad& e, Listing& out) {
  WriteGroupLabel(out, e.element, m.ElementGroup[e.element]);
  out.Column(12);
  out.Text(DistributedAxisText(e.axes));
  out.Column(14);  // equivalent: statement (the two-character axis code reaches it)
  out.Field(e.startLength, "##0.0##", 9);
  if (e.finishLength == 0)
    out.Text(" Full Span");
  else
    out.Field(e.finishLength, "##0.0##", 9);
  out.Column(33);
  // N/m to kN/m; pounds per inch as stored.
  const bool converted = ConvertedMode(s);
  const float divisor = MetricUnits(s) ? 1000.0f : 1.0f;
  for (float w : {e.wx1, e.wx2, e.wy1, e.wy2, e.wz1, e.wz2}) WriteLoadValue(out, w, converted, divisor);
}

}  // namespace

bool UndefinedElement(const ModelTables& m, int16_t element) { return m.ElemNode1[element] == m.ElemNode2[element]; }

bool ListedPointLoad(const ModelTables& m, const PointLoad& e) { return !UndefinedElement(m, e.element); }

bool ListedDistributedLoad(const ModelTables& m, const DistributedLoad& e) {
  return e.axes != 0 && !UndefinedElement(m, e.element);
}

std::string_view PointAxisText(int16_t axes) { return axes == 1 ? "Gl" : "Lo"; }

std::string_view DistributedAxisText(int16_t axes) {
  if (axes == 1) return "Gl";
  if (axes == 2) return "Lo";
  return "GP";
}

void WritePointLoads(const RunSettings& s, const ModelTables& m, const LoadCase& r, CommentFile& c, Listing& out,
                     FileSystem& files) {
  auto& table = r.pointLoads;
  if (table.count <= 0) return;
  OpenLoadSection(s, out, kPointTitle, kPointHeading, kPointUnits);
  SectionComments comments{c, files};
  for (int i = 1; i <= table.count; ++i) {
    const PointLoad& e = table.entries[i];
    if (!ListedPointLoad(m, e)) continue;
    comments.Above(out, e.commentNo);
    PointLoadRow(s, m, e, out);
    out.End();
  }
}

void WriteDistributedLoads(const RunSettings& s, const ModelTables& m, const LoadCase& r, CommentFile& c, Listing& out,
                           FileSystem& files) {
  auto& table = r.distributedLoads;
  if (table.count <= 0) return;
  OpenLoadSection(s, out, kDistributedTitle, kDistributedHeading, kDistributedUnits);
  SectionComments comments{c, files};
  for (int i = 1; i <= table.count; ++i) {
    const DistributedLoad& e = table.entries[i];
    if (!ListedDistributedLoad(m, e)) continue;
    comments.Above(out, e.commentNo);
    DistributedLoadRow(s, m, e, out);
    out.End();
  }
}

std::string ListedText::Of(const PointLoad& e) {
  OpenLoadSection(s, scratch, kPointTitle, kPointHeading, kPointUnits);
  PointLoadRow(s, m, e, scratch);
  return Take();
}

std::string ListedText::Of(const DistributedLoad& e) {
  OpenLoadSection(s, scratch, kDistributedTitle, kDistributedHeading, kDistributedUnits);
  DistributedLoadRow(s, m, e, scratch);
  return Take();
}

}  // namespace orvant
