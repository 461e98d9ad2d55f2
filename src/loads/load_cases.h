#pragma once
// Load case files: the line parser, the names of a case's files and the
// load case pass.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvant {

struct ModelTables;
struct CommentFile;
struct Listing;
struct FileSystem;
struct LoadCase;
struct LoadCaseReader;
struct RunSettings;

// A data line holds a keyword and at most this many comma-separated fields;
// one more is an index failure.
constexpr int kMaxLoadFields = 20;
// Room for a data line's keyword: longer ones match no keyword.
constexpr size_t kKeywordRoom = 8;

// A data line upper-cased into data, with a blank between any two commas
// that follow each other.
void PrepareDataLine(std::string_view line, std::string& data);

// The split the parser makes of a data line as read, without preparing it:
// the keyword (upper-cased into keywordRoom; given as empty when it does not
// fit) and fieldValue[1..kMaxLoadFields]: the leading number of each
// comma-separated field of the line as prepared (upper-cased, a blank
// between two commas, a comma closing it), NoValue for a field that is one
// blank and for fields not reached. More fields is an index failure. spill
// keeps the copy of the line (and its room from one line to the next).
void SplitDataLine(std::string_view line, std::string& spill, char (&keywordRoom)[kKeywordRoom],
                   std::string_view& keyword, float (&fieldValue)[kMaxLoadFields + 1]);

// The text of a line from 1-based character position `from` on, trailing
// blanks removed.
std::string_view TextFrom(std::string_view line, size_t from);

// The part of a load case line that is split when it is a data line: the
// line, or for a comment line ("COM") its text from the 5th character on.
std::string_view DataTextOf(std::string_view line);

// The file of load case c: ModelPath + ".L" + c; its saved totals:
// ModelPath + ".#" + c.
std::string LoadCaseFileName(const RunSettings& s, int c);
std::string SavedTotalsFileName(const RunSettings& s, int c);

// A header-only read acts on the text lines (COM, LDESC, LDATE, LTIME,
// SCASE, AMBT) alone: a line that begins with C, L, S or A (either case) is
// appended to headers, closed by a line feed.
void KeepIfHeaderLine(std::string_view line, std::string& headers);
bool MayBeHeaderLine(std::string_view line);

// What the parser keeps from line to line besides the case it fills: the
// comment numbering, the comment lines parsed and not yet written to the
// comment file (views into the text parsed: they are written while it
// lasts), and scratch storage. It touches no file, so a case may be parsed
// on another thread and its comments written in order afterwards.
struct CaseParse {
  int16_t commentCounter = 0;
  // The texts of comment records commentCounter - size + 1 .. commentCounter.
  std::vector<std::string_view> comments;
  std::string lineBuffer;   // an interpreted command line as split
  std::string spillBuffer;  // the copy of the data line being split
};

// Parses one line of a load case file into the case. A comment line is
// numbered and kept for the comment file; with headerOnly 1 only the text
// lines are looked at.
void ParseLoadCaseLine(const RunSettings& s, const ModelTables& m, CaseParse& p, LoadCase& lc, std::string_view line,
                       int16_t headerOnly);
// Writes the comment records parsed and not yet written, in order.
void WriteParsedComments(CaseParse& p, CommentFile& c, FileSystem& files);

// The load case pass: every case with its loads.
void WriteLoadCasePass(const RunSettings& s, const ModelTables& m, LoadCaseReader& reader, CommentFile& c,
                       Listing& out, FileSystem& files);

}  // namespace orvant
