#pragma once
#include <sstream>
#include <string>

#include "settings/run_settings.h"

namespace orvant::testing {

// The option settings as "flags|set|filter limit mode grouped brief|name|comb|results".
inline std::string Summary(const RunSettings& s) {
  std::ostringstream o;
  for (int v : {s.ListModelData, s.ConvertedUnits, s.ListLoadCases, s.ListLoadCaseSummary, s.ListCombinationSummary,
                s.ListUmFiles, s.ListGroupSetSummary, s.ListResultsSetSummary, s.ListCombinations, s.ListGroupSets,
                s.ListModelFiles, s.ListBrFiles})
    o << v << ' ';
  o << '|' << s.ActiveGroupSet << '|' << s.GroupFilter << ' ' << s.GroupLimit << ' ' << s.GroupRangeMode << ' '
    << s.GroupedOnly << ' ' << s.BriefModelData << '|' << s.ListingName << '|' << s.CombinationSelection << '|'
    << s.ResultsSetSelection;
  return o.str();
}

}  // namespace orvant::testing
