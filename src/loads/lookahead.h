#pragma once
// Reading ahead on a second thread: while one case is listed, the next
// case's file is read and its data lines are split, so that the parser
// finds them split when it gets there; while the model data is listed,
// every case file's header lines and every ".#" file are read for the
// summaries. Splitting and reading have no effect on anything else: the
// reader does everything else, in order, as without them, and a file that
// cannot be read ahead is read (and fails) in its place.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/file_system.h"
#include "loads/load_cases.h"

namespace orvant {

struct RunSettings;

// The worker thread and its job live in lookahead.cpp; the read-ahead
// holds one through this pointer, which stops the thread when let go.
struct CaseLookahead;
struct CaseLookaheadStop {
  void operator()(CaseLookahead* ahead) const;
};
using CaseLookaheadPtr = std::unique_ptr<CaseLookahead, CaseLookaheadStop>;

// File name -> text kept of it.
using TextsByName = std::unordered_map<std::string, std::string>;

struct ReadAhead {
  CaseLookaheadPtr worker;  // started when first needed

  // Has every case file that the run may read, and its ".#" file, read on
  // the second thread: the header lines of the case files are picked out,
  // the ".#" files kept whole.
  void ReadHeaders(const RunSettings& s, FileSystem& files);
  // Waits for what ReadHeaders read and adds it to headerLines (the
  // header lines of a case file, as a header-only read would keep them)
  // and savedTotals (".#" texts).
  void TakeHeaders(TextsByName& headerLines, TextsByName& savedTotals);

  // Reads the file of the first case to be read after case `after` and has
  // it split. Nothing is read ahead when there is none, or while the
  // headers job is not taken.
  void ReadCase(const RunSettings& s, FileSystem& files, int16_t after);
  // When `name` was read ahead: its text goes to text, its first lines
  // split to lines, where the lines after them begin to resumeAt, and true
  // is returned.
  bool TakeCase(const std::string& name, TextBuffer& text, std::vector<SplitLine>& lines, size_t& resumeAt);
};

// The split of `line` when it was split ahead, or nullptr. The parser's
// lines come in order: cursor goes on from where the last look-up left it.
const SplitLine* FindSplitLine(const std::vector<SplitLine>& lines, size_t& cursor, std::string_view line);

}  // namespace orvant
