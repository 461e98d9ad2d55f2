#include "support/number_strings.h"

#include "listing/numbers.h"

namespace orvant::testing {

std::string FormatPlain(float v, std::string_view pattern) {
  char buf[kRenderRoom];
  const int n = RenderNumber(buf, v, ParseNumberPattern(pattern));
  return std::string(buf, static_cast<size_t>(n));
}

std::string FormatRight(float v, std::string_view pattern, int width) {
  if (width <= 0) return "";
  std::string field(static_cast<size_t>(width), ' ');
  field += FormatPlain(v, pattern);
  return field.substr(field.size() - static_cast<size_t>(width));
}

namespace {

template <class T>
void AppendPut(std::string& out, T v, char* (*put)(char*, T)) {
  char tmp[kBareRoom];
  out.append(tmp, static_cast<size_t>(put(tmp, v) - tmp));
}

}  // namespace

void AppendBareInt(std::string& out, long long v) { AppendPut(out, v, PutBareInt); }
void AppendBareSingle(std::string& out, float v) { AppendPut(out, v, PutBareSingle); }
void AppendBareDouble15(std::string& out, double v) { AppendPut(out, v, PutBareDouble15); }
void AppendDigits(std::string& out, long long v) { AppendPut(out, v, PutDigits); }

}  // namespace orvant::testing
