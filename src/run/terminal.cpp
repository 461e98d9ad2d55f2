#include "run/terminal.h"

#include <unistd.h>

#include <cstdio>

namespace orvant {

namespace {

constexpr char kProgressText[] = "ORVANT - Data Format: Formatting Model Data Files";

std::string OneLine(std::string_view text) {
  std::string line(text);
  for (char& c : line)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  return line;
}

}  // namespace

void ProgressLine::Show() {
  if (shown || !isatty(STDERR_FILENO)) return;
  std::fputs(kProgressText, stderr);
  std::fflush(stderr);
  shown = true;
}

void ProgressLine::Clear() {
  if (!shown) return;
  std::string blank = "\r" + std::string(sizeof kProgressText - 1, ' ') + "\r";
  std::fputs(blank.c_str(), stderr);
  std::fflush(stderr);
  shown = false;
}

void ShowMessage(std::string_view text) {
  std::string line = "orvant-in: ";
  line += OneLine(text);
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
}

}  // namespace orvant
