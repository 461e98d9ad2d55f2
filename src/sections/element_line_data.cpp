// The element line data file (".ELN"): its free text is copied as headings,
// its "ME" records (element number and five values) are listed one line per
// element, in the element order and group selection of the solid elements.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "base/checked.h"
#include "base/file_system.h"
#include "base/text_values.h"
#include "listing/labels.h"
#include "listing/listing.h"
#include "model/model_tables.h"
#include "sections/group_order.h"
#include "sections/sections.h"
#include "settings/run_settings.h"

namespace orvant {

namespace {

struct ElementLineRecord {
  std::array<float, 5> values{};
  int16_t present{};
};

bool IsElementRecordMark(const std::string& item) {
  return item.size() == 2 && (item[0] == 'M' || item[0] == 'm') && (item[1] == 'E' || item[1] == 'e');
}

// An element is listed when it has a record and its label is defined (its
// first two connectivity nodes differ).
void WriteElementLine(const ModelTables& m, Listing& out, const Table<ElementLineRecord>& records, int16_t e) {
  const ElementLineRecord& r = records[e];
  if (r.present != 1) return;
  if (m.ElemNode1[e] == m.ElemNode2[e]) return;
  WriteGroupLabel(out, e, m.ElementGroup[e], "-G");
  out.Column(10);
  for (float v : r.values) out.Field(v, "##0.000", 9);
  out.End();
}

}  // namespace

void WriteElementLineData(const RunSettings& s, const ModelTables& m, Listing& out, FileSystem& files,
                          const std::string& name, const std::string& extension) {
  // Named with its extension (the model's ".ELN"): headed by the name found.
  const std::string path = name + extension;
  std::optional<std::string> found = files.Find(path);
  if (!found || !files.FileExists(path)) return;
  const std::string heading = NameWithoutDirectory(*found);

  // The file is opened before anything of its block is written. Its free
  // text is copied into the listing: a file that links outside the model's
  // directories is left out like a missing one.
  std::optional<std::string> text = files.ReadCopy(path);
  if (!text) return;
  TextValues items(std::move(*text), path);
  items.quotedNumbers = true;  // an item in double quotes is taken without them

  out.Line(":");
  out.Line(heading);
  out.End();

  const int16_t maxElement = s.MaxElementLabel;
  Table<ElementLineRecord> records{{}, "element line data"};
  records.Size(maxElement);

  while (!items.AtEnd()) {
    std::string item = items.Text();
    if (!IsElementRecordMark(item)) {
      out.Line(item);
      continue;
    }
    int16_t element = items.Int16();
    std::array<float, 5> values{};
    for (float& v : values) v = static_cast<float>(items.Number());
    ElementLineRecord& r = records[element];
    r.values = values;
    r.present = 1;
  }

  // In group range mode ascending group first, up to the group limit; a
  // positive group filter does not narrow this listing.
  const SelectedLabels elements = SelectByGroup(ElementLineGroupSelection(s), m.ElementGroup, maxElement);
  for (int16_t e : elements.groupOrder) WriteElementLine(m, out, records, e);
  for (int16_t e : elements.labelOrder) WriteElementLine(m, out, records, e);
}

}  // namespace orvant
