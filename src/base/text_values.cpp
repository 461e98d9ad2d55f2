#include "base/text_values.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/checked.h"
#include "base/faults.h"

namespace orvant {

std::string UpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = UpperAscii(c);
  return out;
}


namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Significant digits kept from a number's text. Enough to decide the
// rounding of any double; further digits only count as "something nonzero
// follows", which a single extra digit stands for.
constexpr int kMaxDigits = 800;
// Exponents beyond this are certain overflow or underflow either way.
constexpr long long kExponentLimit = 100000;

// Powers of ten that a double holds exactly.
constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

}  // namespace

namespace {

// The end of the quick reading, from the digits read (nonzero, at most 15
// significant) and the decimal exponent of the last one: an optional
// exponent (E or D, either case, optional sign, digits) at p, then the
// value, one exact power of ten applied. With `bounded`, end is watched.
template <bool bounded>
const char* QuickValue(const char* p, const char* end, uint64_t digits, int scale, bool negative, double& value) {
  const auto more = [end](const char* q) { return !bounded || q != end; };
  if (more(p) && (*p == 'E' || *p == 'e' || *p == 'D' || *p == 'd')) {
    const char* q = p + 1;
    bool expNegative = false;
    if (more(q) && (*q == '+' || *q == '-')) {
      expNegative = *q == '-';
      ++q;
    }
    if (more(q) && IsDigit(*q)) {
      int e = 0;
      for (; more(q) && IsDigit(*q); ++q) {
        if (e > 1000) return nullptr;
        e = e * 10 + (*q - '0');
      }
      scale += expNegative ? -e : e;
      p = q;
    }
  }
  if (scale < -22 || scale > 22) return nullptr;
  // Whole numbers and decimals alike divide (by 1 for a whole number), so
  // the branch goes the same way for nearly every field.
  double v = static_cast<double>(digits);
  v = scale <= 0 ? v / kExactPowers[-scale] : v * kExactPowers[scale];  // equivalent: boundary (by 1 either way)
  value = negative ? -v : v;
  return p;
}

// The quick reading, with or without the end in view: when `bounded` is
// false the text goes on past every number to a character that is no part
// of one, and end is not looked at.
template <bool bounded>
const char* QuickNumber(const char* p, const char* end, double& value) {
  const auto more = [end](const char* q) { return !bounded || q != end; };
  while (more(p) && IsBlank(*p)) ++p;
  bool negative = false;
  if (more(p) && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    ++p;
  }
  // The digits without leading zeros; scale is the decimal exponent of the
  // last one. More than 19 digits overflow `digits`, but more than 15 are
  // left to the full conversion anyway.
  uint64_t digits = 0;
  int scale = 0;
  while (more(p) && *p == '0') ++p;
  const char* const intStart = p;
  for (; more(p) && IsDigit(*p); ++p) digits = digits * 10 + static_cast<uint64_t>(*p - '0');
  int count = static_cast<int>(p - intStart);
  if (more(p) && *p == '.') {
    ++p;
    if (count == 0) {
      for (; more(p) && *p == '0'; ++p) --scale;
    }
    const char* const fracStart = p;
    for (; more(p) && IsDigit(*p); ++p) digits = digits * 10 + static_cast<uint64_t>(*p - '0');
    count += static_cast<int>(p - fracStart);
    scale -= static_cast<int>(p - fracStart);
  }
  if (count > 15) return nullptr;
  if (count == 0) {
    value = 0.0;  // no digit, or zeros only
    return p;
  }
  return QuickValue<bounded>(p, end, digits, scale, negative, value);
}

}  // namespace

const char* QuickLeadingNumber(const char* p, const char* end, double& value) {
  return QuickNumber<true>(p, end, value);
}

