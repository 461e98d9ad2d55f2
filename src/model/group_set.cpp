#include <exception>
#include <thread>

#include "base/file_system.h"
#include "base/text_values.h"
#include "model/geometry.h"
#include "model/model_tables.h"
#include "settings/run_settings.h"

namespace orvant {

namespace {

constexpr int16_t kElementEntry = 1;
constexpr int16_t kNodeEntry = 2;
constexpr int16_t kSpringEntry = 3;

}  // namespace

GroupSetFile FindGroupSet(FileSystem& files, const std::string& fileName) {
  return {fileName, files.ToLinux(fileName), files.FoundFile(fileName)};
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

// The group set is read on a second thread while the geometry loads: they
// fill different tables. A failure of the geometry comes first, as it would
// one after the other; that of the group set comes after it.
void LoadModel(RunSettings& s, ModelTables& m, FileSystem& files) {
  const GroupSetFile groupSet = FindGroupSet(files, s.ModelPath + ".G" + s.ActiveGroupSet);
  std::exception_ptr groupSetFailure;
  {
    std::jthread groups([&] {
      try {
        ReadFoundGroupSet(s, m, groupSet, s.MaxNodeLabel, s.MaxElementLabel);
      } catch (...) {
        groupSetFailure = std::current_exception();  // raised below, in its place
      }
    });
    LoadGeometry(s, m, files);
  }
  if (groupSetFailure) std::rethrow_exception(groupSetFailure);
}

}  // namespace orvant
