// Fuzz target: the number renderers (plain formatter, FormatRight, bare
// singles and load factors) against the slow exact reference, for any
// float or double, a pattern built from the input and any width. A pattern
// taken raw from the input must render or be refused, never crash.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>

#include "listing/fast_digits.h"
#include "listing/numbers.h"
#include "base/faults.h"
#include "support/exact_reference.h"
#include "support/number_strings.h"

using namespace orvant;
using namespace orvant::testing;

namespace {

// The reference field: the exact rendering right-justified, nothing at width 0.
std::string RefField(float v, const std::string& pat, int width) {
  return width <= 0 ? "" : RightJustified(RefPattern(v, pat), width);
}

struct Input {
  const uint8_t* data;
  size_t size;
  size_t at = 0;
  uint8_t Byte() { return at < size ? data[at++] : 0; }
  uint32_t U32() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(Byte()) << (8 * i);
    return v;
  }
  uint64_t U64() { return U32() | (static_cast<uint64_t>(U32()) << 32); }
};

void Fail(const std::string& what, const std::string& got, const std::string& want) {
  std::fprintf(stderr, "%s: got \"%s\", want \"%s\"\n", what.c_str(), got.c_str(), want.c_str());
  std::abort();
}

// A pattern the listing could use: integer "#"s then "0"s, an optional
// point with "0"s then "#"s, or the exponent form.
std::string BuildPattern(Input& in) {
  const uint8_t shape = in.Byte();
  if (shape & 1) {
    std::string p = "0";
    int zeros = in.Byte() % 21;
    if (zeros > 0 || (shape & 2)) p += "." + std::string(static_cast<size_t>(zeros), '0');
    p += (shape & 4) ? "E+" : "E-";
    p += std::string(static_cast<size_t>(1 + in.Byte() % 10), '0');
    return p;
  }
  int hashes = in.Byte() % 40, intZeros = in.Byte() % 21;
  if (hashes + intZeros == 0) hashes = 1;
  std::string p = std::string(static_cast<size_t>(hashes), '#') + std::string(static_cast<size_t>(intZeros), '0');
  if (shape & 2) {
    int fz = in.Byte() % 31, fh = in.Byte() % 31;
    p += "." + std::string(static_cast<size_t>(fz), '0') + std::string(static_cast<size_t>(fh), '#');
  }
  return p;
}

float FloatOf(uint32_t bits) {
  float f;
  std::memcpy(&f, &bits, 4);
  return f;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in{data, size};
  const uint8_t mode = in.Byte();
  const float v = FloatOf(in.U32());

  if (mode == 0xFF) {
    // A raw pattern: rendered or refused.
    std::string pattern(reinterpret_cast<const char*>(data) + in.at, size - in.at);
    try {
      std::string s = FormatRight(v, pattern, 11);
      if (s.size() != 11) Fail("width of a raw pattern's field", s, "11 characters");
      FormatPlain(v, pattern);
    } catch (const std::logic_error&) {
    } catch (const RunFault&) {
      if (std::isfinite(v)) Fail("finite value refused", pattern, "a rendering");
    }
    return 0;
  }

  const std::string pattern = BuildPattern(in);
  const int width = static_cast<int>(in.Byte() % 48) - 4;
  const double d = [&] {
    uint64_t bits = in.U64();
    double x;
    std::memcpy(&x, &bits, 8);
    return x;
  }();

  if (!std::isfinite(v)) {
    bool refused = false;
    try {
      FormatPlain(v, pattern);
    } catch (const RunFault&) {
      refused = true;
    }
    if (!refused) Fail("non-finite value rendered", pattern, "RunFault");
  } else {
    std::string want = RefPattern(v, pattern);
    std::string got = FormatPlain(v, pattern);
    if (got != want) Fail("pattern " + pattern, got, want);
    got = FormatRight(v, pattern, width);
    want = RefField(v, pattern, width);
    if (got != want) Fail("field " + pattern + " width " + std::to_string(width), got, want);
    // The listing writes "0.000E+00" fields in place where it can.
    char field[64];
    std::memset(field, ' ', 32);
    if (width <= 32 && PutScientificField(field, v, width)) {
      want = RefField(v, "0.000E+00", width);
      got.assign(field, static_cast<size_t>(width > 0 ? width : 0));
      if (got != want) Fail("scientific field in place, width " + std::to_string(width), got, want);
    }

    std::string bare;
    AppendBareSingle(bare, v);
    want = RefBare(v, 7, 7);
    if (bare != want) Fail("bare single", bare, want);
  }

  if (std::isfinite(d)) {
    std::string bare;
    AppendBareDouble15(bare, d);
    std::string want = RefBare(d, 15, 15);
    if (bare != want) Fail("bare load factor", bare, want);
  }

  std::string digits;
  const long long whole = static_cast<long long>(in.U64());
  AppendDigits(digits, whole);
  if (digits != std::to_string(whole)) Fail("digits", digits, std::to_string(whole));
  return 0;
}
