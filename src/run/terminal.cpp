#include "run/terminal.h"

#include <unistd.h>

#include <cstdio>

namespace orvant {

namespace {

constexpr char kProgressText[] = "ORVANT - Data Format: Formatting Model Data Files";

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
  line += text;
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
}

}  // namespace orvant
