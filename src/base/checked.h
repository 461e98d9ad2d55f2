#pragma once
// Checked tables and checked 16-bit conversions. Every lookup that data can
// drive out of range goes through these; a bad index throws IndexFault,
// a value that does not fit 16 bits throws RunFault.
#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "base/faults.h"

namespace orvant {

[[noreturn]] void ThrowIndexFault(const char* table, long long index, long long maxIndex);

// A table indexed 0..MaxIndex(). Sized once; every access is checked.
template <class T>
struct Table {
  std::vector<T> items;
  const char* name = "table";

  // Sizes the table to indices 0..maxIndex, all values reset to T{}.
  void Size(long long maxIndex) {
    items.assign(maxIndex < 0 ? 0 : static_cast<size_t>(maxIndex + 1), T{});
  }
  void Release() { std::vector<T>().swap(items); }
  long long MaxIndex() const { return static_cast<long long>(items.size()) - 1; }
  bool Has(long long i) const { return i >= 0 && i < static_cast<long long>(items.size()); }
  T& operator[](long long i) {
    if (!Has(i)) ThrowIndexFault(name, i, MaxIndex());
    return items[static_cast<size_t>(i)];
  }
  const T& operator[](long long i) const {
    if (!Has(i)) ThrowIndexFault(name, i, MaxIndex());
    return items[static_cast<size_t>(i)];
  }
};

// Checked access to a fixed array (positions of a record).
template <class T, size_t N>
T& At(std::array<T, N>& a, long long i) {
  if (i < 0 || i >= static_cast<long long>(N)) ThrowIndexFault("position", i, N - 1);
  return a[static_cast<size_t>(i)];
}
template <class T, size_t N>
const T& At(const std::array<T, N>& a, long long i) {
  if (i < 0 || i >= static_cast<long long>(N)) ThrowIndexFault("position", i, N - 1);
  return a[static_cast<size_t>(i)];
}

// Rounds to the nearest integer, halves to the even neighbour, into 16 bits.
// NaN, infinities and values outside -32768..32767 throw RunFault.
int16_t ToInt16(double value);

[[noreturn]] void ThrowOverflow16(long long v);

// Checked narrowing of an integer to 16 bits.
inline int16_t Narrow16(long long v) {
  if (v < -32768 || v > 32767) ThrowOverflow16(v);
  return static_cast<int16_t>(v);
}
// 16-bit arithmetic that fails on overflow, as the system's 16-bit sums do.
inline int16_t Add16(long long a, long long b) { return Narrow16(a + b); }
inline int16_t Mul16(long long a, long long b) { return Narrow16(a * b); }

}  // namespace orvant
