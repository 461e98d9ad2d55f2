#pragma once
// The plain split of a prepared load case data line, kept as the reference
// that the parser's quick split is checked against.
#include <string>
#include <string_view>

#include "base/checked.h"
#include "base/text_values.h"
#include "loads/load_case.h"

namespace orvant::testing {

// Splits a data line (already upper-cased and with empty fields filled) into
// the keyword and fieldValue[1..20]; returns the field count. More than 20
// fields is an index failure.
inline int SplitFields(std::string& line, std::string& keyword, float (&fieldValue)[21]) {
  constexpr int kMaxFields = 20;
  line.push_back(',');
  for (int i = 1; i <= kMaxFields; ++i) fieldValue[i] = NoValue;
  const std::string_view text(line);
  size_t start = 0;
  int piece = 0;  // pieces taken so far; the keyword is piece 1
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != ',') continue;
    std::string_view p = text.substr(start, i - start);
    start = i + 1;
    ++piece;
    if (piece == 1) keyword.assign(p);
    if (piece - 1 > kMaxFields) ThrowIndexFault("load case fields", piece - 1, kMaxFields);
    fieldValue[piece - 1] = (p == " ") ? NoValue : static_cast<float>(LeadingNumber(p));
  }
  return piece - 1;
}

}  // namespace orvant::testing
