#pragma once
// What the program writes on the terminal, all of it from the front door:
// the progress line of an interactive run and the one-line messages on
// standard error. Nothing below run/ writes there: the floors below raise
// IndexFault or RunFault and the front door shows them here.
#include <string>
#include <string_view>

namespace orvant {

// The progress line shown on a terminal in interactive mode.
struct ProgressLine {
  bool shown = false;
  void Show();   // only when standard error is a terminal
  void Clear();
};

// The message box: one line on standard error, "orvant-in: " + text.
void ShowMessage(std::string_view text);

}  // namespace orvant
