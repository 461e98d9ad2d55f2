// The load case reader: finds the next load case file to read, resets the
// load case record, parses the file line by line and reads the case's ".#"
// file of saved analysis totals.
#include <string_view>
#include <utility>

#include "base/checked.h"
#include "base/file_system.h"
#include "base/text_values.h"
#include "loads/comment_file.h"
#include "loads/load_case_record.h"
#include "loads/load_cases.h"
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

// The ".#" file: Fx, Fy, Fz, then the two analysis texts.
void ReadSavedTotals(const RunSettings& s, LoadCaseRecord& r, FileSystem& files, int16_t c) {
  r.savedTotalsPresent = 0;
  std::string name = SavedTotalsFileName(s, c);
  if (!files.FileExists(name)) return;
  r.savedTotalsPresent = 1;
  const auto ahead = r.savedTotalsText.find(name);
  TextValues values(ahead != r.savedTotalsText.end() ? ahead->second : files.ReadFile(name), name);
  for (int k = 0; k < 3; ++k) r.SavedTotals[k] = static_cast<float>(values.Number());
  r.analysisText1 = values.Text();
  r.analysisText2 = values.Text();
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

void ResetLoadCaseRecord(const RunSettings& s, LoadCaseRecord& r) {
  r.capacity = Add16(s.LoadItemCapacity, 2);

  CreateEntries(r.prescribedDisplacements, r.capacity);
  CreateEntries(r.nodalLoads, r.capacity);
  CreateEntries(r.nodalTemperatures, r.capacity);
  CreateEntries(r.pointLoads, r.capacity);
  CreateEntries(r.distributedLoads, r.capacity);
  CreateEntries(r.faceLoads, r.capacity);

  r.elementTempPress.Reset(s.MaxElementLabel);
  r.elementTempPressCount = 0;
  r.propertyUdl.Size(s.PhysicalPropertyCount);
  r.propertyUdlGiven = 0;
  r.propertyTempPress.Size(s.PhysicalPropertyCount);
  r.propertyTempPressGiven = 0;

  CreateCommands(r.interpretedElementCommands);
  CreateCommands(r.interpretedCoupleCommands);

  r.commentCounter = 0;
  r.acceleration = {};
  r.savedTotalLoad = {};
  r.centreOfForce = {};
  // description, dateText, timeText and ambientTemperature carry over.
}

void ParseLoadCaseFile(const RunSettings& s, const ModelTables& m, LoadCaseRecord& r, CommentFile& c, FileSystem& files,
                       const std::string& name, int16_t headerOnly, bool readAhead) {
  std::string_view line;
  const auto kept = r.headerLines.find(name);
  if (headerOnly == 1 && kept != r.headerLines.end()) {
    LineReader lines(kept->second);
    while (lines.Next(line)) ParseLoadCaseLine(s, m, r, c, files, line, 1);
    return;
  }

  // The text stays for the analysis comments of the case end. In the pass
  // the case may have been read (and its data lines split) ahead; the next
  // one is read ahead while this one is parsed and listed. (A header-only
  // read has too little to do for that to pay.)
  r.lastCaseTextFile.clear();
  r.splitLines.clear();
  const bool full = headerOnly != 1;
  if (!full || !TakeReadAhead(r, name)) files.ReadFile(name, r.lastCaseText);
  r.lastCaseTextFile = name;
  if (full && readAhead) ReadAhead(s, r, files, s.CurrentLoadCase);

  const bool keepHeaders = kept == r.headerLines.end();
  std::string headers;
  // The lines found ahead first, then the rest of the text.
  LineReader lines(r.lastCaseText.View());
  size_t next = 0;
  const auto nextLine = [&](std::string_view& into) {
    if (next < r.splitLines.size()) {
      into = r.splitLines[next++].raw;
      if (next == r.splitLines.size()) lines.pos = r.splitResumeAt;
      return true;
    }
    return lines.Next(into);
  };
  while (nextLine(line)) {
    if (keepHeaders) KeepIfHeaderLine(line, headers);
    // A header-only read need not look at any other line.
    if (headerOnly != 1 || MayBeHeaderLine(line)) ParseLoadCaseLine(s, m, r, c, files, line, headerOnly);
  }
  if (keepHeaders) r.headerLines.emplace(name, std::move(headers));
  r.splitLines.clear();
}

void ReadNextLoadCase(RunSettings& s, const ModelTables& m, LoadCaseRecord& r, CommentFile& comments,
                      FileSystem& files) {
  int16_t c = s.CurrentLoadCase;
  // The record is reset for every number tried; numbers that are skipped
  // change nothing, so one reset before the search is the same.
  if (c <= s.MaxLoadLabel) ResetLoadCaseRecord(s, r);
  for (; c <= s.MaxLoadLabel; c = Add16(c, 1)) {
    if (s.SelectedCaseCount != 0 && s.SelectedLoadCases[c] == 0) continue;
    std::string name = LoadCaseFileName(s, c);
    if (!files.FileExists(name)) continue;

    s.CurrentLoadCase = c;
    r.lastCaseFile = name;
    r.scaseText.clear();
    ParseLoadCaseFile(s, m, r, comments, files, name, r.HeaderOnlyMode, true);

    ReadSavedTotals(s, r, files, c);
    return;
  }
  s.CurrentLoadCase = c;
}

}  // namespace orvant
