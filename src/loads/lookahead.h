#pragma once
// The next load case, read ahead: while one case is listed, a second thread
// splits the data lines of the next case's file, so that the parser finds
// them split when it gets there. Splitting has no effect on anything else;
// the parser does everything else, in order, as without it.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "loads/load_cases.h"

namespace orvant {

struct RunSettings;
struct LoadCaseRecord;
struct FileSystem;

// A line of the case file, and its data text as SplitDataLine split it.
// Both are views into the case text: the parser takes the lines from here
// and looks split ones up by their data text.
struct SplitLine {
  std::string_view raw;
  std::string_view line;
  bool split = false;  // false: the split failed and is to be made again
  char keywordRoom[kKeywordRoom];
  uint8_t keywordSize = 0;
  float fieldValue[21];
};

// The worker thread and its job live in lookahead.cpp; the record holds
// one through this pointer, which stops the thread when it is let go.
struct CaseLookahead;
struct CaseLookaheadStop {
  void operator()(CaseLookahead* ahead) const;
};
using CaseLookaheadPtr = std::unique_ptr<CaseLookahead, CaseLookaheadStop>;

// Has every case file that the run may read, and its ".#" file, read on
// the second thread while the model data is listed: the header lines of
// the case files are picked out, the ".#" files kept whole. Files that
// cannot be read are left to the reader, which fails in its place.
void ReadHeadersAhead(const RunSettings& s, LoadCaseRecord& r, FileSystem& files);

// Waits for what ReadHeadersAhead read and gives it to the record: the
// header lines as those of files read before (headerLines), the ".#" texts
// (savedTotalsText).
void TakeHeadersAhead(LoadCaseRecord& r);

// Reads the file of the first case to be read after case `after` and has
// it split. Nothing is read ahead when there is none, or when it cannot be
// read (the reader then meets that failure itself, in its place).
void ReadAhead(const RunSettings& s, LoadCaseRecord& r, FileSystem& files, int16_t after);

// When `name` was read ahead: its text goes to the record's lastCaseText,
// its split lines to the record (splitLines, splitResumeAt), and true is
// returned.
bool TakeReadAhead(LoadCaseRecord& r, const std::string& name);

// The split of `line` when it was split ahead (the parser's lines come in
// order), or nullptr.
const SplitLine* FindSplitLine(LoadCaseRecord& r, std::string_view line);

}  // namespace orvant
