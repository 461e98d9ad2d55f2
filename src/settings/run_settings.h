#pragma once
// Every setting of the run: filled at start-up from the settings store, the
// model name file, config.ini, the model size file, the option string (or
// in.CNT) and the two selection files; read by every listing section.
#include <cstdint>
#include <string>

#include "base/checked.h"

namespace orvant {

struct RunSettings {
  std::string DataDirectory;
  std::string ModelPath;
  std::string OriginDirectory;
  int16_t LoadItemCapacity = 502;
  int16_t MaxLoadLabel = 99;

  // From the model size file.
  std::string ModelName;
  std::string AnalysisDescription;
  std::string DefinitionUnits;
  std::string DateCreated;
  std::string TimeCreated;
  int16_t MaxElementLabel{};
  int16_t MaxSpringLabel{};
  int16_t MaxNodeLabel{};
  int16_t RestrainedNodeCount{};
  int16_t PhysicalPropertyCount{};
  int16_t MaterialPropertyCount{};
  int16_t SpringPropertyCount{};
  std::string AddDescription;
  std::string CreatedChecked;
  std::string JobReference;
  int16_t ImperialUnits{};

  // From the option string or in.CNT.
  int16_t ListModelData = 1;
  int16_t ConvertedUnits{};
  int16_t ListLoadCases = 1;
  int16_t ListLoadCaseSummary = 1;
  int16_t ListCombinationSummary = 1;
  int16_t ListUmFiles{};
  int16_t ListGroupSetSummary = 1;
  int16_t ListResultsSetSummary = 1;
  int16_t ListCombinations = 1;
  int16_t ListGroupSets = 1;
  int16_t ListModelFiles = 1;
  int16_t ListBrFiles{};
  std::string ActiveGroupSet;
  int16_t BriefModelData{};
  int16_t GroupFilter{};
  int16_t GroupLimit = 1;
  int16_t GroupRangeMode{};
  int16_t GroupedOnly{};
  std::string ListingName;
  std::string CombinationSelection;
  std::string ResultsSetSelection;
  std::string ListingPath;

  // The title block's date and time: the run's moment, taken at start-up.
  std::string ListingDate;
  std::string ListingTime;

  // Selections, indexed 0..MaxLoadLabel.
  Table<int16_t> SelectedLoadCases;
  int16_t SelectedCaseCount{};
  Table<int16_t> SelectedCombinations;
  int16_t SelectedCombinationCount{};

  // From the group set file.
  std::string GroupSetDescription;
};

}  // namespace orvant
