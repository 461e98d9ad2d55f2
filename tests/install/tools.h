#pragma once
// Outside tools for the tests: whether one is installed, and a shell
// command's status and output.
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <string>

// Skips the test when a tool is missing, saying which Debian package to
// install; fails instead when ORVANT_REQUIRE_TOOLS is set (as in CI).
#define NEED_TOOL(available, install)                                                   \
  if (!(available)) {                                                                   \
    if (std::getenv("ORVANT_REQUIRE_TOOLS")) FAIL() << "missing tool: install " install; \
    GTEST_SKIP() << "install " install " to run this test";                             \
  }

namespace orvant::testing {

inline bool HaveTool(const std::string& tool) { return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0; }

struct CommandOutput {
  int status = -1;
  std::string text;  // standard output and standard error
};

inline CommandOutput RunCommand(const std::string& command) {
  CommandOutput out;
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return out;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.text.append(buffer, n);
  const int status = ::pclose(pipe);
  out.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return out;
}

// A path as one shell word.
inline std::string ShellWord(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

}  // namespace orvant::testing
