#pragma once
// Number rendering of the listing: number patterns ("#####0.0000",
// "0.000E+00", "#", ...), right-justified fields and bare numbers.
// Rendering is exact: rounding is decided on the exact binary value.
// Nothing here allocates per call except the std::string convenience forms.
#include <array>
#include <string>
#include <string_view>

namespace orvant {

// A number pattern as parsed: what its placeholders ask for.
struct NumberPattern {
  bool exponent = false;
  int minInt = 0;       // integer digits always written (from the first "0")
  bool point = false;   // the pattern has a "."
  int zeros = 0;        // "0" placeholders after the point
  int hashes = 0;       // "#" placeholders after them
  bool expSignAlways = false;  // "E+" rather than "E-"
  int expDigits = 0;    // minimum exponent digits
};

// Parses a pattern; an unsupported one throws std::logic_error.
NumberPattern ParseNumberPattern(std::string_view pattern);

// Patterns parsed before, found again by their text: a listing renders a
// few patterns over and over. Owned by the writer that uses it.
struct PatternMemo {
  static constexpr size_t kTextRoom = 16;  // longer patterns are parsed each time
  struct Entry {
    char text[kTextRoom] = {};
    size_t size = 0;  // 0: unused
    NumberPattern pattern;
  };
  std::array<Entry, 16> entries;
  NumberPattern scratch;
  const NumberPattern& Parsed(std::string_view pattern);
};

// The plain formatter: v rendered by pattern, without justification.
void AppendPattern(std::string& out, float v, std::string_view pattern);
void AppendPattern(std::string& out, float v, const NumberPattern& pattern);
std::string FormatPlain(float v, std::string_view pattern);

// FormatRight: width blanks followed by the rendering, of which the last
// width characters are kept.
void AppendFormatRight(std::string& out, float v, std::string_view pattern, int width);
void AppendFormatRight(std::string& out, float v, const NumberPattern& pattern, int width);
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
