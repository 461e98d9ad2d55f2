#pragma once
// Little-endian reads from a model file held in memory. A value that the
// data does not wholly hold reads as 0 (a text field as blanks); nothing is
// ever read outside the data.
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

  int16_t I16() {
    unsigned char b[2];
    if (!Take(b, 2)) return 0;
    return static_cast<int16_t>(static_cast<uint16_t>(b[0] | (b[1] << 8)));
  }
  int32_t I32() {
    unsigned char b[4];
    if (!Take(b, 4)) return 0;
    uint32_t u = static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
                 (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24);
    return static_cast<int32_t>(u);
  }
  float F32() {
    unsigned char b[4];
    if (!Take(b, 4)) return 0.0f;
    uint32_t u = static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
                 (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24);
    float f;
    std::memcpy(&f, &u, 4);
    return f;
  }
  // A fixed-width text field; blanks when the data does not wholly hold it.
  std::string Text(size_t n) {
    std::string s(n, ' ');
    if (Remaining() >= n) std::memcpy(s.data(), data + position, n);
    Skip(n);
    return s;
  }

 private:
  // Copies n bytes when the data holds them all; always advances.
  bool Take(unsigned char* out, size_t n) {
    bool whole = Remaining() >= n;
    if (whole) std::memcpy(out, data + position, n);
    Skip(n);
    return whole;
  }
};

}  // namespace orvant
