#pragma once
// The plain split of a prepared load case data line, kept as the reference
// that the parser's quick split is checked against.
#include <string>

namespace orvant::testing {

// Splits a data line (already upper-cased and with empty fields filled) into
// the keyword and fieldValue[1..20]; returns the field count. More than 20
// fields is an index failure.
int SplitFields(std::string& line, std::string& keyword, float (&fieldValue)[21]);

}  // namespace orvant::testing
