#include "run/startup.h"

#include <cstdlib>
#include <exception>
#include <memory>
#include <thread>

#include "listing/title_block.h"
#include "loads/load_cases.h"
#include "loads/lookahead.h"
#include "model/geometry.h"
#include "run/run_context.h"
#include "run/text_values.h"
#include "sections/sections.h"
#include "summaries/summaries.h"

namespace orvant {

namespace {

const char kLoadLabelMessage[] = "Load label too high - Check or reset CONFIG.INI for maximum";

std::string TrimSpaces(const std::string& s) {
  size_t b = s.find_first_not_of(' ');
  if (b == std::string::npos) return "";
  size_t e = s.find_last_not_of(' ');
  return s.substr(b, e - b + 1);
}

std::string TrimLeadingSpaces(const std::string& s) {
  size_t b = s.find_first_not_of(' ');
  return b == std::string::npos ? "" : s.substr(b);
}

int16_t NumberOf(const std::string& text) { return ToInt16(LeadingNumber(text)); }

// Combination selection: the load combination file of that combination.
void ReadCombinationSelection(RunContext& ctx) {
  RunSettings& s = ctx.settings;
  std::string name = s.ModelPath + ".C" + s.CombinationSelection;
  if (!ctx.FileExists(name)) {
    s.CombinationSelection.clear();
    return;
  }
  TextValues values(ctx.ReadFile(name), name);
  s.SelectedCaseCount = values.Int16();
  for (int i = 1; i <= s.SelectedCaseCount; ++i) {
    int16_t label = values.Int16();
    values.Number();  // the load factor is not used here
    s.SelectedLoadCases[label] = 1;
  }
}

// Results set selection: a heading, then combination labels to the end.
void ReadResultsSetSelection(RunContext& ctx) {
  RunSettings& s = ctx.settings;
  std::string name = s.ModelPath + ".Q" + s.ResultsSetSelection;
  if (!ctx.FileExists(name)) {
    s.ResultsSetSelection.clear();
    return;
  }
  TextValues values(ctx.ReadFile(name), name);
  values.Text();
  while (!values.AtEnd()) {
    std::string v = values.Text();
    if (v.empty()) continue;
    s.SelectedCombinations[NumberOf(v)] = 1;
    s.SelectedCombinationCount = Add16(s.SelectedCombinationCount, 1);
  }
}

}  // namespace

// The numeric option fields, by command line field number.
static int16_t* NumericOption(RunSettings& s, int fieldNo) {
  switch (fieldNo) {
    case 2: return &s.ListLoadCases;
    case 3: return &s.ListLoadCaseSummary;
    case 4: return &s.ListCombinationSummary;
    case 5: return &s.ListUmFiles;
    case 6: return &s.ListGroupSetSummary;
    case 7: return &s.ListResultsSetSummary;
    case 8: return &s.ListCombinations;
    case 9: return &s.ListGroupSets;
    case 10: return &s.ListModelFiles;
    case 11: return &s.ListBrFiles;
    case 13: return &s.GroupFilter;
    case 14: return &s.GroupedOnly;
    default: return nullptr;
  }
}

void StoreOptionField(RunSettings& s, int fieldNo, const std::string& text, std::string& field1) {
  if (int16_t* number = NumericOption(s, fieldNo)) {
    *number = NumberOf(text);
    return;
  }
  switch (fieldNo) {
    case 1: field1 = text; break;
    case 12: s.ActiveGroupSet = text; break;
    case 15: s.ListingName = text; break;
    case 16: s.CombinationSelection = text; break;
    case 17: s.ResultsSetSelection = text; break;
    default: break;  // fields beyond 17 are ignored
  }
}

void ParseCommandLine(RunSettings& s, const std::string& commandLine, std::string& field1) {
  size_t start = 0;
  int fieldNo = 1;
  for (size_t i = 0; i < commandLine.size(); ++i) {
    if (commandLine[i] != '/') continue;
    StoreOptionField(s, fieldNo, commandLine.substr(start, i - start), field1);
    if (fieldNo < 18) ++fieldNo;
    start = i + 1;
  }
}

// in.CNT holds the listing name first, then the fields in command line order.
void ReadRunControl(RunSettings& s, const std::string& text, const std::string& fileName, std::string& field1) {
  TextValues values(text, fileName);
  s.ListingName = values.Text();
  field1 = values.Text();
  for (int fieldNo = 2; fieldNo <= 11; ++fieldNo) *NumericOption(s, fieldNo) = values.Int16();
  s.ActiveGroupSet = values.Text();
  s.GroupFilter = values.Int16();
  s.GroupedOnly = values.Int16();
  s.CombinationSelection = values.Text();
  s.ResultsSetSelection = values.Text();
}

void ReadConfig(RunSettings& s, const std::string& text, const std::string& fileName) {
  TextValues values(text, fileName);
  values.Text();
  s.LoadItemCapacity = Add16(values.Int16(), 2);
  for (int entry = 2; entry <= 5; ++entry) {
    values.Text();
    values.Number();
  }
  values.Text();
  s.MaxLoadLabel = values.Int16();
}

void ReadModelSize(RunSettings& s, const std::string& text, const std::string& fileName) {
  TextValues v(text, fileName);
  v.Text();
  s.ModelName = v.Text();
  s.AnalysisDescription = v.Text();
  s.DefinitionUnits = v.Text();
  s.DateCreated = v.Text();
  s.TimeCreated = v.Text();
  s.MaxElementLabel = v.Int16();
  s.MaxSpringLabel = v.Int16();
  s.MaxNodeLabel = v.Int16();
  s.RestrainedNodeCount = v.Int16();
  s.PhysicalPropertyCount = v.Int16();
  s.MaterialPropertyCount = v.Int16();
  s.SpringPropertyCount = v.Int16();
  v.Text();
  v.Text();
  s.AddDescription = v.Text();
  s.CreatedChecked = v.Text();
  s.JobReference = v.Text();
  v.Text();
  s.ImperialUnits = v.Int16();
}

void DeriveOptionSettings(RunSettings& s, const std::string& field1) {
  if (TrimSpaces(s.ActiveGroupSet) == "-") s.BriefModelData = 1;
  s.CombinationSelection = TrimLeadingSpaces(s.CombinationSelection);
  s.ResultsSetSelection = TrimLeadingSpaces(s.ResultsSetSelection);

  if (!field1.empty() && field1[0] == '-') s.ConvertedUnits = 1;
  int16_t listModelData = NumberOf(field1);
  s.ListModelData = Narrow16(listModelData < 0 ? -static_cast<long long>(listModelData) : listModelData);
  if (s.GroupFilter < 0) {
    s.GroupLimit = Narrow16(-static_cast<long long>(s.GroupFilter));
    s.GroupRangeMode = 1;
  } else {
    s.GroupLimit = 1;
  }
  if (UpperAscii(s.ListingName) == "NONE" || s.ListingName.empty())
    s.ListingName.clear();
  else
    s.ListingName = TrimSpaces(s.ListingName).insert(0, 1, '.');
  s.ListingPath = s.ModelPath + s.ListingName + ".MTM";
}

void StartUp(RunContext& ctx, const std::string& commandLine) {
  RunSettings& s = ctx.settings;
  ctx.batch = !commandLine.empty();

  SettingsStore store = SettingsStore::Load(SettingsFilePath());
  s.DataDirectory = store.Get("Setup", "Files1");
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    std::string dir = store.Get("Drives", std::string(1, letter));
    if (!dir.empty()) ctx.files.drives[letter] = dir;
  }

