#pragma once
// The number renderers as strings, for tests: the listing writes fields in
// place, tests compare texts.
#include <string>
#include <string_view>

#include "listing/numbers.h"
#include "support/exact_reference.h"

namespace orvant::testing {

// The plain formatter: v rendered by pattern, without justification.
inline std::string FormatPlain(float v, std::string_view pattern) {
  char buf[kRenderRoom];
  return std::string(buf, static_cast<size_t>(RenderNumber(buf, v, ParseNumberPattern(pattern))));
}

// Width blanks followed by the rendering, of which the last width
// characters are kept.
inline std::string FormatRight(float v, std::string_view pattern, int width) {
  return width <= 0 ? "" : RightJustified(FormatPlain(v, pattern), width);
}

// What one of the listing's Put functions writes for v, appended to out.
template <class T>
void AppendPut(std::string& out, T v, char* (*put)(char*, T)) {
  char tmp[kBareRoom];
  out.append(tmp, static_cast<size_t>(put(tmp, v) - tmp));
}

// Bare numbers (a blank or "-", the digits, one blank) appended to out.
inline void AppendBareInt(std::string& out, long long v) { AppendPut(out, v, PutBareInt); }
inline void AppendBareSingle(std::string& out, float v) { AppendPut(out, v, PutBareSingle); }
inline void AppendBareDouble15(std::string& out, double v) { AppendPut(out, v, PutBareDouble15); }
// A whole number as digits without blanks.
inline void AppendDigits(std::string& out, long long v) { AppendPut(out, v, PutDigits); }

}  // namespace orvant::testing
