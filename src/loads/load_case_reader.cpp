// The load case reader: finds the next load case file to read, creates the
// case's tables empty, parses the file line by line and reads the case's
// ".#" file of saved analysis totals.
#include "loads/load_case_reader.h"

#include <string_view>
#include <utility>

#include "base/checked.h"
#include "base/text_values.h"
#include "model/model_tables.h"
#include "settings/run_settings.h"

namespace orvant {

namespace {

constexpr int16_t kCommandSlots = 100;

// An entry is set to T{} when it is added, so storage of the right size is
// kept as it is: only the count starts again.
template <class T>
void CreateEntries(EntryTable<T>& table, int16_t capacity) {
  table.count = 0;
  if (table.entries.MaxIndex() != capacity) table.entries.Size(capacity);
}

void CreateCommands(CommandLines& commands) {
  commands.count = 0;
  commands.lines.Size(kCommandSlots);
}

}  // namespace

std::string LoadCaseFileName(const RunSettings& s, int c) { return s.ModelPath + ".L" + std::to_string(c); }

std::string SavedTotalsFileName(const RunSettings& s, int c) { return s.ModelPath + ".#" + std::to_string(c); }

bool MayBeHeaderLine(std::string_view line) {
  const char first = line.empty() ? '\0' : static_cast<char>(line[0] & ~0x20);
  return first == 'C' || first == 'L' || first == 'S' || first == 'A';
}

void KeepIfHeaderLine(std::string_view line, std::string& headers) {
  if (!MayBeHeaderLine(line)) return;
  headers.append(line);
  headers.push_back('\n');
}

void ResetLoadCase(const RunSettings& s, LoadCase& lc) {
  const int16_t capacity = Add16(s.LoadItemCapacity, 2);

  CreateEntries(lc.prescribedDisplacements, capacity);
  CreateEntries(lc.nodalLoads, capacity);
  CreateEntries(lc.nodalTemperatures, capacity);
  CreateEntries(lc.pointLoads, capacity);
  CreateEntries(lc.distributedLoads, capacity);
  CreateEntries(lc.faceLoads, capacity);

  lc.elementTempPress.Reset(s.MaxElementLabel);
  lc.elementTempPressCount = 0;
  lc.propertyUdl.Size(s.PhysicalPropertyCount);
  lc.propertyUdlGiven = 0;
  lc.propertyTempPress.Size(s.PhysicalPropertyCount);
  lc.propertyTempPressGiven = 0;

  CreateCommands(lc.interpretedElementCommands);
  CreateCommands(lc.interpretedCoupleCommands);

  lc.acceleration = {};
  lc.savedTotalLoad = {};
  lc.centreOfForce = {};
  // description, dateText, timeText and ambientTemperature carry over.
}

LoadCaseReader::LoadCaseReader(const RunSettings& settings, const ModelTables& model, CommentFile& commentFile,
                               FileSystem& fileSystem)
    : s(settings), m(model), comments(commentFile), files(fileSystem) {}

void LoadCaseReader::DropReadAhead() {
  if (aheadHanded) ahead.WaitCase();
  aheadHanded = false;
  searchFailure = nullptr;
}

void LoadCaseReader::Restart(bool headerLinesOnly, int16_t from) {
  DropReadAhead();
  headerOnly = headerLinesOnly;
  current = from;
  gave = false;
  if (!headerOnly) ResetLoadCase(s, Shown());
}

void LoadCaseReader::ParseHeaderLines(const std::string& name) {
  std::string_view line;
  const auto kept = headerLines.find(name);
  // The comments parsed are written when the parse ends, as it ends.
  try {
    if (kept != headerLines.end()) {
      LineReader lines(kept->second);
      while (lines.Next(line)) ParseLoadCaseLine(s, m, parse, Shown(), line, 1);
    } else {
      files.ReadFile(name, caseText);
      std::string headers;
      LineReader lines(caseText.View());
      while (lines.Next(line)) {
        // A header-only read need not look at any other line.
        if (!MayBeHeaderLine(line)) continue;
        KeepIfHeaderLine(line, headers);
        ParseLoadCaseLine(s, m, parse, Shown(), line, 1);
      }
      headerLines.emplace(name, std::move(headers));
    }
  } catch (...) {
    WriteParsedComments(parse, comments, files);
    throw;
  }
  WriteParsedComments(parse, comments, files);
}

void ReadSavedTotals(std::string text, const std::string& name, bool withTexts, LoadCase& lc) {
  TextValues values(std::move(text), name);
  for (float& total : lc.SavedTotals) total = static_cast<float>(values.Number());
  if (!withTexts) return;
  lc.analysisText1 = values.Text();
  lc.analysisText2 = values.Text();
}

// The ".#" file of case c, for a header-only read (read ahead, or read now).
void LoadCaseReader::ReadTotalsFile(int16_t c, bool withTexts) {
  LoadCase& lc = Shown();
  lc.savedTotalsPresent = 0;
  const std::string name = SavedTotalsFileName(s, c);
  if (!files.FileExists(name)) return;
  lc.savedTotalsPresent = 1;
  const auto kept = savedTotalsText.find(name);
  ReadSavedTotals(kept != savedTotalsText.end() ? kept->second : files.ReadFile(name), name, withTexts, lc);
}

const LoadCase* LoadCaseReader::NextHeaderLines() {
  int16_t c = current;
  // The case is created empty for every number tried; numbers that are
  // skipped change nothing, so once before the search is the same.
  if (c <= s.MaxLoadLabel) {
    ResetLoadCase(s, Shown());
    parse.commentCounter = 0;
  }
  for (; c <= s.MaxLoadLabel; c = Add16(c, 1)) {
    if (s.SelectedCaseCount != 0 && s.SelectedLoadCases[c] == 0) continue;
    const std::string name = LoadCaseFileName(s, c);
    if (!files.FileExists(name)) continue;

    current = c;
    gave = true;
    LoadCase& lc = Shown();
    lc.label = c;
    lc.scaseText.clear();
    ParseHeaderLines(name);
    lc.elementTempPress.SortWritten();
    ReadTotalsFile(c, true);
    return &lc;
  }
  current = c;
  return nullptr;
}

void LoadCaseReader::HandWholeRead(int16_t from) {
  const int slot = 1 - shown;
  WholeCaseJob& job = jobs[slot];
  LoadCase& next = cases[slot];
  job.failure = nullptr;
  job.parse.commentCounter = 0;
  job.parse.comments.clear();
  aheadHanded = true;
  aheadSlot = slot;
  aheadFrom = from;

  int16_t c = from;
  try {
    for (; c <= s.MaxLoadLabel; c = Add16(c, 1)) {
      if (s.SelectedCaseCount != 0 && s.SelectedLoadCases[c] == 0) continue;
      if (files.FileExists(LoadCaseFileName(s, c))) break;
    }
  } catch (...) {
    searchFailure = std::current_exception();
    return;
  }
  job.label = c;
  if (c > s.MaxLoadLabel) return;  // none left: nothing to read

  // What one case carries to the next (the saved totals and their texts are
  // read afresh for every case, and used only when its ".#" file is there).
  const LoadCase& last = Shown();
  next.label = last.label;
  next.description = last.description;
  next.dateText = last.dateText;
  next.timeText = last.timeText;
  next.ambientTemperature = last.ambientTemperature;

  job.caseFile = files.FoundFile(LoadCaseFileName(s, c)).value_or(std::string());
  const std::string totals = SavedTotalsFileName(s, c);
  job.totalsExist = files.FileExists(totals);
  job.totalsText = nullptr;
  job.totalsFile.clear();
  if (job.totalsExist) {
    const auto keptTotals = savedTotalsText.find(totals);
    if (keptTotals != savedTotalsText.end())
      job.totalsText = &keptTotals->second;
    else
      job.totalsFile = files.FoundFile(totals).value_or(std::string());
  }
  job.lc = &next;
  ahead.ReadCase(s, m, job);
}

const LoadCase* LoadCaseReader::Next() {
  if (gave && current <= s.MaxLoadLabel) current = Add16(current, 1);
  gave = false;
  if (headerOnly) return NextHeaderLines();

  // The case from `current` on: read ahead while the one before was listed,
  // or read now.
  if (!aheadHanded || aheadFrom != current) {
    DropReadAhead();
    HandWholeRead(current);
  }
  ahead.WaitCase();
  aheadHanded = false;
  if (searchFailure) {
    const std::exception_ptr failure = searchFailure;
    searchFailure = nullptr;
    std::rethrow_exception(failure);
  }
  WholeCaseJob& job = jobs[aheadSlot];
  if (job.label > s.MaxLoadLabel) {
    // None left; the search started with the case created empty.
    if (aheadFrom <= s.MaxLoadLabel) ResetLoadCase(s, Shown());
    current = job.label;
    return nullptr;
  }
  // What the read did that shows, in its place: the comment records, then
  // the failure that stopped it.
  shown = aheadSlot;
  parse.commentCounter = job.parse.commentCounter;
  WriteParsedComments(job.parse, comments, files);
  if (job.failure) std::rethrow_exception(job.failure);
  current = job.label;
  gave = true;
  // The next one is read while this one is listed.
  if (current < s.MaxLoadLabel) HandWholeRead(static_cast<int16_t>(current + 1));  // equivalent: arithmetic, constant (a read-ahead of another case is dropped and the case read then: only slower)
  return &Shown();
}

bool LoadCaseReader::ReadCombinationCase(int16_t label) {
  const std::string name = LoadCaseFileName(s, label);
  LoadCase& lc = Shown();
  if (!files.FileExists(name)) {
    lc.SavedTotals = {0.0f, 0.0f, 0.0f};
    return false;
  }
  lc.scaseText.clear();
  ParseHeaderLines(name);
  ReadTotalsFile(label, false);
  return true;
}

void LoadCaseReader::ReadHeadersAhead() { ahead.ReadHeaders(s, files); }

void LoadCaseReader::TakeHeadersAhead() { ahead.TakeHeaders(headerLines, savedTotalsText); }

}  // namespace orvant
