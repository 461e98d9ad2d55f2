#pragma once
// The number renderers as strings, for tests: the listing writes fields in
// place, tests compare texts.
#include <string>
#include <string_view>

namespace orvant::testing {

// The plain formatter: v rendered by pattern, without justification.
std::string FormatPlain(float v, std::string_view pattern);
// Width blanks followed by the rendering, of which the last width
// characters are kept.
std::string FormatRight(float v, std::string_view pattern, int width);

// Bare numbers (a blank or "-", the digits, one blank) appended to out.
void AppendBareInt(std::string& out, long long v);
void AppendBareSingle(std::string& out, float v);
void AppendBareDouble15(std::string& out, double v);
// A whole number as digits without blanks.
void AppendDigits(std::string& out, long long v);

}  // namespace orvant::testing
