#pragma once
// Little-endian reads from a model file held in memory. A value that the
// data does not wholly hold reads as 0 (a text field as blanks); nothing is
// ever read outside the data.
#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace orvant {

struct BinaryReader {
  const unsigned char* data = nullptr;
  size_t size = 0;
  size_t position = 0;

  BinaryReader() = default;
  explicit BinaryReader(const std::vector<unsigned char>& bytes) : data(bytes.data()), size(bytes.size()) {}
  BinaryReader(const unsigned char* bytes, size_t n) : data(bytes), size(n) {}

  bool AtEnd() const { return position >= size; }
  size_t Remaining() const { return position >= size ? 0 : size - position; }
  void Seek(size_t offset) { position = offset; }
  void Skip(size_t n) { position = (n > SIZE_MAX - position) ? SIZE_MAX : position + n; }

  int16_t I16() { return Next<int16_t>(); }
  int32_t I32() { return Next<int32_t>(); }
  float F32() { return Next<float>(); }
  // A fixed-width text field; blanks when the data does not wholly hold it.
  std::string Text(size_t n) {
    std::string s(n, ' ');
    if (Remaining() >= n) std::memcpy(s.data(), data + position, n);
    Skip(n);
    return s;
  }

 private:
  // The next sizeof(T) bytes as a T; 0 (no bytes copied) when the data does
  // not hold them all. Always advances.
  template <class T>
  T Next() {
    std::array<unsigned char, sizeof(T)> b{};
    const bool whole = Remaining() >= b.size();
    if (whole) std::memcpy(b.data(), data + position, b.size());
    Skip(b.size());
    if constexpr (std::endian::native == std::endian::big) std::reverse(b.begin(), b.end());
    return std::bit_cast<T>(b);
  }
};

}  // namespace orvant
