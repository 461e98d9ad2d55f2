#include <string>
#include <string_view>

#include "base/file_system.h"
#include "listing/listing.h"
#include "settings/run_settings.h"
#include "summaries/summaries.h"

namespace orvant {

namespace {

constexpr size_t kSetRecordSize = 86;
constexpr size_t kGroupRecordSize = 66;
constexpr size_t kFlagOffset = 1;
constexpr size_t kDescriptionOffset = 16;
constexpr size_t kDescriptionWidth = 50;

// A set or group file read by record number. A missing file has no
// records; it is never created.
struct RecordFile {
  std::string bytes;
  size_t recordSize = 0;

  // Record r (1-based) when the file wholly holds it.
  bool Holds(long long r) const {
    return r >= 1 && static_cast<size_t>(r) <= bytes.size() / recordSize;
  }
  // A record that the file does not hold counts as not defined.
  bool Defined(long long r) const {
    return Holds(r) && static_cast<unsigned char>(bytes[(r - 1) * recordSize + kFlagOffset]) == 1;
  }
  // The 50 description characters as stored; blanks for a record not held.
  std::string_view Description(long long r) const {
    static const std::string blanks(kDescriptionWidth, ' ');
    if (!Holds(r)) return blanks;
    return std::string_view(bytes).substr((r - 1) * recordSize + kDescriptionOffset, kDescriptionWidth);
  }
};

RecordFile OpenRecordFile(FileSystem& files, const std::string& path, size_t recordSize) {
  RecordFile f;
  f.recordSize = recordSize;
  if (files.FileExists(path)) f.bytes = files.ReadFile(path);
  return f;
}

std::string GroupFileName(const RunSettings& s, long long n) { return s.ModelPath + ".BG" + std::to_string(n); }

// The heading of one group set's listing.
void WriteGroupSetHeading(Listing& out, long long n, std::string_view description) {
  out.Text("***  Group SET").Int(n).Text("   ").Text(description);
  out.End();
  out.End();
  out.Line("Group No    Description");
  out.End();
}

// The groups that belong to the set: record j + 1 of its group file for
// group number j.
void WriteGroups(const RunSettings& s, Listing& out, FileSystem& files, const std::string& groupFile) {
  const RecordFile groups = OpenRecordFile(files, groupFile, kGroupRecordSize);
  for (long long j = 0; j <= s.MaxLoadLabel; ++j) {
    if (!groups.Defined(j + 1)) continue;
    out.Int(j).Column(10).Text(groups.Description(j + 1));
    out.End();
  }
}

}  // namespace

void WriteSetSummary(const RunSettings& s, Listing& out, FileSystem& files, const std::string& extension) {
  out.Line(":");
  out.Line(extension == ".NSG" ? "***  G R O U P S   S E T    S U M M A R Y  ****"
                               : "*** R E S U L T S   S E T    S U M M A R Y  ***");
  out.End();
  out.Line("SET No    Description");
  out.End();

  const RecordFile sets = OpenRecordFile(files, s.ModelPath + extension, kSetRecordSize);
  for (long long k = 0; k <= s.MaxLoadLabel; ++k) {
    if (!sets.Defined(k + 1)) continue;
    out.Int(k).Column(12).Text(sets.Description(k + 1));
    out.End();
  }
}

void WriteAllGroupSets(const RunSettings& s, Listing& out, FileSystem& files) {
  const RecordFile sets = OpenRecordFile(files, s.ModelPath + ".NSG", kSetRecordSize);
  for (long long k = 0; k <= s.MaxLoadLabel; ++k) {
    if (!sets.Defined(k + 1)) continue;
    const std::string groupFile = GroupFileName(s, k);
    if (!files.FileExists(groupFile)) continue;
    out.Line(":");
    WriteGroupSetHeading(out, k, sets.Description(k + 1));
    WriteGroups(s, out, files, groupFile);
  }
}

void WriteActiveGroupSet(const RunSettings& s, Listing& out, FileSystem& files, int16_t n) {
  const std::string groupFile = GroupFileName(s, n);
  if (!files.FileExists(groupFile)) return;
  // Set records are numbered from 1: a negative set number has none.
  if (n < 0) throw RunFault("no record of set " + std::to_string(n) + " in " + s.ModelPath + ".NSG");
  const RecordFile sets = OpenRecordFile(files, s.ModelPath + ".NSG", kSetRecordSize);
  WriteGroupSetHeading(out, n, sets.Description(n + 1));
  WriteGroups(s, out, files, groupFile);
  out.Line(":");
}

}  // namespace orvant
