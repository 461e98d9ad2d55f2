// The load case reader: finds the next load case file to read, resets the
// load case record, parses the file line by line and reads the case's ".#"
// file of saved analysis totals.
#include <string_view>

#include "loads/load_cases.h"
#include "run/checked.h"
#include "run/run_context.h"
#include "run/text_values.h"

namespace orvant {

namespace {

constexpr int16_t kCommandSlots = 100;

template <class T>
void CreateEntries(EntryTable<T>& table, int16_t capacity) {
  table.count = 0;
  table.entries.Size(capacity);
}

void CreateCommands(CommandLines& commands) {
  commands.count = 0;
  commands.lines.Size(kCommandSlots);
}

std::string Decimal(int16_t n) { return std::to_string(static_cast<int>(n)); }

// The ".#" file: Fx, Fy, Fz, then the two analysis texts.
void ReadSavedTotals(RunContext& ctx, int16_t c) {
  LoadCaseRecord& r = ctx.loads;
  r.savedTotalsPresent = 0;
  std::string name = ctx.settings.ModelPath + ".#" + Decimal(c);
  if (!ctx.files.FileExists(name)) return;
  r.savedTotalsPresent = 1;
  TextValues values(ctx.files.ReadFile(name), name);
  for (int k = 0; k < 3; ++k) r.SavedTotals[k] = static_cast<float>(values.Number());
  r.analysisText1 = values.Text();
  r.analysisText2 = values.Text();
}

}  // namespace

void ResetLoadCaseRecord(RunContext& ctx) {
  const RunSettings& s = ctx.settings;
  LoadCaseRecord& r = ctx.loads;
  r.capacity = Add16(s.LoadItemCapacity, 2);

  CreateEntries(r.prescribedDisplacements, r.capacity);
  CreateEntries(r.nodalLoads, r.capacity);
  CreateEntries(r.nodalTemperatures, r.capacity);
  CreateEntries(r.pointLoads, r.capacity);
  CreateEntries(r.distributedLoads, r.capacity);
  CreateEntries(r.faceLoads, r.capacity);

  r.elementTempPress.Size(s.MaxElementLabel);
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

void ReadNextLoadCase(RunContext& ctx) {
  RunSettings& s = ctx.settings;
  LoadCaseRecord& r = ctx.loads;
  int16_t c = s.CurrentLoadCase;
  // The record is reset for every number tried; numbers that are skipped
  // change nothing, so one reset before the search is the same.
  if (c <= s.MaxLoadLabel) ResetLoadCaseRecord(ctx);
  for (; c <= s.MaxLoadLabel; c = Add16(c, 1)) {
    if (s.SelectedCaseCount != 0 && s.SelectedLoadCases[c] == 0) continue;
    std::string name = s.ModelPath + ".L" + Decimal(c);
    if (!ctx.files.FileExists(name)) continue;

    s.CurrentLoadCase = c;
    r.lastCaseFile = name;
    std::string text = ctx.files.ReadFile(name);
    r.scaseText.clear();
    LineReader lines(text);
    std::string_view line;
    while (lines.Next(line)) ParseLoadCaseLine(ctx, std::string(line), r.HeaderOnlyMode);

    ReadSavedTotals(ctx, c);
    return;
  }
  s.CurrentLoadCase = c;
}

}  // namespace orvant
