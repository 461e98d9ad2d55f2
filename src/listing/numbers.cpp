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

#include "listing/fast_digits.h"
#include "base/faults.h"

// How the digits are obtained: std::to_chars with a precision prints the
// exact binary value correctly rounded, ties to even. The bare numbers want
// exactly that. The patterns want ties away from zero, so a value that is an
// exact tie at the pattern's precision is printed with one place more (its
// exact expansion, ending in 5) and rounded up by hand. Most values never
// get that far: QuickRoundScaled and QuickRoundSignificant give the rounded
// digits of every value of usual size (an exact half decided by the tie
// rule) and LayoutFixed and LayoutExponent write what the exact path would.

namespace orvant {
namespace {

constexpr int kBufSize = kRenderRoom;

using Pattern = NumberPattern;

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

// to_chars at a precision, with an exact tie rounded away from zero: the
// tie's exact expansion has one more place, a final 5, which is printed,
// dropped and carried into the digits before it. (A step to the next double
// would disturb the digits of patterns with many places.)
char* ToCharsAway(char* first, char* last, double v, std::chars_format format, int precision, bool tie) {
  if (!tie) return std::to_chars(first, last, v, format, precision).ptr;
  char* end = std::to_chars(first, last, v, format, precision + 1).ptr;
  char* e = format == std::chars_format::scientific ? std::find(first, end, 'e') : end;
  const int drop = precision == 0 ? 2 : 1;  // the 5, and a point left bare
  std::memmove(e - drop, e, static_cast<size_t>(end - e));
  e -= drop;
  end -= drop;
  // The carry stops at a digit below 9. It never runs out of digits: a
  // tie's digits all 9 but its last 5 (9.5, 99.5, 9.995E+00, ...) is a
  // float only with so few digits that the quick rounding decides it and
  // this is not reached; the check keeps the walk inside the buffer anyway.
  for (char* d = e; d != first;) {
    --d;
    if (*d == '.') continue;
    if (*d != '9') {
      ++*d;
      break;
    }
    *d = '0';
  }
  return end;
}

// Writes n zeros (none when n is below 1); returns the end.
char* WriteZeros(char* o, int n) {
  const size_t count = static_cast<size_t>(std::max(n, 0));
  std::memset(o, '0', count);
  return o + count;
}

// Fixed form laid out from |v| * 10^decimals rounded to an integer, as
// RenderFixed lays out the to_chars text. Digits are written in place.
int LayoutFixed(char* out, bool negative, uint64_t rounded, const Pattern& p) {
  const int decimals = p.zeros + p.hashes;  // at most 16
  // The decimals first, into their own room; what is left is the whole part.
  char frac[20];  // equivalent: constant (16 decimals at most)
  uint64_t whole = rounded;
  PutDigitsBackwards(frac + decimals, whole, decimals);
  const int intCount = DecimalDigitCount(whole);

  char* o = out;
  if (negative && rounded != 0) *o++ = '-';
  o = WriteZeros(o, p.minInt - intCount);
  o += intCount;
  PutDigitsBackwards(o, whole, intCount);
  if (p.point) {
    *o++ = '.';
    int keep = decimals;
    while (keep > p.zeros && frac[keep - 1] == '0') --keep;
    for (int i = 0; i < keep; ++i) *o++ = frac[i];
  }
  return static_cast<int>(o - out);
}

// Fixed form: the rounded value laid out by the pattern. Returns the length.
int RenderFixed(char* out, float v, const Pattern& p) {
  const int decimals = p.zeros + p.hashes;
  uint64_t rounded;
  if (decimals <= 16 && QuickRoundScaled(std::fabs(static_cast<double>(v)), decimals, rounded, Ties::kAway))
    return LayoutFixed(out, std::signbit(v), rounded, p);

  // A float is a tie at d decimals exactly when it is odd * 2^-(d+1).
  const bool tie = v != 0.0f && SplitFloat(v).exp2 == -(decimals + 1);
  char tmp[kBufSize];
  const char* end = ToCharsAway(tmp, tmp + sizeof tmp, v, std::chars_format::fixed, decimals, tie);
  const char* c = tmp;
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

// Whether the nonzero float v, which the quick way declined to round to
// `sig` significant digits, is an exact tie there: its exact decimal
// significand has sig + 1 digits and ends in 5.
bool IsSignificantTie(float v, int sig) {
  const OddSplit s = SplitFloat(v);
  const int want = sig + 1;
  // An integer, odd * 2^k with odd below 2^24, ends in 5 (its trailing zeros
  // dropped) only when odd holds more factors 5 than k (at most ten): it is
  // below 2^34, and the quick way decides each of its ties.
  if (s.exp2 >= 0) return false;  // equivalent: boundary, constant (small integers and halves are decided quickly; the ties declined have 17 digits and more)
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

// Exponent form laid out from the significant digits and the decimal
// exponent, as RenderExponent lays out the to_chars text. Digits are
// written in place.
int LayoutExponent(char* out, bool negative, uint64_t digits, int exp10, const Pattern& p) {
  const int sig = p.zeros + 1;
  char* o = out;
  if (negative) *o++ = '-';
  // The digits after the first go after the point (when there is one).
  const int point = p.point ? 1 : 0;
  PutDigitsBackwards(o + point + sig, digits, sig - 1);  // leaves the first digit
  *o = static_cast<char>('0' + digits);
  if (point) o[1] = '.';
  o += sig + point;
  *o++ = 'E';
  if (exp10 < 0 || p.expSignAlways) *o++ = exp10 < 0 ? '-' : '+';
  const int e = exp10 < 0 ? -exp10 : exp10;  // below 100 on this path  // equivalent: boundary (-0 is 0)
  const int eCount = e < 10 ? 1 : 2;
  o = WriteZeros(o, p.expDigits - eCount);
  if (eCount == 2) *o++ = static_cast<char>('0' + e / 10);
  *o++ = static_cast<char>('0' + e % 10);
  return static_cast<int>(o - out);
}

int RenderExponent(char* out, float v, const Pattern& p) {
  // Zero (also -0.0): no sign, all mantissa digits 0, exponent 0.
  if (v == 0.0f) return LayoutExponent(out, false, 0, 0, p);
  uint64_t digits;
  int exp10;
  if (QuickRoundSignificant(std::fabs(static_cast<double>(v)), p.zeros + 1, digits, exp10, Ties::kAway) &&
      exp10 > -100 && exp10 < 100)  // equivalent: constant (a float's exponent lies within -46 and 39)
    return LayoutExponent(out, v < 0, digits, exp10, p);

  char* o = out;
  char tmp[kBufSize];
  const char* c = tmp;
  const bool tie = IsSignificantTie(v, p.zeros + 1);
  const char* const end = ToCharsAway(tmp, tmp + sizeof tmp, v, std::chars_format::scientific, p.zeros, tie);
  if (*c == '-') *o++ = *c++;
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


// A bare number from to_chars scientific output, already rounded to its
// significant digits (ties to even) and with at least two exponent digits:
// fixed or exponent form, shortest text.
char* PutBareScientific(char* o, const char* c, const char* end, int expFormAt) {
  char digits[24]{};  // equivalent: constant (17 digits at most)
  int n = 0;
  *o++ = *c == '-' ? '-' : ' ';
  if (*c == '-') ++c;
  for (; *c != 'e'; ++c) {
    if (*c != '.') digits[n++] = *c;
  }
  ++c;
  const bool expNegative = *c++ == '-';
  int exp10 = 0;  // equivalent: constant (to_chars wrote the exponent, which from_chars reads)
  std::from_chars(c, end, exp10);
  if (expNegative) exp10 = -exp10;
  while (digits[n - 1] == '0') --n;  // the first digit is not 0 (the value is not)

  const auto put = [&o](const char* from, int count) {
    std::memcpy(o, from, static_cast<size_t>(count));
    o += count;
  };
  if (exp10 >= expFormAt || exp10 < -4) {
    *o++ = digits[0];
    if (n > 1) {
      *o++ = '.';
      put(digits + 1, n - 1);
    }
    *o++ = 'E';
    *o++ = expNegative ? '-' : '+';
    put(c, static_cast<int>(end - c));
  } else if (exp10 >= 0) {
    const int intDigits = exp10 + 1;
    if (n <= intDigits) {
      put(digits, n);
      o = WriteZeros(o, intDigits - n);
    } else {
      put(digits, intDigits);
      *o++ = '.';
      put(digits + intDigits, n - intDigits);
    }
  } else {
    *o++ = '.';
    o = WriteZeros(o, -exp10 - 1);
    put(digits, n);
  }
  *o++ = ' ';
  return o;
}

char* PutBare(char* o, double v, int sig, int expFormAt) {
  CheckFinite(v);
  if (v == 0.0) {
    std::memcpy(o, " 0 ", 3);
    return o + 3;
  }
  char tmp[48];  // equivalent: constant (about 24 characters at most)
  const char* end = QuickScientificDigits(tmp, v, sig - 1);
  if (!end) end = std::to_chars(tmp, tmp + sizeof tmp, v, std::chars_format::scientific, sig - 1).ptr;
  return PutBareScientific(o, tmp, end, expFormAt);
}

}  // namespace

void ThrowBadPattern(std::string_view pattern) {
  throw std::logic_error("unsupported number pattern \"" + std::string(pattern) + "\"");
}

int RenderNumber(char* out, float v, const NumberPattern& p) {
  CheckFinite(v);
  return p.exponent ? RenderExponent(out, v, p) : RenderFixed(out, v, p);
}

char* PutDigits(char* out, long long v) { return std::to_chars(out, out + kBareRoom, v).ptr; }

char* PutBareInt(char* out, long long v) {
  if (v >= 0) *out++ = ' ';
  out = PutDigits(out, v);
  *out++ = ' ';
  return out;
}

char* PutBareSingle(char* out, float v) { return PutBare(out, v, 7, 7); }

char* PutBareDouble15(char* out, double v) { return PutBare(out, v, 15, 15); }

}  // namespace orvant
