#pragma once
// Numbers appended to a text being built, as std::to_chars writes them.
#include <charconv>
#include <string>

namespace orvant {

inline void AppendInt(std::string& out, long long v) {
  char buf[24];
  out.append(buf, static_cast<size_t>(std::to_chars(buf, buf + sizeof buf, v).ptr - buf));
}

// Fixed, with two decimals.
inline void AppendFixed2(std::string& out, double v) {
  char buf[48];
  out.append(buf, static_cast<size_t>(std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 2).ptr - buf));
}

// The shortest text that reads back to the same float.
inline void AppendShortest(std::string& out, float v) {
  char buf[32];
  out.append(buf, static_cast<size_t>(std::to_chars(buf, buf + sizeof buf, v).ptr - buf));
}

}  // namespace orvant
