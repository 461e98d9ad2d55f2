#pragma once
// The parser's split of a load case line as read, against SplitFields on
// the line prepared and closed: the same failure, keyword and values, bit for
// bit. Used by the parser's tests and its fuzz target.
#include <cstring>
#include <string>
#include <string_view>

#include "loads/load_cases.h"
#include "support/reference_split.h"
#include "base/faults.h"

namespace orvant::testing {

// Empty when the two splits agree; otherwise what differs.
inline std::string QuickSplitDifference(std::string_view line) {
  std::string prepared, keyword, spill;
  PrepareDataLine(line, prepared);
  float want[21], got[21];
  bool wantFault = false, gotFault = false;
  try {
    SplitFields(prepared, keyword, want);
  } catch (const IndexFault&) {
    wantFault = true;
  }
  char room[kKeywordRoom];
  std::string_view k;
  try {
    SplitDataLine(line, spill, room, k, got);
  } catch (const IndexFault&) {
    gotFault = true;
  }
  if (gotFault != wantFault) return "one split fails, the other does not";
  if (wantFault) return "";
  if (keyword.size() >= kKeywordRoom ? !k.empty() : k != keyword) return "keyword " + std::string(k) + " for " + keyword;
  for (int i = 1; i <= 20; ++i)
    if (std::memcmp(&got[i], &want[i], sizeof(float)) != 0) return "field " + std::to_string(i);
  return "";
}

}  // namespace orvant::testing
