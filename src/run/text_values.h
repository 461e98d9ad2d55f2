#pragma once
// Text inputs: the delimited text value reader shared by every text file
// that is read value by value, the line splitter of files read line by line,
// and the leading-number rule.
#include <cstdint>
#include <string>
#include <string_view>

namespace orvant {

// The numeric value of the leading number of text: blanks and tabs skipped,
// optional sign, digits with at most one decimal point, optional exponent
// (E or D, either case, optional sign, digits). No number gives 0.
double LeadingNumber(std::string_view text);

// Reads delimited values from a whole file's text.
struct TextValues {
  std::string data;
  std::string name;      // file name, for failure messages
  size_t pos = 0;
  bool afterComma = false;  // the previous value ended with a comma

  TextValues() = default;
  TextValues(std::string text, std::string fileName) : data(std::move(text)), name(std::move(fileName)) {}

  // True when no value is left (only blanks, tabs and line ends remain).
  bool AtEnd() const;
  // The next value as text. Throws RunFault past the last value.
  std::string Text();
  // The next value as a number (its leading number; no number gives 0).
  double Number();
  // The next value rounded half to even into 16 bits; overflow throws RunFault.
  int16_t Int16();
};

// Splits text into lines: CR, LF or the pair CR LF ends a line; a last line
// without a line end is still a line.
struct LineReader {
  std::string_view data;
  size_t pos = 0;
  explicit LineReader(std::string_view text) : data(text) {}
  bool Next(std::string_view& line);
};

}  // namespace orvant
