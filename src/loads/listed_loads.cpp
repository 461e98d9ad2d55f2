#include "loads/listed_loads.h"

namespace orvant {

std::string ListedText::Take() {
  std::string text;
  const std::string_view written = scratch.Pending();
  for (size_t start = 0; start < written.size();) {
    size_t end = written.find("\r\n", start);
    if (end == std::string_view::npos) end = written.size();
    std::string_view line = written.substr(start, end - start);
    start = end + 2;
    // Rules go; so do the asterisks around a title, and blanks at either end.
    if (line.find_first_not_of("+=") == std::string_view::npos) continue;
    const size_t first = line.find_first_not_of("* "), last = line.find_last_not_of("* ");
    if (first == std::string_view::npos) continue;
    line = line.substr(first, last - first + 1);
    if (!text.empty()) text += '\n';
    for (size_t i = 0; i < line.size(); ++i)
      if (line[i] != ' ' || line[i - 1] != ' ') text += line[i];
  }
  scratch.Discard();
  scratch.column = 1;
  return text;
}

}  // namespace orvant