namespace {

// The bytes of w (eight characters, the first in the lowest byte) that are
// not decimal digits: nonzero bytes there. A carry out of a byte of 0xFA or
// more reaches only the bytes after it, and that byte is no digit.
inline uint64_t NonDigitBytes(uint64_t w) {
  const uint64_t high = 0xF0F0F0F0F0F0F0F0ull, zeros = 0x3030303030303030ull;
  return ((w & high) ^ zeros) | (((w + 0x0606060606060606ull) & high) ^ zeros);
}

// How many of the eight characters of w, from the first, are digits.
inline int LeadingDigits(uint64_t w) {
  const uint64_t nonDigits = NonDigitBytes(w);
  return nonDigits == 0 ? 8 : std::countr_zero(nonDigits) >> 3;
}

// The value of the first n (1..8) digit characters of w: moved to the top
// bytes, with zero bytes (leading zeros) below them, combined pairwise.
inline uint64_t DigitsValue(uint64_t w, int n) {
  w <<= 8 * (8 - n);
  w = ((w & 0x0F0F0F0F0F0F0F0Full) * 2561) >> 8;
  w = ((w & 0x00FF00FF00FF00FFull) * 6553601) >> 16;
  return ((w & 0x0000FFFF0000FFFFull) * 42949672960001ull) >> 32;
}

inline uint64_t LoadEight(const char* p) {
  uint64_t w;
  std::memcpy(&w, p, sizeof w);
  return w;
}

constexpr uint64_t kTensTo[] = {10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};  // 10^1 .. 10^8

}  // namespace

// The common field ("-2694.9", "17652", "0.0092845") eight characters at a
// time: up to seven integer digits and seven decimals are read as whole
// words, and the value formed exactly as the character by character reading
// forms it (the same digits over the same power of ten). Anything else goes
// that way.
const char* QuickNumberBeforeComma(const char* p, double& value) {
  const char* const start = p;
  const bool negative = *p == '-';
  if (negative || *p == '+') ++p;
  uint64_t w = LoadEight(p);
  int n = LeadingDigits(w);
  if (n == 8) return QuickNumber<false>(start, nullptr, value);
  uint64_t digits = n == 0 ? 0 : DigitsValue(w, n);
  p += n;
  int scale = 0;
  if (*p == '.') {
    ++p;
    w = LoadEight(p);
    n = LeadingDigits(w);
    if (n == 8) return QuickNumber<false>(start, nullptr, value);
    if (n > 0) digits = digits * kTensTo[n - 1] + DigitsValue(w, n);
    scale = -n;
    p += n;
  } else if (n == 0 && (*start == ' ' || *start == '\t')) {
    return QuickNumber<false>(start, nullptr, value);  // blanks before the number
  }
  if (digits == 0) {
    value = 0.0;  // no digit, or zeros only
    return p;
  }
  return QuickValue<false>(p, nullptr, digits, scale, negative, value);
}

