#pragma once
// Text inputs: the delimited text value reader shared by every text file
// that is read value by value, the line splitter of files read line by line,
// and the leading-number rule.
#include <cstdint>
#include <string>
#include <string_view>

namespace orvant {

// Upper-casing folds the ASCII letters only, as every comparison of names
// and keywords does.
inline char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
std::string UpperAscii(std::string_view text);

// The numeric value of the leading number of text: blanks and tabs skipped,
// optional sign, digits with at most one decimal point, optional exponent
// (E or D, either case, optional sign, digits). No number gives 0.
double LeadingNumber(std::string_view text);

// The same for the common short numbers ("1250", "-0.00125", "1.5E6"), of
// the text from p to end: at most 15 significant digits and a decimal
// exponent within 22 make the digits and the power of ten exact doubles, so
// one multiplication or division rounds correctly, as the full conversion
// would. Returns where the number's text ends (p itself, past any blanks and
// sign, when there is no number: the value is 0); nullptr for a number of
// another kind, which LeadingNumber must read.
const char* QuickLeadingNumber(const char* p, const char* end, double& value);
// As QuickLeadingNumber, for text that goes on to a comma (or another
// character that is no part of a number): the end need not be watched, and
// 16 bytes past that comma may be read.
const char* QuickNumberBeforeComma(const char* p, double& value);

// Reads delimited values from a whole file's text.
struct TextValues {
  std::string data;
  std::string name;      // file name, for failure messages
  size_t pos = 0;
  bool afterComma = false;  // the previous value ended with a comma
  // A number in double quotes is read from the text between them (element
  // line data). Otherwise a quote is part of a number's text like any other
  // character, and a text that does not begin with a number reads as 0.
  bool quotedNumbers = false;

  TextValues() = default;
  TextValues(std::string text, std::string fileName) : data(std::move(text)), name(std::move(fileName)) {}

  // True when no value is left (only blanks, tabs and line ends remain).
  bool AtEnd() const;
  // The next value as text. Throws RunFault past the last value.
  std::string Text();
  // The next value as a number: the leading number of its text, which runs
  // to the next comma, space or line end (a tab is part of it); no number
  // gives 0. Blanks after the text up to a comma belong to the value.
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
