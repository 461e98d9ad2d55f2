#pragma once
// Number rendering of the listing: number patterns ("#####0.0000",
// "0.000E+00", "#", ...), right-justified fields and bare numbers.
// Rendering is exact: rounding is decided on the exact binary value.
// Nothing here allocates per call except the std::string forms.
#include <array>
#include <string>
#include <string_view>

namespace orvant {

// A number pattern as parsed: what its placeholders ask for.
struct NumberPattern {
  bool exponent{};
  int minInt{};         // integer digits always written (from the first "0")
  bool point{};         // the pattern has a "."
  int zeros{};          // "0" placeholders after the point
  int hashes{};         // "#" placeholders after them
  bool expSignAlways{};        // "E+" rather than "E-"
  int expDigits{};      // minimum exponent digits
};

// Longest rendering of any pattern, and longest bare number, with room to
// spare: what a caller of RenderNumber and the Put functions provides.
inline constexpr int kRenderRoom = 192;
inline constexpr int kBareRoom = 48;  // equivalent: constant (room to spare)

[[noreturn]] void ThrowBadPattern(std::string_view pattern);

// Parses a pattern; an unsupported one throws std::logic_error (and, in a
// constant expression, does not compile).
constexpr NumberPattern ParseNumberPattern(std::string_view s) {
  constexpr int kMaxIntPlaces = 60, kMaxDecimals = 60, kMaxExpMantissaDecimals = 20, kMaxExpDigits = 10;
  NumberPattern p;
  size_t i = 0;
  int places = 0;
  int firstZero = -1;
  for (; i < s.size() && (s[i] == '#' || s[i] == '0'); ++i) {
    if (s[i] == '0' && firstZero < 0) firstZero = places;
    ++places;
  }
  if (firstZero >= 0) p.minInt = places - firstZero;
  if (i < s.size() && s[i] == '.') {
    p.point = true;
    for (++i; i < s.size() && s[i] == '0'; ++i) ++p.zeros;
    for (; i < s.size() && s[i] == '#'; ++i) ++p.hashes;
  }
  if (i < s.size() && s[i] == 'E') {
    // Exponent form: exactly one "0" before the point, "0"s after it.
    if (places != 1 || p.minInt != 1 || p.hashes != 0) ThrowBadPattern(s);
    ++i;
    if (i >= s.size() || (s[i] != '+' && s[i] != '-')) ThrowBadPattern(s);
    p.expSignAlways = s[i] == '+';
    for (++i; i < s.size() && s[i] == '0'; ++i) ++p.expDigits;
    if (p.expDigits == 0 || p.expDigits > kMaxExpDigits || p.zeros > kMaxExpMantissaDecimals) ThrowBadPattern(s);
    p.exponent = true;
  }
  if (i != s.size() || s.empty() || places > kMaxIntPlaces || p.zeros + p.hashes > kMaxDecimals) ThrowBadPattern(s);
  return p;
}

// A pattern written in the code, parsed when the program is compiled:
// "0.000E+00" where a FieldPattern is expected is parsed once, for good.
struct FieldPattern {
  NumberPattern parsed;
  bool scientific;  // "0.000E+00", the most frequent of all
  bool plainFixed;  // fixed form with "0" decimals only ("######0.00", "#")
  consteval FieldPattern(const char* text)
      : parsed(ParseNumberPattern(text)),
        scientific(parsed.exponent && parsed.minInt == 1 && parsed.point && parsed.zeros == 3 &&
                   parsed.hashes == 0 && parsed.expSignAlways && parsed.expDigits == 2),
        plainFixed(!parsed.exponent && parsed.hashes == 0 && parsed.zeros <= 9) {}  // equivalent: boundary (nine places rendered the general way read the same)
};

// v rendered by pattern at out (kRenderRoom bytes); returns the length.
// A value that is infinite or not a number throws RunFault.
int RenderNumber(char* out, float v, const NumberPattern& pattern);

// Bare numbers: a blank or "-", the digits, one blank. The Put forms write
// at out (kBareRoom bytes) and return the end.
char* PutBareInt(char* out, long long v);
// Single precision: rounded to 7 significant digits (halves to even),
// exponent form at 1E+07 and above or below 1E-04.
char* PutBareSingle(char* out, float v);
// Load factors: like a single but up to 15 significant digits, exponent
// form at 1E+15 and above or below 1E-04.
char* PutBareDouble15(char* out, double v);
// A whole number as digits without blanks ("-3" keeps its sign).
char* PutDigits(char* out, long long v);

}  // namespace orvant
