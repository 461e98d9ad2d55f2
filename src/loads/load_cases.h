#pragma once
// Load case files: the line parser, the reader and the load case pass.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvant {

struct ModelTables;
struct CommentFile;
struct Listing;
struct FileSystem;
struct LoadCaseRecord;
struct RunSettings;

// A data line upper-cased into data, with a blank between any two commas
// that follow each other.
void PrepareDataLine(std::string_view line, std::string& data);

// Room for a data line's keyword: longer ones match no keyword.
constexpr size_t kKeywordRoom = 8;

// The split the parser makes of a data line as read, without preparing it:
// the keyword (upper-cased into keywordRoom; given as empty when it does not
// fit) and fieldValue[1..20]: the leading number of each comma-separated
// field of the line as prepared (upper-cased, a blank between two commas,
// a comma closing it), NoValue for a field that is one blank and for fields
// not reached. More than 20 fields is an index failure. spill keeps the copy
// of a long line.
void SplitDataLine(std::string_view line, std::string& spill, char (&keywordRoom)[kKeywordRoom],
                   std::string_view& keyword, float (&fieldValue)[21]);

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

// Parses one line of a load case file into the load case record.
void ParseLoadCaseLine(const RunSettings& s, const ModelTables& m, LoadCaseRecord& r, CommentFile& c, FileSystem& files,
                       std::string_view line, int16_t headerOnly);

// Creates every table of the record empty and sizes them.
void ResetLoadCaseRecord(const RunSettings& s, LoadCaseRecord& r);

// Reads the load case file `name` (which exists) and parses every line of
// it. A header-only read of a file read before replays the lines that the
// first read kept: the only ones on which such a read acts. With readAhead
// the next case after CurrentLoadCase is read ahead.
void ParseLoadCaseFile(const RunSettings& s, const ModelTables& m, LoadCaseRecord& r, CommentFile& c, FileSystem& files,
                       const std::string& name, int16_t headerOnly, bool readAhead = false);

// From CurrentLoadCase upward, finds the next case to read, resets the
// record, parses the case file and reads its ".#" file. CurrentLoadCase is
// past MaxLoadLabel when none is left.
void ReadNextLoadCase(RunSettings& s, const ModelTables& m, LoadCaseRecord& r, CommentFile& comments,
                      FileSystem& files);

// The load case pass: every case with its loads.
void WriteLoadCasePass(RunSettings& s, ModelTables& m, LoadCaseRecord& r, CommentFile& c, Listing& out,
                       FileSystem& files);

}  // namespace orvant
