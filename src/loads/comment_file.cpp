// The comment file ".LCM": 100-byte records, record n the n-th comment line
// of the load case read last. Its bytes are read once, kept in memory while
// records are written and read back, and written out when the run closes its
// files; the file is never truncated, so records beyond those of the last
// case keep the bytes they had.
#include "loads/comment_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "base/faults.h"
#include "base/confinement.h"
#include "base/file_system.h"
#include "listing/listing.h"

namespace orvant {

namespace {

constexpr size_t kRecordLength = 100;

// Reads the existing file once; a missing file starts empty.
void LoadCommentFile(CommentFile& c, FileSystem& files) {
  if (c.loaded) return;
  if (files.FileExists(c.path)) c.bytes = files.ReadFile(c.path);
  c.loaded = true;
  c.changed = false;
}

size_t RecordOffset(int16_t n) {
  if (n < 1) throw RunFault("bad comment record number " + std::to_string(n));
  return static_cast<size_t>(n - 1) * kRecordLength;
}

}  // namespace

void WriteCommentRecord(CommentFile& c, FileSystem& files, int16_t n, std::string_view text) {
  LoadCommentFile(c, files);
  size_t offset = RecordOffset(n);
  // A record past the end of the file extends it (a gap, which record
  // numbering never leaves, would read as zero bytes).
  if (c.bytes.size() < offset + kRecordLength) c.bytes.resize(offset + kRecordLength, '\0');
  size_t used = text.size() < kRecordLength ? text.size() : kRecordLength;
  c.bytes.replace(offset, used, text.data(), used);
  c.bytes.replace(offset + used, kRecordLength - used, kRecordLength - used, ' ');
  c.changed = true;
}

namespace {

// Record n into out; a record beyond the end reads as blanks.
void CopyCommentRecord(CommentFile& c, FileSystem& files, int16_t n, char (&out)[kRecordLength]) {
  LoadCommentFile(c, files);
  const size_t offset = RecordOffset(n);
  std::memset(out, ' ', kRecordLength);
  if (offset < c.bytes.size())
    std::memcpy(out, c.bytes.data() + offset, std::min(kRecordLength, c.bytes.size() - offset));
}

}  // namespace

void PrintCommentRecord(CommentFile& c, Listing& out, FileSystem& files, int16_t n) {
  char bytes[kRecordLength];
  CopyCommentRecord(c, files, n, bytes);
  const std::string_view record(bytes, kRecordLength);
  // An amendment note: "Amend" from the 10th character on.
  bool amendment = record.find("Amend", 9) != std::string_view::npos;
  if (!amendment) out.Line(record);
}

int CloseCommentFile(CommentFile& c, FileSystem& files) {
  if (!c.changed) return 0;
  std::string target = files.PathForCreate(c.path);
  int fd = OpenToWrite(target);  // never through a symbolic link
  if (fd < 0) return errno;
  // The bytes hold the whole file as it stands (what was read and every
  // record written), so writing them from the start gives the final file.
  int error = WriteAll(fd, c.bytes);
  if (::close(fd) != 0 && error == 0) error = errno;
  return error;
}

}  // namespace orvant
