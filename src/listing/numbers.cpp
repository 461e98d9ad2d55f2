#include "listing/numbers.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <system_error>

#include "run/faults.h"

// How the digits are obtained: std::to_chars with a precision prints the
// exact binary value correctly rounded, ties to even. The bare numbers want
// exactly that. The patterns want ties away from zero, so for a value that is
// an exact tie at the pattern's precision we print the neighbouring double one
// step further from zero instead; that step is far smaller than the distance
// to the next rounding boundary, so only the tie is decided differently.

namespace orvant {
namespace {

// Longest rendering a parsed pattern can produce, with room to spare:
// sign, 39 integer digits of the largest float (or the forced digits),
// point, decimals.
constexpr int kMaxIntPlaces = 60;
constexpr int kMaxDecimals = 60;
constexpr int kMaxExpMantissaDecimals = 20;
constexpr int kMaxExpDigits = 10;
constexpr int kBufSize = 192;

struct Pattern {
  bool exponent = false;
  int minInt = 0;       // integer digits always written (from the first "0")
  bool point = false;   // the pattern has a "."
  int zeros = 0;        // "0" placeholders after the point
  int hashes = 0;       // "#" placeholders after them
  bool expSignAlways = false;  // "E+" rather than "E-"
  int expDigits = 0;    // minimum exponent digits
};

[[noreturn]] void BadPattern(std::string_view pattern) {
  throw std::logic_error("unsupported number pattern \"" + std::string(pattern) + "\"");
}

Pattern ParsePattern(std::string_view s) {
  Pattern p;
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
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
    // Exponent form: exactly one "0" before the point, "0"s after it.
    if (places != 1 || p.minInt != 1 || p.hashes != 0) BadPattern(s);
    ++i;
    if (i >= s.size() || (s[i] != '+' && s[i] != '-')) BadPattern(s);
    p.expSignAlways = s[i] == '+';
    for (++i; i < s.size() && s[i] == '0'; ++i) ++p.expDigits;
    if (p.expDigits == 0 || p.expDigits > kMaxExpDigits || p.zeros > kMaxExpMantissaDecimals) {
      BadPattern(s);
    }
    p.exponent = true;
  }
  if (i != s.size() || s.empty() || places > kMaxIntPlaces ||
      p.zeros + p.hashes > kMaxDecimals) {
    BadPattern(s);
  }
  return p;
}

void CheckFinite(double v) {
  if (!std::isfinite(v)) throw RunFault("a number to be listed is infinite or not a number");
}

// |v| = odd * 2^exp2 for a nonzero float.
struct OddSplit {
  uint32_t odd;
  int exp2;
};

OddSplit SplitFloat(float v) {
  const uint32_t bits = std::bit_cast<uint32_t>(v);
  const uint32_t biased = (bits >> 23) & 0xFFu;
  uint32_t m = bits & 0x7FFFFFu;
  int e = -149;
  if (biased != 0) {
    m |= 0x800000u;
    e = static_cast<int>(biased) - 150;
  }
  const int tz = std::countr_zero(m);
  return {m >> tz, e + tz};
}

// The value to hand to to_chars: v itself, or for an exact tie the next
// double away from zero, so that the tie is rounded away from zero.
double AwayIfTie(double dv, bool tie) {
  return tie ? std::nextafter(dv, std::copysign(std::numeric_limits<double>::infinity(), dv))
             : dv;
}

// Fixed form: the rounded value laid out by the pattern. Returns the length.
int RenderFixed(char* out, float v, const Pattern& p) {
  const int decimals = p.zeros + p.hashes;
  // A float is a tie at d decimals exactly when it is odd * 2^-(d+1).
  const bool tie = v != 0.0f && SplitFloat(v).exp2 == -(decimals + 1);
  char tmp[kBufSize];
  const auto r = std::to_chars(tmp, tmp + sizeof tmp, AwayIfTie(v, tie),
                               std::chars_format::fixed, decimals);
  const char* c = tmp;
  const char* end = r.ptr;
  const bool negative = *c == '-';
  if (negative) ++c;
  const char* intBegin = c;
  while (c != end && *c != '.') ++c;
  const char* intEnd = c;
  const char* frac = c == end ? end : c + 1;

  // to_chars writes a single "0" for a zero integer part and no other
  // leading zeros.
  if (intEnd - intBegin == 1 && *intBegin == '0') intBegin = intEnd;
  bool nonzero = intBegin != intEnd;
  for (const char* f = frac; f != end && !nonzero; ++f) nonzero = *f != '0';

  int keep = decimals;
  while (keep > p.zeros && frac[keep - 1] == '0') --keep;

  char* o = out;
  if (negative && nonzero) *o++ = '-';
  for (int pad = p.minInt - static_cast<int>(intEnd - intBegin); pad > 0; --pad) *o++ = '0';
  o = std::copy(intBegin, intEnd, o);
  if (p.point) {
    *o++ = '.';
    o = std::copy(frac, frac + keep, o);
  }
  return static_cast<int>(o - out);
}

// Whether the nonzero float v is an exact tie when rounded to `sig`
// significant digits: its exact decimal significand has sig + 1 digits and
// ends in 5.
bool IsSignificantTie(float v, int sig) {
  const OddSplit s = SplitFloat(v);
  const int want = sig + 1;
  if (s.exp2 >= 0) {
    // An integer. Small ones in 64 bits; larger ones have 20+ digits, which
    // only a long exponent mantissa could ask for.
    if (s.exp2 + std::bit_width(s.odd) <= 64) {
      uint64_t u = static_cast<uint64_t>(s.odd) << s.exp2;
      while (u % 10 == 0) u /= 10;
      if (u % 10 != 5) return false;
      int digits = 0;
      for (; u != 0; u /= 10) ++digits;
      return digits == want;
    }
    char tmp[kBufSize];
    const auto r = std::to_chars(tmp, tmp + sizeof tmp, std::fabs(static_cast<double>(v)),
                                 std::chars_format::fixed, 0);
    const char* e = r.ptr;
    while (e[-1] == '0') --e;
    return e[-1] == '5' && e - tmp == want;
  }
  // |v| = odd * 5^k * 10^-k with k = -exp2: the significand odd * 5^k ends
  // in 5 and has no trailing zeros. Count its digits.
  using u128 = unsigned __int128;
  u128 limit = 1;
  for (int i = 0; i < want; ++i) limit *= 10;
  const int k = -s.exp2;
  u128 q = s.odd;
  for (int i = 0; i < k; ++i) {
    q *= 5;
    if (q >= limit) return false;
  }
  return q * 10 >= limit;
}

int RenderExponent(char* out, float v, const Pattern& p) {
  char* o = out;
  char tmp[kBufSize];
  const char* c = tmp;
  const char* end;
  if (v == 0.0f) {
    // Zero (also -0.0): no sign, all mantissa digits 0, exponent 0.
    const int n = 1 + p.zeros;
    std::memset(tmp, '0', static_cast<size_t>(n));
    std::memcpy(tmp + n, "e+00", 4);
    end = tmp + n + 4;
  } else {
    const bool tie = IsSignificantTie(v, p.zeros + 1);
    end = std::to_chars(tmp, tmp + sizeof tmp, AwayIfTie(v, tie),
                        std::chars_format::scientific, p.zeros).ptr;
    if (*c == '-') *o++ = *c++;
  }
  *o++ = *c++;
  if (p.point) *o++ = '.';
  if (*c == '.') ++c;
  while (*c != 'e') *o++ = *c++;
  *o++ = 'E';
  ++c;
  const char expSign = *c++;
  if (expSign == '-' || p.expSignAlways) *o++ = expSign;
  while (end - c > 1 && *c == '0') ++c;  // to_chars writes two digits at least
  for (int pad = p.expDigits - static_cast<int>(end - c); pad > 0; --pad) *o++ = '0';
  o = std::copy(c, end, o);
  return static_cast<int>(o - out);
}

int Render(char* out, float v, std::string_view pattern) {
  CheckFinite(v);
  const Pattern p = ParsePattern(pattern);
  return p.exponent ? RenderExponent(out, v, p) : RenderFixed(out, v, p);
}

// A bare number from to_chars scientific output, already rounded to its
// significant digits (ties to even) and with at least two exponent digits:
// fixed or exponent form, shortest text.
void AppendBareScientific(std::string& out, const char* c, const char* end, int expFormAt) {
  char digits[24];
  int n = 0;
  out += *c == '-' ? '-' : ' ';
  if (*c == '-') ++c;
  for (; *c != 'e'; ++c) {
    if (*c != '.') digits[n++] = *c;
  }
  ++c;
  const bool expNegative = *c++ == '-';
  int exp10 = 0;
  std::from_chars(c, end, exp10);
  if (expNegative) exp10 = -exp10;
  while (n > 1 && digits[n - 1] == '0') --n;

  if (exp10 >= expFormAt || exp10 < -4) {
    out += digits[0];
    if (n > 1) {
      out += '.';
      out.append(digits + 1, static_cast<size_t>(n - 1));
    }
    out += 'E';
    out += expNegative ? '-' : '+';
    out.append(c, end);
  } else if (exp10 >= 0) {
    const int intDigits = exp10 + 1;
    if (n <= intDigits) {
      out.append(digits, static_cast<size_t>(n));
      out.append(static_cast<size_t>(intDigits - n), '0');
    } else {
      out.append(digits, static_cast<size_t>(intDigits));
      out += '.';
      out.append(digits + intDigits, static_cast<size_t>(n - intDigits));
    }
  } else {
    out += '.';
    out.append(static_cast<size_t>(-exp10 - 1), '0');
    out.append(digits, static_cast<size_t>(n));
  }
  out += ' ';
}

void AppendBare(std::string& out, double v, int sig, int expFormAt) {
  CheckFinite(v);
  if (v == 0.0) {
    out += " 0 ";
    return;
  }
  char tmp[48];
  const auto r = std::to_chars(tmp, tmp + sizeof tmp, v, std::chars_format::scientific, sig - 1);
  AppendBareScientific(out, tmp, r.ptr, expFormAt);
}

}  // namespace

