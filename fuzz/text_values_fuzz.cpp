// Fuzz target: the delimited text value reader and the leading-number rule.
// The first byte chooses the kinds of value asked for (text, number, 16-bit
// number, 16-bit number with quotes dropped); the rest is the file.
// Every value asked for either comes back, moving the reader on, or fails
// with RunFault past the last value; the leading number agrees with a
// correctly rounded strtod of the same digits.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "base/faults.h"
#include "base/text_values.h"
#include "fuzz_support.h"

using namespace orvant;
using orvant::fuzz::Check;

namespace {

// The leading number by the rule, converted by strtod.
double ReferenceLeadingNumber(std::string_view t) {
  size_t i = 0;
  while (i < t.size() && (t[i] == ' ' || t[i] == '\t')) ++i;
  std::string s;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) s += t[i++];
  bool digit = false, point = false;
  for (; i < t.size(); ++i) {
    if (t[i] == '.' && !point) {
      point = true;
      s += '.';
    } else if (t[i] >= '0' && t[i] <= '9') {
      digit = true;
      s += t[i];
    } else {
      break;
    }
  }
  if (!digit) return 0.0;
  if (i < t.size() && (t[i] == 'E' || t[i] == 'e' || t[i] == 'D' || t[i] == 'd')) {
    size_t j = i + 1;
    std::string e = "e";
    if (j < t.size() && (t[j] == '+' || t[j] == '-')) e += t[j++];
    size_t digitsFrom = j;
    std::string expDigits;
    for (; j < t.size() && t[j] >= '0' && t[j] <= '9'; ++j) expDigits += t[j];
    if (j > digitsFrom) {
      // Very long exponents saturate; strtod handles them as written.
      s += e + expDigits;
    }
  }
  double v = std::strtod(s.c_str(), nullptr);
  return v;
}

bool SameNumber(double a, double b) {
  if (a == 0 && b == 0) return true;  // the rule does not promise the sign of zero
  return a == b;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t plan = data[0];
  std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);

  double lead = LeadingNumber(text);
  double ref = ReferenceLeadingNumber(text);
  if (!SameNumber(lead, ref)) {
    std::fprintf(stderr, "LeadingNumber %.17g, reference %.17g\n", lead, ref);
    std::abort();
  }

  TextValues values(text, "FUZZ.TXT");
  unsigned step = 0;
  while (!values.AtEnd()) {
    const size_t before = values.pos;
    const unsigned kind = (plan >> (2 * (step++ % 4))) & 3;
    values.quotedNumbers = kind == 3;  // numbers in quotes as the element line data reads them
    try {
      if (kind == 0) {
        std::string v = values.Text();
        Check(v.size() <= text.size(), "text value longer than the file");
      } else if (kind == 1) {
        double v = values.Number();
        Check(!std::isnan(v), "number is NaN");
      } else {
        values.Int16();
      }
    } catch (const RunFault&) {
      // Only a 16-bit overflow may fail while values remain.
      Check(kind >= 2, "a value failed before the end");
      if (values.pos > before) continue;
      break;
    }
    Check(values.pos > before, "a value was read without moving on");
    Check(values.pos <= text.size(), "position past the end");
  }
  bool failed = false;
  try {
    values.Text();
  } catch (const RunFault&) {
    failed = true;
  }
  Check(failed, "a value read past the end did not fail");

  LineReader lines(text);
  std::string_view line;
  size_t total = 0, count = 0;
  while (lines.Next(line)) {
    Check(line.find_first_of("\r\n") == std::string_view::npos, "a line holds a line end");
    total += line.size();
    ++count;
    Check(count <= text.size(), "more lines than bytes");
  }
  Check(total <= text.size(), "lines longer than the file");
  return 0;
}
