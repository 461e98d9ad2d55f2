#pragma once
// The load case reader: finds the next load case file to read, parses it
// into the one LoadCase it refills for every case, and reads the case's
// ".#" file of saved analysis totals. It owns everything reading needs and
// printing does not: the case files' texts, the header lines and ".#"
// texts kept from earlier reads, the read-ahead thread, the comment file's
// numbering, the choice of header-only reads and the current case number.
#include <cstdint>
#include <exception>
#include <string>

#include "base/file_system.h"
#include "loads/load_case.h"
#include "loads/load_cases.h"
#include "loads/lookahead.h"

namespace orvant {

struct RunSettings;
struct ModelTables;
struct CommentFile;

// Creates every table of the case empty at the capacity (LoadItemCapacity
// + 2, which must fit 16 bits) and clears what its data lines set; the
// header texts carry over.
void ResetLoadCase(const RunSettings& s, LoadCase& lc);

// The ".#" figures of a case from the file's text: Fx, Fy, Fz, then
// (withTexts) the two analysis texts.
void ReadSavedTotals(std::string text, const std::string& name, bool withTexts, LoadCase& lc);

struct LoadCaseReader {
  LoadCaseReader(const RunSettings& s, const ModelTables& m, CommentFile& comments, FileSystem& files);
  LoadCaseReader(const LoadCaseReader&) = delete;
  LoadCaseReader& operator=(const LoadCaseReader&) = delete;

  // From here on, cases are read from case `from` upward, whole or their
  // header lines only. A whole read starts by creating every table of the
  // case empty at the capacity (LoadItemCapacity + 2, which must fit 16
  // bits); the comment numbering goes on.
  void Restart(bool headerOnly, int16_t from = 0);
  // The next case: from the current number upward (past the case given
  // last), the first one that is selected and has a file, read as
  // Restart chose; nullptr when none is left up to MaxLoadLabel. The
  // case stays valid until the reader reads again.
  const LoadCase* Next();
  // Reads case `label` for a load combination: its header lines (nothing
  // is reset, the comment numbering goes on) and the three totals of its
  // ".#" file. For a case without a file the totals are 0, the presence
  // flag stays as the case read before left it, and false is returned.
  bool ReadCombinationCase(int16_t label);
  // The case as the last read left it.
  const LoadCase& Case() const { return cases[shown]; }

  // Every case file that the run may read, and its ".#" file, read on the
  // second thread meanwhile (for the summaries); taken by the next reads.
  void ReadHeadersAhead();
  void TakeHeadersAhead();

 private:
  const RunSettings& s;
  const ModelTables& m;
  CommentFile& comments;
  FileSystem& files;
  // Two cases: the one given last, and the next one, read ahead into the
  // other while the first is listed.
  LoadCase cases[2];
  WholeCaseJob jobs[2];
  int shown = 0;           // the case Case() shows
  bool gave = false;       // Next gave case `current`
  CaseParse parse;         // header-only reads, and the comment numbering
  int16_t current = 0;     // the case number read or searched for
  bool headerOnly = false;
  // A whole read handed over (jobs[aheadSlot], searched from aheadFrom), or
  // a search that failed before anything could be read.
  bool aheadHanded = false;
  int aheadSlot = 0;
  int16_t aheadFrom{};
  std::exception_ptr searchFailure;

  // The text of the case file read last by a header-only read; per case
  // file read so far, the lines on which a header-only read acts (a later
  // header-only read replays them); ".#" files read ahead.
  TextBuffer caseText;
  TextsByName headerLines;
  TextsByName savedTotalsText;
  ReadAhead ahead;

  LoadCase& Shown() { return cases[shown]; }
  void DropReadAhead();
  const LoadCase* NextHeaderLines();
  // Finds the first case from `from` on and hands its whole read over,
  // into the case not shown.
  void HandWholeRead(int16_t from);
  void ParseHeaderLines(const std::string& name);
  void ReadTotalsFile(int16_t c, bool withTexts);
};

}  // namespace orvant
