#include "listing/labels.h"
#include "listing/listing.h"
#include "model/binary_reader.h"
#include "model/model_tables.h"
#include "sections/group_order.h"
#include "sections/sections.h"
#include "settings/run_settings.h"

namespace orvant {

namespace {

constexpr size_t kOffsetRecordSize = 32;

struct ElementOffsetRecord {
  int16_t label{};
  int16_t ref1{};
  float o1[3]{};
  int16_t ref2{};
  float o2[3]{};
};

ElementOffsetRecord ReadOffsetRecord(const unsigned char* bytes) {
  BinaryReader r(bytes, kOffsetRecordSize);
  ElementOffsetRecord rec;
  rec.label = r.I16();
  r.I16();  // spare value, not listed
  rec.ref1 = r.I16();
  for (float& v : rec.o1) v = r.F32();
  rec.ref2 = r.I16();
  for (float& v : rec.o2) v = r.F32();
  return rec;
}

void WriteOffsetHeading(Listing& out) {
  out.End();
  out.End();
  out.Line("*** ELEMENT OFFSET DATA ***");
  out.End();
  out.Line("Elem             Node1 End                           Node2 End ");
  out.Line("No      RefEle    Ox      Oy      Oz          RefEle     Ox     Oy      Oz        ");
  out.End();
}

}  // namespace

// The offset records follow the element and spring/couple records in the
// connectivity file, to its end. A record cut short by the end of the file
// is ignored.
void WriteElementOffsets(const RunSettings& s, const ModelTables& m, Listing& out) {
  const std::vector<unsigned char>& bytes = m.ConnectivityFile.bytes;
  const GroupSelection filter = GroupFilterOnly(s);
  bool headingWritten = false;

  for (size_t position = m.ConnectivityFile.offsetsStart; position + kOffsetRecordSize <= bytes.size();
       position += kOffsetRecordSize) {
    const ElementOffsetRecord rec = ReadOffsetRecord(bytes.data() + position);
    if (!headingWritten && rec.label > 0) {
      WriteOffsetHeading(out);
      headingWritten = true;
    }
    if (rec.label <= 0) continue;
    const int16_t group = m.ElementGroup[rec.label];
    if (!filter.Admits(group)) continue;

    WriteGroupLabel(out, rec.label, group);
    out.Column(10).Int(rec.ref1).Column(16);
    for (float v : rec.o1) out.Field(v, "##0.000", 8);
    out.Column(48).Int(rec.ref2).Column(54);
    for (float v : rec.o2) out.Field(v, "##0.000", 8);
    out.End();
  }
}

}  // namespace orvant
