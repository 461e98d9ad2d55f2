#pragma once
// The listing writer: lines are built from items (text, bare numbers,
// advance to column, next print zone, formatted fields) and end with CR LF.
// Output is buffered and written to the file in large blocks.
#include <cstdint>
#include <string>
#include <string_view>

#include "listing/numbers.h"

namespace orvant {

struct Listing {
  int fd = -1;
  std::string path;
  std::string buffer;  // pending output
  int column = 1;      // print position of the next character (1-based)
  long long written = 0;  // bytes handed to the file so far
  PatternMemo patterns;   // the number patterns used, parsed once

  // Creates (or empties) the listing file. Throws RunFault on failure.
  void Open(const std::string& filePath);
  // Writes what is pending (a line being built included) and closes.
  // False when the file could not be written.
  bool Close();
  // Writes the pending output when the buffer is large. A failed write
  // throws RunFault.
  void Flush();

  // Items.
  Listing& Text(std::string_view text);
  Listing& Int(long long value);        // bare 16/32-bit number: " 7 ", "-12 "
  Listing& Single(float value);         // bare single-precision number
  Listing& Factor(double value);        // bare load factor (15 digits)
  Listing& Digits(long long value);     // digits without blanks ("-3")
  Listing& Column(int n);               // advance to column n
  Listing& NextZone();                  // spaces up to the next 14-column zone start
  Listing& Field(float value, std::string_view pattern, int width);  // FormatRight
  Listing& Plain(float value, std::string_view pattern);             // plain formatter
  Listing& Repeat(char c, int count);
  // Ends the line (an empty line when nothing was written on it).
  void End();
  // Text followed by the line end.
  void Line(std::string_view text) { Text(text); End(); }
  // 105 "=" and a line end.
  void Rule();

 private:
  void AfterAppend(size_t oldSize);
};

}  // namespace orvant