void AppendPattern(std::string& out, float v, std::string_view pattern) {
  char buf[kBufSize];
  const int n = Render(buf, v, pattern);
  out.append(buf, static_cast<size_t>(n));
}

std::string FormatPlain(float v, std::string_view pattern) {
  std::string s;
  AppendPattern(s, v, pattern);
  return s;
}

void AppendFormatRight(std::string& out, float v, std::string_view pattern, int width) {
  char buf[kBufSize];
  const int n = Render(buf, v, pattern);
  if (width <= 0) return;
  if (n >= width) {
    out.append(buf + (n - width), static_cast<size_t>(width));
  } else {
    out.append(static_cast<size_t>(width - n), ' ');
    out.append(buf, static_cast<size_t>(n));
  }
}

std::string FormatRight(float v, std::string_view pattern, int width) {
  std::string s;
  AppendFormatRight(s, v, pattern, width);
  return s;
}

void AppendBareInt(std::string& out, long long v) {
  if (v >= 0) out += ' ';
  AppendDigits(out, v);
  out += ' ';
}

void AppendBareSingle(std::string& out, float v) { AppendBare(out, v, 7, 7); }

void AppendBareDouble15(std::string& out, double v) { AppendBare(out, v, 15, 15); }

void AppendDigits(std::string& out, long long v) {
  char tmp[24];
  const auto r = std::to_chars(tmp, tmp + sizeof tmp, v);
  out.append(tmp, r.ptr);
}

}  // namespace orvant
