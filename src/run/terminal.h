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

// The message box: one line on standard error, "orvant-in: " + text. What a
// message echoes comes from the command line or from a folder that others
// write in, so every control character in the text (bytes below 0x20 and
// 0x7F) is shown as "?": each message stays one plain line.
void ShowMessage(std::string_view text);

}  // namespace orvant
