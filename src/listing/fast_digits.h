#pragma once
// Quick rounding for the common numbers of a listing, decided in double
// arithmetic. When a value lies so close to a rounding boundary (a half unit
// of the last place) that one rounded operation cannot tell the side, the
// exact error of that operation decides, exact halves included (ties away
// from zero or to even, as the caller asks). A value too large or small for
// the quick way is given up (false or nullptr); the exact conversion must
// then decide.
// Inline: they sit in the innermost loop of the listing.
#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace orvant {

namespace fast_digits {

// Powers of ten that a double holds exactly, and as integers.
inline constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                          1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
inline constexpr uint64_t kIntPowers[] = {1ull,
                                          10ull,
                                          100ull,
                                          1000ull,
                                          10000ull,
                                          100000ull,
                                          1000000ull,
                                          10000000ull,
                                          100000000ull,
                                          1000000000ull,
                                          10000000000ull,
                                          100000000000ull,
                                          1000000000000ull,
                                          10000000000000ull,
                                          100000000000000ull,
                                          1000000000000000ull,
                                          10000000000000000ull};
// 10^s for s from -22 to 22: exact for s >= 0, the nearest double below.
inline constexpr double kScales[] = {
    1e-22, 1e-21, 1e-20, 1e-19, 1e-18, 1e-17, 1e-16, 1e-15, 1e-14, 1e-13, 1e-12, 1e-11,
    1e-10, 1e-9, 1e-8, 1e-7, 1e-6, 1e-5, 1e-4, 1e-3, 1e-2, 1e-1, 1e0, 1e1,
    1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13,
    1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
// The nearest doubles to 10^-46 .. 10^40 (the range of a float, and some).
inline constexpr int kMinTenPower = -46;
inline constexpr double kTenPowers[] = {
    1e-46, 1e-45, 1e-44, 1e-43, 1e-42, 1e-41, 1e-40, 1e-39, 1e-38, 1e-37,
    1e-36, 1e-35, 1e-34, 1e-33, 1e-32, 1e-31, 1e-30, 1e-29, 1e-28, 1e-27,
    1e-26, 1e-25, 1e-24, 1e-23, 1e-22, 1e-21, 1e-20, 1e-19, 1e-18, 1e-17,
    1e-16, 1e-15, 1e-14, 1e-13, 1e-12, 1e-11, 1e-10, 1e-9, 1e-8, 1e-7,
    1e-6, 1e-5, 1e-4, 1e-3, 1e-2, 1e-1, 1e0, 1e1, 1e2, 1e3,
    1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13,
    1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22, 1e23,
    1e24, 1e25, 1e26, 1e27, 1e28, 1e29, 1e30, 1e31, 1e32, 1e33,
    1e34, 1e35, 1e36, 1e37, 1e38, 1e39, 1e40};
// "00" to "99": two digits at a time.
inline constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// floor(b * log10(2)) is b * kLog10Two >> 18 for every binary exponent b
// a double has.
inline constexpr int kLog10Two = 78913;  // equivalent: constant (one more or less leaves a float's estimate as it is, and a double's within one, which the callers correct or give up on for the general way)

// Below this every integer is a double.
inline constexpr double kExactIntegers = 9007199254740992.0;  // 2^53
inline constexpr int kMaxScale = 22;

}  // namespace fast_digits

// Two digits of v (below 100) at o; returns the end.
inline char* PutPair(char* o, uint64_t v) {
  std::memcpy(o, fast_digits::kDigitPairs + 2 * v, 2);
  return o + 2;
}

// The digits of u; none for 0.
inline int DecimalDigitCount(uint64_t u) {
  int n = 0;
  for (; u > 0; u /= 10) ++n;
  return n;
}

// Writes the last `count` digits of u before `end`, leading zeros included,
// takes them off u and returns where they begin.
inline char* PutDigitsBackwards(char* end, uint64_t& u, int count) {
  for (; count >= 2; count -= 2) {
    const uint64_t q = u / 100;
    end -= 2;
    PutPair(end, u - q * 100);
    u = q;
  }
  if (count == 1) {
    *--end = static_cast<char>('0' + u % 10);
    u /= 10;
  }
  return end;
}

// A whole number in plain decimal at o; returns the end.
inline char* PutUnsigned(char* o, uint64_t v) {
  const int n = std::max(DecimalDigitCount(v), 1);
  PutDigitsBackwards(o + n, v, n);
  return o + n;
}

// How an exact half is rounded: away from zero (the patterns) or to the
// even neighbour (the bare numbers).
enum class Ties { kAway, kEven };

// a (> 0) * 10^scale (|scale| <= 22, below 2^53), decided exactly when it
// lies near a half: its integer part and whether it lies below (-1), on (0)
// or above (+1) that integer and a half. The power of ten is exact; the
// error of the product (or the remainder of the quotient) is a double,
// which fma gives exactly, and the sign of what is left over is that of
// one correctly rounded operation.
inline void ExactHalfSide(double a, int scale, uint64_t& whole, int& side) {
  using namespace fast_digits;
  double y, left;
  if (scale >= 0) {
    const double p = kExactPowers[scale];
    y = a * p;
    const double error = std::fma(a, p, -y);  // a * p = y + error
    const double w = std::floor(y);
    left = ((y - w) - 0.5) + error;
    whole = static_cast<uint64_t>(w);
  } else {
    const double q = kExactPowers[-scale];
    y = a / q;
    const double remainder = std::fma(-y, q, a);  // a = y * q + remainder
    const double w = std::floor(y);
    left = std::fma((y - w) - 0.5, q, remainder);  // (a / q - w - 1/2) * q
    whole = static_cast<uint64_t>(w);
  }
  side = (left > 0) - (left < 0);
}

// a (>= 0) * 10^scale rounded to the nearest integer (below 2^53), an exact
// half by `ties`. One correctly rounded multiplication (or division) of
// exact operands: its error is at most half a unit in the last place of y,
// so the rounding of y stands unless y lies within that distance of a
// half, which ExactHalfSide then decides.
inline bool QuickRoundScaled(double a, int scale, uint64_t& rounded, Ties ties) {
  using namespace fast_digits;
  if (scale > kMaxScale || scale < -kMaxScale) return false;
  const double y = scale >= 0 ? a * kExactPowers[scale] : a / kExactPowers[-scale];
  if (!(y < kExactIntegers)) return false;
  const uint64_t whole = static_cast<uint64_t>(static_cast<int64_t>(y));  // y >= 0: its floor
  const double frac = y - static_cast<double>(whole);  // exact: y and whole are close doubles
  const double error = y * 0x1p-52;  // equivalent: constant (one rounding errs by y * 2^-53 at most)
  if (std::fabs(frac - 0.5) > error) {
    rounded = whole + (frac > 0.5 ? 1 : 0);
    return true;
  }
  uint64_t exactWhole;
  int side;
  ExactHalfSide(a, scale, exactWhole, side);
  const bool up = side > 0 || (side == 0 && (ties == Ties::kAway || (exactWhole & 1) != 0));
  rounded = exactWhole + (up ? 1 : 0);
  return true;
}

// a (> 0) rounded to sig significant digits (1..15): digits holds exactly
// sig digits and a is about digits * 10^(exp10 - sig + 1).
inline bool QuickRoundSignificant(double a, int sig, uint64_t& digits, int& exp10, Ties ties) {
  using namespace fast_digits;
  if (sig < 1 || sig > 15 || !(a > 0) || !std::isfinite(a)) return false;  // equivalent: logical (callers ask 1 to 15 digits of a finite value above 0)
  // floor(log10(a)) or one less: a lies in [2^b, 2^(b+1)), and
  const int biased = static_cast<int>((std::bit_cast<uint64_t>(a) >> 52) & 0x7FF);
  if (biased == 0) return false;  // subnormal
  int e = ((biased - 1023) * kLog10Two) >> 18;
  // Scaled to sig digits; a carry out of the rounding (9.9996 to 10.000)
  // or a low estimate of the exponent gives one digit more: scale again.
  for (int attempt = 0;; ++attempt) {
    if (attempt == 3 || !QuickRoundScaled(a, sig - 1 - e, digits, ties)) return false;
    if (digits < kIntPowers[sig]) break;
    ++e;
  }
  if (digits < kIntPowers[sig - 1]) return false;  // not reached: the estimate is never high
  exp10 = e;
  return true;
}

// The text std::to_chars writes for nonzero v in scientific form with
// `precision` (0..14) places: "[-]d.ddde+XX". out needs 32 bytes.
inline char* QuickScientificDigits(char* out, double v, int precision) {
  const int sig = precision + 1;
  uint64_t r;
  int e;
  if (precision < 0 || precision > 14 || v == 0 || !QuickRoundSignificant(std::fabs(v), sig, r, e, Ties::kEven))  // equivalent: boundary, constant, equality (declined, it goes the general way)
    return nullptr;
  char* o = out;
  if (v < 0) *o++ = '-';
  // The digits after the first (and the point), then the first before them.
  char* const end = o + (sig > 1 ? sig + 1 : 1);
  PutDigitsBackwards(end, r, sig - 1);
  *o = static_cast<char>('0' + r);
  if (sig > 1) o[1] = '.';
  o = end;
  *o++ = 'e';
  *o++ = e < 0 ? '-' : '+';
  if (e < 0) e = -e;  // equivalent: boundary (-0 is 0)
  if (e < 10) *o++ = '0';
  return std::to_chars(o, o + 4, e).ptr;  // equivalent: constant (two digits on this path)
}

// A "0.000E+00" field of `width` at `field` (blanks there already; room for
// 16 bytes past the field), written in place from the float's bits: false
// when the quick way cannot decide or the field is too narrow, and the
// general way must render it (which also refuses what is not finite).
inline bool PutScientificField(char* field, float v, int width) {
  using namespace fast_digits;
  const uint32_t bits = std::bit_cast<uint32_t>(v);
  const uint32_t biased = (bits >> 23) & 0xFFu;
  const uint32_t minus = bits >> 31;
  if ((bits & 0x7FFFFFFFu) == 0)  // zero, either sign: "0.000E+00"
    return (width >= 9) && (std::memcpy(field + width - 9, "0.000E+00", 9), true);
  if (biased == 0 || biased == 0xFF) return false;  // subnormal, or not finite  // equivalent: constant (a subnormal's scale is past kMaxScale anyway)
  // The decimal exponent: from the binary one, one more where the value
  // reaches the next power of ten.
  const double a = std::fabs(static_cast<double>(v));
  int e = ((static_cast<int>(biased) - 127) * kLog10Two) >> 18;
  // (A power of ten left one low comes to 10000 below, which the carry makes 1.000 of the right one.)
  if (a >= kTenPowers[e + 1 - kMinTenPower]) ++e;  // equivalent: boundary
  // Four digits: one multiplication, within a unit in the last place of
  // the exact product (the factor is exact for 10^0 and up, the nearest
  // double below); the rounding stands unless that near a half.
  const int scale = 3 - e;
  if (scale < -kMaxScale || scale > kMaxScale) return false;
  const double y = a * kScales[scale + kMaxScale];
  const uint32_t whole = static_cast<uint32_t>(y);
  const double frac = y - static_cast<double>(whole);
  uint64_t digits = whole + (frac > 0.5 ? 1 : 0);
  if (std::fabs(frac - 0.5) <= y * 0x1p-51) {
    // Near a half (an exact half most often): decided exactly, a half
    // away from zero.
    uint64_t exactWhole;
    int side;
    ExactHalfSide(a, scale, exactWhole, side);
    digits = exactWhole + (side >= 0 ? 1 : 0);
  }
  if (digits < 1000 || digits > 10000) return false;  // equivalent: boundary, constant, logical (every normal float comes to 1000..10000 here: checked over all of them)
  if (digits == 10000) {  // 9.9996 and up: the carry makes 1.000 of the next power
    digits = 1000;
    ++e;
  }
  const int n = 9 + static_cast<int>(minus);
  if (n > width) return false;
  char* o = field + (width - n);
  *o = '-';
  o += minus;
  PutDigitsBackwards(o + 5, digits, 3);  // the three after the point, leaving the first
  o[0] = static_cast<char>('0' + digits);
  o[1] = '.';
  o[5] = 'E';
  o[6] = e < 0 ? '-' : '+';
  PutPair(o + 7, static_cast<uint64_t>(std::abs(e)));
  return true;
}

// A fixed-form field whose pattern has "0" decimals only (no "#" after
// them): `width` characters at `field` (blanks there already), the
// rendering right-justified, written in place. False when the quick
// rounding cannot decide or the rendering is wider than the field (the
// general way then renders it, and refuses what is not finite).
inline bool PutFixedField(char* field, float v, int minInt, bool point, int decimals, int width) {
  using namespace fast_digits;
  uint64_t rounded;
  if (decimals > 9 || !QuickRoundScaled(std::fabs(static_cast<double>(v)), decimals, rounded, Ties::kAway))
    return false;
  uint64_t whole = rounded / kIntPowers[decimals];
  int intDigits = DecimalDigitCount(whole);
  if (intDigits < minInt) intDigits = minInt;  // equivalent: boundary (the same value)
  const bool minus = std::signbit(v) && rounded != 0;
  const int n = static_cast<int>(minus) + intDigits + (point ? 1 + decimals : 0);
  if (n > width) return false;
  char* o = field + width;
  if (point) {
    o = PutDigitsBackwards(o, rounded, decimals);  // the decimals of rounded
    *--o = '.';
  }
  o = PutDigitsBackwards(o, whole, intDigits);
  if (minus) *--o = '-';
  return true;
}

}  // namespace orvant
