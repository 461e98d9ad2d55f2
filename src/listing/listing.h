#pragma once
// The listing writer: lines are built from items (text, bare numbers,
// advance to column, next print zone, formatted fields) and end with CR LF.
// Items are written straight into one output buffer, which goes to the file
// in large blocks; without a file the buffer keeps everything. A second
// thread writes each full block to the file while the next one is built.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "listing/fast_digits.h"
#include "listing/numbers.h"

namespace orvant {

struct Listing {
  int fd = -1;
  std::string path;
  int column = 1;  // print position of the next character (1-based)

  Listing();
  ~Listing();  // stops the writing thread; closes the file if still open
  Listing(const Listing&) = delete;
  Listing& operator=(const Listing&) = delete;

  // Creates (or empties) the listing file, first waiting for the exclusive
  // lock on it that a run writing the same listing holds until it closes.
  // Throws RunFault on failure.
  void Open(const std::string& filePath);
  // Writes what is pending (a line being built included) and closes: 0, or
  // the errno of the first write (or of the close) that failed.
  int Close();
  // Hands the pending output over to be written. A write that failed
  // before throws RunFault.
  void Flush();
  // As Flush, but false rather than a throw.
  bool HandOver();
  // The output not yet written to the file, and dropping it.
  std::string_view Pending() const { return {store.get(), used}; }
  void Discard() { used = 0; }

  // Items. The frequent ones are written here, inline: they are most of
  // what the listing's thread does.
  Listing& Text(std::string_view text) {
    char* o = Room(text.size());
    if (!text.empty()) std::memcpy(o, text.data(), text.size());
    return Took(o + text.size());
  }
  Listing& Int(long long value);        // bare 16/32-bit number: " 7 ", "-12 "
  Listing& Single(float value);         // bare single-precision number
  Listing& Factor(double value);        // bare load factor (15 digits)
  Listing& Digits(long long value);     // digits without blanks ("-3")
  Listing& Column(int n) {              // advance to column n
    if (column > n) End();
    if (column < n) Repeat(' ', n - column);
    return *this;
  }
  Listing& NextZone();                  // spaces up to the next 14-column zone start
  // FormatRight: the last `width` characters of width blanks followed by
  // the rendering. "0.000E+00" fields are written in place.
  Listing& Field(float value, const FieldPattern& pattern, int width) {
    if (pattern.scientific && width <= kFieldSlack) {
      char* o = Room(2 * kFieldSlack);
      std::memset(o, ' ', kFieldSlack);
      if (PutScientificField(o, value, width)) return Took(o + width);
    } else if (pattern.plainFixed && width <= kFieldSlack) {
      char* o = Room(2 * kFieldSlack);
      std::memset(o, ' ', kFieldSlack);
      const NumberPattern& p = pattern.parsed;
      if (PutFixedField(o, value, p.minInt, p.point, p.zeros, width)) return Took(o + width);
    }
    return RenderedField(value, pattern, width);
  }
  Listing& Plain(float value, const FieldPattern& pattern);             // plain formatter
  Listing& Repeat(char c, int count) {
    if (count <= 0) return *this;  // equivalent: boundary (nothing repeated either way)
    if (count <= kFieldSlack) {  // the usual advance: one fixed-size store
      char* o = Room(kFieldSlack);
      std::memset(o, c, kFieldSlack);
      return Took(o + count);
    }
    char* o = Room(static_cast<size_t>(count));
    std::memset(o, c, static_cast<size_t>(count));
    return Took(o + count);
  }
  // Up to n bytes written straight at Room(n) and taken with Took: for
  // items built in place (the group-suffixed label).
  char* Room(size_t n) {
    if (capacity - used < n) MakeRoom(n);
    return store.get() + used;
  }
  Listing& Took(const char* end) {
    const size_t now = static_cast<size_t>(end - store.get());
    column += static_cast<int>(now - used);
    used = now;
    if (used >= kFlushSize && fd >= 0) FlushFull();  // equivalent: boundary, constant (the size of a block)
    return *this;
  }
  // Ends the line (an empty line when nothing was written on it).
  void End() {
    char* o = Room(2);
    o[0] = '\r';
    o[1] = '\n';
    Took(o + 2);
    column = 1;
  }
  // Text followed by the line end.
  void Line(std::string_view text) { Text(text); End(); }
  // 105 "=" and a line end.
  void Rule();
  // A table's heading: an empty line, the title, an empty line, the column
  // headings and an empty line.
  void Heading(std::string_view title, std::string_view columns);

 private:
  // Output goes to the file in blocks of at least this size; the buffer
  // holds a block and the longest usual item on top of it.
  static constexpr size_t kFlushSize = 1 << 20;  // equivalent: constant (any size writes the same file)
  // Extra room a field asks for: its blanks and the rendering are written
  // in fixed 32- and 16-byte pieces.
  static constexpr int kFieldSlack = 32;

  Listing& RenderedField(float value, const FieldPattern& pattern, int width);
  // Hands a full buffer over to be written.
  void FlushFull();

  struct Writer;
  std::unique_ptr<Writer> writer;  // started when the file is opened
  // Waits for the block handed over last and stops the running thread: 0,
  // or the errno of the first write that failed.
  int StopWriter();

  std::unique_ptr<char[]> store;
  size_t capacity = 0;
  size_t used = 0;

  void MakeRoom(size_t n);
};

}  // namespace orvant