double LeadingNumber(std::string_view text) {
  if (double value; QuickLeadingNumber(text.data(), text.data() + text.size(), value)) return value;  // equivalent: arithmetic (declined, the number is read below to the same value)
  size_t i = 0;
  const size_t n = text.size();
  while (i < n && IsBlank(text[i])) ++i;

  // Mantissa digits without the decimal point, then "e" and the exponent.
  char buf[kMaxDigits + 32];
  int len = 0;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }

  bool anyDigit = false;     // the text holds at least one digit
  bool significant = false;  // a nonzero digit has been met
  bool sticky = false;       // a dropped digit was nonzero
  long long shift = 0;       // decimal exponent of the kept digits' last place
  bool seenPoint = false;
  for (; i < n; ++i) {
    char c = text[i];
    if (c == '.') {
      if (seenPoint) break;
      seenPoint = true;
      continue;
    }
    if (!IsDigit(c)) break;
    anyDigit = true;
    if (!significant && c == '0') {
      if (seenPoint) --shift;  // zeros between the point and the first digit
      continue;
    }
    significant = true;
    if (len < kMaxDigits) {
      buf[len++] = c;
      if (seenPoint) --shift;
    } else {
      if (c != '0') sticky = true;
      if (!seenPoint) ++shift;  // a dropped integer digit still counts a place
    }
  }
  if (!anyDigit || !significant) return 0.0;

  // Exponent: E or D, either case, optional sign, at least one digit.
  if (i < n && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
    size_t j = i + 1;
    bool expNegative = false;
    if (j < n && (text[j] == '+' || text[j] == '-')) {
      expNegative = text[j] == '-';
      ++j;
    }
    if (j < n && IsDigit(text[j])) {
      long long e = 0;
      for (; j < n && IsDigit(text[j]); ++j)
        if (e < kExponentLimit) e = e * 10 + (text[j] - '0');
      shift += expNegative ? -e : e;
    }
  }

  if (sticky) {
    buf[len++] = '1';
    --shift;
  }
  const int digits = len;
  if (shift > kExponentLimit) shift = kExponentLimit;
  if (shift < -kExponentLimit) shift = -kExponentLimit;
  buf[len++] = 'e';
  auto [end, ec] = std::to_chars(buf + len, buf + sizeof buf, shift);
  (void)ec;  // the buffer always has room for the exponent
  len = static_cast<int>(end - buf);

  double value = 0.0;
  auto result = std::from_chars(buf, buf + len, value);
  if (result.ec == std::errc::result_out_of_range) {
    // Magnitude decides: digits before the point plus the exponent.
    long long magnitude = digits + shift;
    value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;  // equivalent: constant (out of range, the magnitude is past 300 or below -300)
  }
  return negative ? -value : value;
}

bool TextValues::AtEnd() const {
  for (size_t i = pos; i < data.size(); ++i) {
    char c = data[i];
    if (!IsBlank(c) && !IsLineEnd(c)) return false;
  }
  return true;
}

namespace {

// Consumes one line end (CR, LF, or CR LF) at pos.
void SkipLineEnd(const std::string& data, size_t& pos) {
  if (data[pos] == '\r' && pos + 1 < data.size() && data[pos + 1] == '\n')
    pos += 2;
  else
    pos += 1;
}

enum class Start { Value, Empty };

// Moves to the start of the next value: skips blanks and lines that hold
// nothing but blanks. Returns Empty (with the delimiter consumed) when the
// value is the empty piece before a comma, or after a comma before a line end.
Start SeekValue(const std::string& data, size_t& pos, bool& afterComma) {
  for (;;) {
    while (pos < data.size() && IsBlank(data[pos])) ++pos;
    if (pos >= data.size()) return Start::Value;  // not reached: AtEnd checked first
    char c = data[pos];
    if (c == ',') {
      ++pos;
      afterComma = true;
      return Start::Empty;
    }
    if (IsLineEnd(c)) {
      SkipLineEnd(data, pos);
      if (afterComma) {
        afterComma = false;
        return Start::Empty;
      }
      continue;  // a blank line gives no value
    }
    return Start::Value;
  }
}

// Blanks after a number; a comma or line end there closes the value,
// anything else starts the next one.
void FinishNumber(const std::string& data, size_t& pos, bool& afterComma) {
  while (pos < data.size() && IsBlank(data[pos])) ++pos;
  afterComma = false;
  if (pos < data.size()) {
    if (data[pos] == ',') {
      ++pos;
      afterComma = true;
    } else if (IsLineEnd(data[pos])) {
      SkipLineEnd(data, pos);
    }
  }
}

// Skips to the next comma or line end and consumes it.
void EndValue(const std::string& data, size_t& pos, bool& afterComma) {
  while (pos < data.size() && data[pos] != ',' && !IsLineEnd(data[pos])) ++pos;
  afterComma = false;
  if (pos >= data.size()) return;
  if (data[pos] == ',') {
    ++pos;
    afterComma = true;
  } else {
    SkipLineEnd(data, pos);
  }
}

// A quoted value at pos: its text between the quotes (the closing quote may
// be missing at the end of the file); the rest of the piece is skipped.
std::string_view QuotedValue(const std::string& data, size_t& pos, bool& afterComma) {
  size_t begin = pos + 1;
  size_t close = data.find('"', begin);
  if (close == std::string::npos) close = data.size();
  std::string_view text(data.data() + begin, close - begin);
  pos = close < data.size() ? close + 1 : close;
  EndValue(data, pos, afterComma);
  return text;
}

}  // namespace

