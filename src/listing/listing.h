#pragma once
// The listing writer: lines are built from items (text, bare numbers,
// advance to column, next print zone, formatted fields) and end with CR LF.
// Items are written straight into one output buffer, which goes to the file
// in large blocks; without a file the buffer keeps everything. A second
// thread writes each full block to the file while the next one is built.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

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
  // Writes what is pending (a line being built included) and closes.
  // False when the file could not be written.
  bool Close();
  // Hands the pending output over to be written. A write that failed
  // before throws RunFault.
  void Flush();
  // As Flush, but false rather than a throw.
  bool HandOver();
  // The output not yet written to the file, and dropping it.
  std::string_view Pending() const { return {store.get(), used}; }
  void Discard() { used = 0; }

  // Items.
  Listing& Text(std::string_view text);
  Listing& Int(long long value);        // bare 16/32-bit number: " 7 ", "-12 "
  Listing& Single(float value);         // bare single-precision number
  Listing& Factor(double value);        // bare load factor (15 digits)
  Listing& Digits(long long value);     // digits without blanks ("-3")
  Listing& Column(int n);               // advance to column n
  Listing& NextZone();                  // spaces up to the next 14-column zone start
  Listing& Field(float value, const FieldPattern& pattern, int width);  // FormatRight
  Listing& Plain(float value, const FieldPattern& pattern);             // plain formatter
  Listing& Repeat(char c, int count);
  // Ends the line (an empty line when nothing was written on it).
  void End();
  // Text followed by the line end.
  void Line(std::string_view text) { Text(text); End(); }
  // 105 "=" and a line end.
  void Rule();
  // A table's heading: an empty line, the title, an empty line, the column
  // headings and an empty line.
  void Heading(std::string_view title, std::string_view columns);

 private:
  struct Writer;
  std::unique_ptr<Writer> writer;  // started when the file is opened
  // Waits for the block handed over last and stops the thread; false when a
  // write failed.
  bool StopWriter();

  std::unique_ptr<char[]> store;
  size_t capacity = 0;
  size_t used = 0;

  // Where the next n bytes go: room for them at the end of the buffer.
  char* Room(size_t n) {
    if (capacity - used < n) MakeRoom(n);
    return store.get() + used;
  }
  void MakeRoom(size_t n);
  // Takes the bytes written from the end of the buffer up to `end` (all
  // printable single-byte characters, so the print position grows by their
  // count) and writes a full buffer to the file.
  Listing& Took(const char* end);
};

}  // namespace orvant
