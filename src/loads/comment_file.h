#pragma once
// The comment file ".LCM": fixed records of 100 bytes, record n the n-th
// comment line of the load case read last. Kept in memory while the run
// lasts and written back when the run closes its files, so that its final
// bytes are those that record-by-record writes would give.
#include <cstdint>
#include <string>
#include <string_view>

namespace orvant {

struct Listing;
struct FileSystem;

struct CommentFile {
  std::string path;       // ModelPath + ".LCM" as formed, set at start-up
  std::string bytes;      // the file's contents as they stand
  bool loaded{};          // existing contents read in
  bool changed{};         // written since loaded
};

// Writes comment record n (1-based): 100 bytes, the text left-aligned,
// padded with blanks, cut at 100.
void WriteCommentRecord(CommentFile& c, FileSystem& files, int16_t n, std::string_view text);
// Prints record n unless "Amend" occurs from its 10th character on.
void PrintCommentRecord(CommentFile& c, Listing& out, FileSystem& files, int16_t n);
// Writes the comment file back when it was changed: 0, or the errno of what
// failed (the open, a write or the close).
int CloseCommentFile(CommentFile& c, FileSystem& files);

}  // namespace orvant
