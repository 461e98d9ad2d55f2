#pragma once
// Reading ahead on a second thread: while one case is listed, the next one
// is read and parsed whole; while the model data is listed, every case
// file's header lines and every ".#" file are read for the summaries. The
// reader finds the files (the file lookup is the listing thread's alone)
// and does, on its own thread and in order, everything whose effect shows:
// it writes the comment records that the parse kept and raises a failure
// the parse met, where the case is taken. So the listing stops where it
// would stop with the case read in its place.
#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/file_system.h"
#include "loads/load_cases.h"

namespace orvant {

struct RunSettings;
struct ModelTables;
struct LoadCase;

// File name -> text kept of it.
using TextsByName = std::unordered_map<std::string, std::string>;

// One case to be read whole: set up by the reader, filled by ReadWholeCase.
struct WholeCaseJob {
  int16_t label{};
  std::string caseFile;                   // the Linux path of the case file
  bool totalsExist{};                     // it has a ".#" file:
  const std::string* totalsText = nullptr;  // read ahead, or
  std::string totalsFile;                 // to be read, at this Linux path
  LoadCase* lc = nullptr;                 // the case to fill (carried texts set)

  TextBuffer text;             // the case file's text as read (the comments are views into it)
  CaseParse parse;             // its comment numbering, from 0
  std::exception_ptr failure;  // what stopped the read, if anything did
};

// Reads the case of the job as the reader reads a whole case: the case's
// tables created empty, every line parsed, the ".#" file read. A failure is
// kept in the job, with what was parsed before it.
void ReadWholeCase(const RunSettings& s, const ModelTables& m, WholeCaseJob& job);

// The worker thread and its jobs live in lookahead.cpp; the read-ahead
// holds one through this pointer, which stops the thread when let go.
struct CaseLookahead;
struct CaseLookaheadStop {
  void operator()(CaseLookahead* ahead) const;
};
using CaseLookaheadPtr = std::unique_ptr<CaseLookahead, CaseLookaheadStop>;

struct ReadAhead {
  CaseLookaheadPtr worker;  // started when first needed

  // Has every case file that the run may read, and its ".#" file, read on
  // the second thread: the header lines of the case files are picked out,
  // the ".#" files kept whole.
  void ReadHeaders(const RunSettings& s, FileSystem& files);
  // Waits for what ReadHeaders read and moves it, once, into headerLines (the
  // header lines of a case file, as a header-only read would keep them)
  // and savedTotals (".#" texts).
  void TakeHeaders(TextsByName& headerLines, TextsByName& savedTotals);

  // Has the job done on the second thread; WaitCase waits until it is.
  // The job and its case are the worker's until then.
  void ReadCase(const RunSettings& s, const ModelTables& m, WholeCaseJob& job);
  void WaitCase();
};

}  // namespace orvant
