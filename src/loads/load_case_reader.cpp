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

// An analysis comment: a line beginning "ACOM", from its 6th character on,
// trailing blanks removed.
void KeepIfAnalysisComment(std::string_view line, std::vector<std::string>& comments) {
  if (line.substr(0, 4) != "ACOM") return;
  std::string_view comment = line.size() > 5 ? line.substr(5) : std::string_view();
  const size_t end = comment.find_last_not_of(' ');
  comments.emplace_back(end == std::string_view::npos ? std::string_view() : comment.substr(0, end + 1));
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

LoadCaseReader::LoadCaseReader(const RunSettings& settings, const ModelTables& model, CommentFile& comments,
                               FileSystem& fileSystem)
    : s(settings), m(model), files(fileSystem), parse(comments, fileSystem) {}

void LoadCaseReader::Restart(bool headerLinesOnly, int16_t from) {
  headerOnly = headerLinesOnly;
  current = from;
  given = false;
  if (!headerOnly) ResetLoadCase(s, lc);
}

void LoadCaseReader::ParseCaseFile(const std::string& name, bool headerLinesOnly) {
  const int16_t mode = headerLinesOnly ? 1 : 0;
  std::string_view line;
  const auto kept = headerLines.find(name);
  if (headerLinesOnly && kept != headerLines.end()) {
    LineReader lines(kept->second);
    while (lines.Next(line)) ParseLoadCaseLine(s, m, parse, lc, line, 1);
    return;
  }

  // In the pass the case may have been read (and its data lines split)
  // ahead; the next one is read ahead while this one is parsed and listed.
  // (A header-only read has too little to do for that to pay.)
  parse.splitLines.clear();
  parse.splitCursor = 0;
  if (headerLinesOnly || !ahead.TakeCase(name, caseText, parse.splitLines, splitResumeAt))
    files.ReadFile(name, caseText);
  if (!headerLinesOnly) {
    ahead.ReadCase(s, files, current);
    lc.analysisComments.clear();
  }

  const bool keepHeaders = kept == headerLines.end();
  std::string headers;
  // The lines found ahead first, then the rest of the text.
  LineReader lines(caseText.View());
  size_t next = 0;
  const auto nextLine = [&](std::string_view& into) {
    if (next < parse.splitLines.size()) {
      into = parse.splitLines[next++].raw;
      if (next == parse.splitLines.size()) lines.pos = splitResumeAt;
      return true;
    }
    return lines.Next(into);
  };
  while (nextLine(line)) {
    if (keepHeaders) KeepIfHeaderLine(line, headers);
    // A header-only read need not look at any other line.
    if (headerLinesOnly && !MayBeHeaderLine(line)) continue;
    ParseLoadCaseLine(s, m, parse, lc, line, mode);
    if (!headerLinesOnly) KeepIfAnalysisComment(line, lc.analysisComments);
  }
  if (keepHeaders) headerLines.emplace(name, std::move(headers));
  parse.splitLines.clear();
}

// The ".#" file: Fx, Fy, Fz, then (for the listed case) the two analysis
// texts.
void LoadCaseReader::ReadSavedTotals(int16_t c, bool withTexts) {
  lc.savedTotalsPresent = 0;
  const std::string name = SavedTotalsFileName(s, c);
  if (!files.FileExists(name)) return;
  lc.savedTotalsPresent = 1;
  const auto kept = savedTotalsText.find(name);
  TextValues values(kept != savedTotalsText.end() ? kept->second : files.ReadFile(name), name);
  for (float& total : lc.SavedTotals) total = static_cast<float>(values.Number());
  if (!withTexts) return;
  lc.analysisText1 = values.Text();
  lc.analysisText2 = values.Text();
}

const LoadCase* LoadCaseReader::Next() {
  if (given && current <= s.MaxLoadLabel) current = Add16(current, 1);
  given = false;
  int16_t c = current;
  // The case is created empty for every number tried; numbers that are
  // skipped change nothing, so once before the search is the same.
  if (c <= s.MaxLoadLabel) {
    ResetLoadCase(s, lc);
    parse.commentCounter = 0;
  }
  for (; c <= s.MaxLoadLabel; c = Add16(c, 1)) {
    if (s.SelectedCaseCount != 0 && s.SelectedLoadCases[c] == 0) continue;
    const std::string name = LoadCaseFileName(s, c);
    if (!files.FileExists(name)) continue;

    current = c;
    given = true;
    lc.label = c;
    lc.scaseText.clear();
    ParseCaseFile(name, headerOnly);
    lc.elementTempPress.SortWritten();
    ReadSavedTotals(c, true);
    return &lc;
  }
  current = c;
  return nullptr;
}

bool LoadCaseReader::ReadCombinationCase(int16_t label) {
  const std::string name = LoadCaseFileName(s, label);
  if (!files.FileExists(name)) {
    lc.SavedTotals = {0.0f, 0.0f, 0.0f};
    return false;
  }
  lc.scaseText.clear();
  ParseCaseFile(name, true);
  ReadSavedTotals(label, false);
  return true;
}

void LoadCaseReader::ReadHeadersAhead() { ahead.ReadHeaders(s, files); }

void LoadCaseReader::TakeHeadersAhead() { ahead.TakeHeaders(headerLines, savedTotalsText); }

}  // namespace orvant
