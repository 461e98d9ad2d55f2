#include "settings/settings_inputs.h"

#include <cstdlib>
#include <string>

#include "base/checked.h"
#include "base/file_system.h"
#include "base/text_values.h"
#include "settings/run_settings.h"

namespace orvant {

namespace {

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
  for (size_t i = 0; i < commandLine.size(); ++i) {  // equivalent: boundary (the string's closing NUL is no slash)
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
  s.ListModelData = Narrow16(std::llabs(listModelData));
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

// Combination selection: the load combination file of that combination.
void ReadCombinationSelection(RunSettings& s, FileSystem& files) {
  std::string name = s.ModelPath + ".C" + s.CombinationSelection;
  if (!files.FileExists(name)) {
    s.CombinationSelection.clear();
    return;
  }
  TextValues values(files.ReadFile(name), name);
  s.SelectedCaseCount = values.Int16();
  for (int i = 1; i <= s.SelectedCaseCount; ++i) {
    int16_t label = values.Int16();
    values.Number();  // the load factor is not used here
    s.SelectedLoadCases[label] = 1;
  }
}

// Results set selection: a heading, then combination labels to the end.
void ReadResultsSetSelection(RunSettings& s, FileSystem& files) {
  std::string name = s.ModelPath + ".Q" + s.ResultsSetSelection;
  if (!files.FileExists(name)) {
    s.ResultsSetSelection.clear();
    return;
  }
  TextValues values(files.ReadFile(name), name);
  values.Text();
  while (!values.AtEnd()) {
    std::string v = values.Text();
    if (v.empty()) continue;
    s.SelectedCombinations[NumberOf(v)] = 1;
    s.SelectedCombinationCount = Add16(s.SelectedCombinationCount, 1);
  }
}

}  // namespace orvant