  {
    std::string name = s.DataDirectory + (ctx.batch ? "\\BATCH.NAM" : "\\MODEL.NAM");
    TextValues values(ctx.ReadFile(name), name);
    s.ModelPath = values.Text();
    s.OriginDirectory = values.Text();
    s.OriginDirectory = values.Text();
  }

  if (!ctx.batch) ctx.progress.Show();

  std::string configName = s.DataDirectory + "\\config.ini";
  if (ctx.FileExists(configName)) ReadConfig(s, ctx.ReadFile(configName), configName);
  if (s.MaxLoadLabel < 99) s.MaxLoadLabel = 99;
  if (s.LoadItemCapacity < 502) s.LoadItemCapacity = 502;
  s.SelectedLoadCases.Size(s.MaxLoadLabel);
  s.SelectedCombinations.Size(s.MaxLoadLabel);
  s.SelectedLoadCases.name = "SelectedLoadCases";
  s.SelectedCombinations.name = "SelectedCombinations";

  {
    std::string name = s.ModelPath + ".XSZ";
    ReadModelSize(s, ctx.ReadFile(name), name);
  }
  AllocateModelTables(s, ctx.model);

  std::string field1;
  if (ctx.batch) {
    ParseCommandLine(s, commandLine, field1);
  } else {
    std::string name = s.DataDirectory + "\\in.CNT";
    ReadRunControl(s, ctx.ReadFile(name), name, field1);
  }

  DeriveOptionSettings(s, field1);
  ReadCombinationSelection(ctx);
  ReadResultsSetSelection(ctx);