std::string TextValues::Text() {
  if (AtEnd()) throw RunFault("input past end of file " + name);
  if (SeekValue(data, pos, afterComma) == Start::Empty) return std::string();
  if (data[pos] == '"') return std::string(QuotedValue(data, pos, afterComma));

  size_t begin = pos;
  while (pos < data.size() && data[pos] != ',' && !IsLineEnd(data[pos])) ++pos;
  size_t end = pos;
  while (end > begin && IsBlank(data[end - 1])) --end;
  std::string text(data, begin, end - begin);
  EndValue(data, pos, afterComma);
  return text;
}

// Digits of a whole number read quickly; longer ones take the general way,
// which gives the same value.
constexpr size_t kQuickDigits = 9;  // equivalent: constant (any count up to 18 reads alike)

double TextValues::Number() {
  // The usual value, a whole number of up to nine digits closed by a comma,
  // a blank or a line end, is read here; its value is what the leading
  // number rule gives for it.
  const size_t n = data.size();
  size_t i = pos;
  const bool negative = i < n && data[i] == '-';
  if (negative) ++i;
  const size_t digits = i;
  int64_t whole = 0;
  while (i < n && i - digits < kQuickDigits && IsDigit(data[i])) whole = whole * 10 + (data[i++] - '0');  // equivalent: boundary (the closing NUL is no digit; ten digits read alike)
  if (i > digits && (i == n || data[i] == ',' || data[i] == ' ' || IsLineEnd(data[i]))) {
    pos = i;
    FinishNumber(data, pos, afterComma);
    return negative && whole != 0 ? -static_cast<double>(whole) : static_cast<double>(whole);
  }

  if (AtEnd()) throw RunFault("input past end of file " + name);
  if (SeekValue(data, pos, afterComma) == Start::Empty) return 0.0;
  if (quotedNumbers && data[pos] == '"') return LeadingNumber(QuotedValue(data, pos, afterComma));

  size_t begin = pos;
  while (pos < data.size() && data[pos] != ',' && data[pos] != ' ' && !IsLineEnd(data[pos])) ++pos;
  double value = LeadingNumber(std::string_view(data.data() + begin, pos - begin));
  FinishNumber(data, pos, afterComma);
  return value;
}

int16_t TextValues::Int16() {
  double value = Number();
  try {
    return ToInt16(value);
  } catch (const RunFault& fault) {
    throw RunFault(name + ": " + fault.what());
  }
}

namespace {

// Position of the first CR or LF at or after from; data.size() when there
// is none. Sixteen bytes at a time where the processor allows.
size_t FindLineEnd(std::string_view data, size_t from) {
  const char* const base = data.data();
  const size_t n = data.size();
  size_t i = from;
#if defined(__SSE2__)
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i lf = _mm_set1_epi8('\n');
  constexpr size_t kLanes = sizeof(__m128i);
  for (; i + kLanes <= n; i += kLanes) {  // equivalent: boundary (the loop below reads what is left)
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(base + i));
    const int mask = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, cr), _mm_cmpeq_epi8(chunk, lf)));
    if (mask != 0) return i + static_cast<size_t>(std::countr_zero(static_cast<unsigned>(mask)));
  }
#endif
  for (; i < n; ++i) {
    if (IsLineEnd(base[i])) return i;
  }
  return n;
}

}  // namespace

bool LineReader::Next(std::string_view& line) {
  if (pos >= data.size()) return false;
  const size_t end = FindLineEnd(data, pos);
  line = data.substr(pos, end - pos);
  if (end >= data.size())
    pos = end;
  else if (data[end] == '\r' && end + 1 < data.size() && data[end + 1] == '\n')
    pos = end + 2;
  else
    pos = end + 1;
  return true;
}

}  // namespace orvant
