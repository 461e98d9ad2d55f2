#pragma once
// The next load case, read ahead: while one case is listed, a second thread
// splits the data lines of the next case's file, so that the parser finds
// them split when it gets there. Splitting has no effect on anything else;
// the parser does everything else, in order, as without it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "loads/load_cases.h"
#include "base/handoff.h"
#include "base/platform.h"

namespace orvant {

struct RunContext;

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

// A file read ahead, by its name and Linux path: what is kept of it, when
// it could be read.
struct FileAhead {
  std::string name;
  std::string found;
  bool read = false;
  std::string kept;
};

struct CaseLookahead {
  Handoff handoff;
  // The job, set up before the hand-over: the next case (name, found), or
  // with headersJob every case file and ".#" file of the run.
  bool headersJob = false;
  std::string name;   // the case file read ahead ("" when none)
  std::string found;  // its Linux path
  // Filled by the worker: the text, its first lines split, and where in
  // the text the lines after them begin.
  bool read = false;
  TextBuffer text;
  std::vector<SplitLine> lines;
  size_t resumeAt = 0;
  std::string spill;
  // The headers job: the header lines of each case file, each ".#" file
  // whole.
  std::vector<FileAhead> caseHeaders;
  std::vector<FileAhead> savedTotals;
  std::thread thread;

  CaseLookahead();
  ~CaseLookahead();
  CaseLookahead(const CaseLookahead&) = delete;
  CaseLookahead& operator=(const CaseLookahead&) = delete;

 private:
  void Run();
};

// Has every case file that the run may read, and its ".#" file, read on
// the second thread while the model data is listed: the header lines of
// the case files are picked out, the ".#" files kept whole. Files that
// cannot be read are left to the reader, which fails in its place.
void ReadHeadersAhead(RunContext& ctx);

// Waits for what ReadHeadersAhead read and gives it to the record: the
// header lines as those of files read before (headerLines), the ".#" texts
// (savedTotalsText).
void TakeHeadersAhead(RunContext& ctx);

// Reads the file of the first case to be read after case `after` and has
// it split. Nothing is read ahead when there is none, or when it cannot be
// read (the reader then meets that failure itself, in its place).
void ReadAhead(RunContext& ctx, int16_t after);

// When `name` was read ahead: its text goes to the record's lastCaseText,
// its split lines to the record (splitLines, splitResumeAt), and true is
// returned.
bool TakeReadAhead(RunContext& ctx, const std::string& name);

// The split of `line` when it was split ahead (the parser's lines come in
// order), or nullptr.
const SplitLine* FindSplitLine(RunContext& ctx, std::string_view line);

}  // namespace orvant
