#pragma once
// Numbers appended to a text being built, as std::to_chars writes them.
#include <charconv>
#include <limits>
#include <string>

namespace orvant {

// Room for any value: its digits, sign, point and decimals or exponent.
template <class T>
constexpr size_t kNumberRoom = std::numeric_limits<T>::max_exponent10 + 24;  // equivalent: constant (room to spare)

inline void AppendInt(std::string& out, long long v) {
  char buf[kNumberRoom<long long>];
  out.append(buf, static_cast<size_t>(std::to_chars(buf, buf + sizeof buf, v).ptr - buf));
}

// Fixed, with two decimals: the widest double (309 digits) fits.
inline void AppendFixed2(std::string& out, double v) {
  char buf[kNumberRoom<double>];
  out.append(buf, static_cast<size_t>(std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 2).ptr - buf));
}

// The shortest text that reads back to the same float.
inline void AppendShortest(std::string& out, float v) {
  char buf[kNumberRoom<float>];
  out.append(buf, static_cast<size_t>(std::to_chars(buf, buf + sizeof buf, v).ptr - buf));
}

}  // namespace orvant