  // The group set is read on a second thread while the geometry loads:
  // they fill different tables. A failure of the geometry comes first, as
  // it would one after the other; that of the group set comes after it.
  const GroupSetFile groupSet = FindGroupSet(ctx, s.ModelPath + ".G" + s.ActiveGroupSet);
  std::exception_ptr groupSetFailure;
  {
    std::jthread groups([&] {
      try {
        ReadFoundGroupSet(s, ctx.model, groupSet, s.MaxNodeLabel, s.MaxElementLabel);
      } catch (...) {
        groupSetFailure = std::current_exception();  // raised below, in its place
      }
    });
    LoadGeometry(ctx);
  }
  if (groupSetFailure) std::rethrow_exception(groupSetFailure);

  std::string listingFile = ctx.files.PathForCreate(s.ListingPath);
  ctx.listing.Open(listingFile);
  ctx.files.NoteCreated(listingFile);
}

bool CloseAllFiles(RunContext& ctx) {
  // The comment file is written while the listing's last block still is.
  // (A failed write of the listing shows again when it is closed.)
  ctx.listing.HandOver();
  bool commentsClosed = CloseCommentFile(ctx);
  bool listingClosed = ctx.listing.Close();
  return listingClosed && commentsClosed;
}

void WriteListing(RunContext& ctx) {
  RunSettings& s = ctx.settings;
  // The load case files that the summaries read are read meanwhile.
  const bool summaries = s.ListLoadCaseSummary == 1 || s.ListCombinationSummary == 1 || s.ListCombinations == 1;
  if (summaries) ReadHeadersAhead(ctx);
  WritePrologue(ctx);
  WriteTitleBlock(ctx);

  if (s.ListModelData != 0) {
    WriteModelSizeParameters(ctx);
    if (s.BriefModelData != 1) {
      WriteCoordinateSystems(ctx);
      WriteNodalCoordinates(ctx);
      WriteElementData(ctx);
      WriteElementOffsets(ctx);
    }
    WritePipeworkCoefficients(ctx);
    if (s.BriefModelData != 1) {
      WriteSolidElements(ctx);
      WriteSpringData(ctx);
    }
    WriteGeometricProperties(ctx);
    WriteMaterialProperties(ctx);
    WriteConstantsTables(ctx);
    if (s.BriefModelData != 1) WriteRestrainedNodes(ctx);
  }

  if (s.ListGroupSetSummary == 1) WriteSetSummary(ctx, ".NSG");
  if (s.ListGroupSets == 1) WriteAllGroupSets(ctx);
  // The survey's closing empty line is also the one that opens the
  // summaries stretch.
  WriteModelFileSurvey(ctx);
  ctx.listing.End();

  if (summaries) TakeHeadersAhead(ctx);
  if (s.ListLoadCaseSummary == 1) WriteLoadCaseSummary(ctx);
  if (s.ListCombinationSummary == 1) WriteLoadCombinations(ctx, s.ModelPath, s.MaxLoadLabel, 1);
  if (s.ListCombinations == 1) WriteLoadCombinations(ctx, s.ModelPath, s.MaxLoadLabel, 2);
  ctx.listing.End();

  // The pass also writes the results set summary at its end.
  WriteLoadCasePass(ctx);
}

int RunOrvantIn(const std::vector<std::string>& args) {
  std::string commandLine;
  for (size_t i = 0; i < args.size(); ++i) {
    if (i) commandLine += ' ';
    commandLine += args[i];
  }
  auto ctx = std::make_unique<RunContext>();

  // The start-up handler: any failure ends the run without a listing.
  try {
    StartUp(*ctx, commandLine);
  } catch (const IndexFault& e) {
    ctx->progress.Clear();
    ShowMessage(e.what());
    return kStartUpFailed;
  } catch (const RunFault& e) {
    ctx->progress.Clear();
    ShowMessage(e.what());
    return kStartUpFailed;
  }

  // The listing handler: an index error shows its message, any other
  // failure stops the listing quietly; what was written stays.
  int status = kListingComplete;
  try {
    WriteListing(*ctx);
    ctx->listing.Flush();
  } catch (const IndexFault&) {
    ctx->progress.Clear();
    ShowMessage(kLoadLabelMessage);
    status = kListingStopped;
  } catch (const RunFault&) {
    status = kListingStopped;
  }

  // Close every file: the listing keeps what was written, the comment file
  // gets its records.
  if (!CloseAllFiles(*ctx) && status == kListingComplete) status = kListingStopped;
  ctx->progress.Clear();
  return status;
}

}  // namespace orvant
