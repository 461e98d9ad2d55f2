#include "listing/listing.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "listing/numbers.h"
#include "run/faults.h"

namespace orvant {

namespace {
constexpr size_t kFlushSize = 1 << 16;
}

void Listing::Open(const std::string& filePath) {
  path = filePath;
  fd = ::open(filePath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) throw RunFault("cannot create " + filePath + ": " + std::strerror(errno));
  buffer.reserve(kFlushSize * 2);
  column = 1;
  written = 0;
}

void Listing::Flush() {
  size_t done = 0;
  while (done < buffer.size()) {
    ssize_t n = ::write(fd, buffer.data() + done, buffer.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      buffer.erase(0, done);
      throw RunFault("cannot write " + path + ": " + std::strerror(errno));
    }
    done += static_cast<size_t>(n);
  }
  written += static_cast<long long>(done);
  buffer.clear();
}

bool Listing::Close() {
  if (fd < 0) return true;
  bool ok = true;
  try {
    Flush();
  } catch (const RunFault&) {
    ok = false;
  }
  ok = (::close(fd) == 0) && ok;
  fd = -1;
  return ok;
}

// Keeps the print position: every item appends printable single-byte
// characters only, so the position grows by the count appended.
void Listing::AfterAppend(size_t oldSize) {
  column += static_cast<int>(buffer.size() - oldSize);
  if (buffer.size() >= kFlushSize && fd >= 0) Flush();
}

Listing& Listing::Text(std::string_view text) {
  size_t old = buffer.size();
  buffer.append(text);
  AfterAppend(old);
  return *this;
}

Listing& Listing::Int(long long value) {
  size_t old = buffer.size();
  AppendBareInt(buffer, value);
  AfterAppend(old);
  return *this;
}

Listing& Listing::Single(float value) {
  size_t old = buffer.size();
  AppendBareSingle(buffer, value);
  AfterAppend(old);
  return *this;
}

Listing& Listing::Factor(double value) {
  size_t old = buffer.size();
  AppendBareDouble15(buffer, value);
  AfterAppend(old);
  return *this;
}

Listing& Listing::Digits(long long value) {
  size_t old = buffer.size();
  AppendDigits(buffer, value);
  AfterAppend(old);
  return *this;
}

Listing& Listing::Column(int n) {
  if (column > n) End();
  if (column < n) Repeat(' ', n - column);
  return *this;
}

Listing& Listing::NextZone() {
  int next = ((column - 1) / 14 + 1) * 14 + 1;
  return Repeat(' ', next - column);
}

Listing& Listing::Field(float value, std::string_view pattern, int width) {
  size_t old = buffer.size();
  AppendFormatRight(buffer, value, patterns.Parsed(pattern), width);
  AfterAppend(old);
  return *this;
}

Listing& Listing::Plain(float value, std::string_view pattern) {
  size_t old = buffer.size();
  AppendPattern(buffer, value, patterns.Parsed(pattern));
  AfterAppend(old);
  return *this;
}

Listing& Listing::Repeat(char c, int count) {
  if (count <= 0) return *this;
  size_t old = buffer.size();
  buffer.append(static_cast<size_t>(count), c);
  AfterAppend(old);
  return *this;
}

void Listing::End() {
  buffer.append("\r\n", 2);
  column = 1;
  if (buffer.size() >= kFlushSize && fd >= 0) Flush();
}

void Listing::Rule() {
  Repeat('=', 105);
  End();
}

}  // namespace orvant
