#include "model/geometry.h"
#include "run/run_context.h"
#include "base/text_values.h"

namespace orvant {

namespace {

constexpr int16_t kElementEntry = 1;
constexpr int16_t kNodeEntry = 2;
constexpr int16_t kSpringEntry = 3;

}  // namespace

GroupSetFile FindGroupSet(RunContext& ctx, const std::string& fileName) {
  return {fileName, ctx.files.ToLinux(fileName), ctx.files.FoundFile(fileName)};
}

// The group set file: its description, then (kind, label, group) triples to
// the end. Springs/couples share the element groups at elementLimit + label.
// Labels above their limit are skipped; a negative label fails.
void ReadFoundGroupSet(RunSettings& s, ModelTables& m, const GroupSetFile& file, int16_t nodeLimit,
                       int16_t elementLimit) {
  if (!file.found) {
    s.ActiveGroupSet.clear();
    return;
  }
  std::optional<std::string> text = FileSystem::ReadFoundText(*file.found);
  if (!text) throw RunFault("cannot open " + file.formed);
  TextValues values(std::move(*text), file.name);
  s.GroupSetDescription = values.Text();
  while (!values.AtEnd()) {
    const int16_t kind = values.Int16();
    const int16_t label = values.Int16();
    const int16_t group = values.Int16();
    if (kind != kElementEntry && kind != kNodeEntry && kind != kSpringEntry) continue;
    if (label < 0) throw RunFault("negative label " + std::to_string(label) + " in " + file.name);
    if (kind == kElementEntry && label <= elementLimit) {
      m.ElementGroup[label] = group;
    } else if (kind == kNodeEntry && label <= nodeLimit) {
      m.NodeGroup[label] = group;
    } else if (kind == kSpringEntry && label <= s.MaxSpringLabel) {
      m.ElementGroup[static_cast<long long>(elementLimit) + label] = group;
    }
  }
}

void ReadGroupSet(RunContext& ctx, const std::string& fileName, int16_t nodeLimit, int16_t elementLimit) {
  ReadFoundGroupSet(ctx.settings, ctx.model, FindGroupSet(ctx, fileName), nodeLimit, elementLimit);
}

}  // namespace orvant
