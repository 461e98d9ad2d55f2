#pragma once
// Number rendering of the listing: number patterns ("#####0.0000",
// "0.000E+00", "#", ...), right-justified fields and bare numbers.
// Rendering is exact: rounding is decided on the exact binary value.
// Nothing here allocates per call except the std::string convenience forms.
#include <string>
#include <string_view>

namespace orvant {

// The plain formatter: v rendered by pattern, without justification.
void AppendPattern(std::string& out, float v, std::string_view pattern);
std::string FormatPlain(float v, std::string_view pattern);

// FormatRight: width blanks followed by the rendering, of which the last
// width characters are kept.
void AppendFormatRight(std::string& out, float v, std::string_view pattern, int width);
std::string FormatRight(float v, std::string_view pattern, int width);

// Bare numbers: a blank or "-", the digits, one blank.
void AppendBareInt(std::string& out, long long v);
// Single precision: rounded to 7 significant digits (halves to even),
// exponent form at 1E+07 and above or below 1E-04.
void AppendBareSingle(std::string& out, float v);
// Load factors: like a single but up to 15 significant digits, exponent
// form at 1E+15 and above or below 1E-04.
void AppendBareDouble15(std::string& out, double v);

// A whole number as digits without blanks ("-3" keeps its sign).
void AppendDigits(std::string& out, long long v);

}  // namespace orvant
