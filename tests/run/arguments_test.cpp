// The program's arguments: modes, program options, the option string.
#include <gtest/gtest.h>

#include "run/arguments.h"

using namespace orvant;

namespace {

const char* ModeName(RunMode mode) {
  switch (mode) {
    case RunMode::kHelp: return "help";
    case RunMode::kVersion: return "version";
    case RunMode::kDirect: return "direct";
    case RunMode::kBatch: return "batch";
    case RunMode::kInteractive: return "interactive";
    case RunMode::kBadUse: return "bad";
  }
  return "?";
}

// "mode|model|output dir|option string", or "bad|" and the error's first words.
std::string Parsed(const std::vector<std::string>& args) {
  const Arguments a = ParseArguments(args);
  if (a.mode == RunMode::kBadUse) return std::string("bad|") + a.error.substr(0, a.error.find(" (orvant-in --help"));
  return std::string(ModeName(a.mode)) + "|" + a.modelPath + "|" + a.outputDir + "|" + a.options;
}

}  // namespace

TEST(Arguments, ModesOptionsAndOptionString) {
  const std::string all = kListEverything;
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      // The modes as they always were: the arguments joined by single blanks.
      {{}, "interactive|||"},
      {{""}, "interactive|||"},
      {{"1/1/1/1/0/1/1/1/1/1/0/"}, "batch|||1/1/1/1/0/1/1/1/1/1/0/"},
      {{"1/1/1/1/0/1/1/1/1/1/0/", " ABC ", "/"}, "batch|||1/1/1/1/0/1/1/1/1/1/0/  ABC  /"},
      {{"-1/0/"}, "batch|||-1/0/"},  // converted units, not an option
      {{"--1/0/"}, "batch|||--1/0/"},
      // Program options only lead; later words belong to the option string.
      {{"1/", "--help"}, "batch|||1/ --help"},
      {{"1/", "--model", "x"}, "batch|||1/ --model x"},
      {{"--help"}, "help|||"},
      {{"--version"}, "version|||"},
      {{"--model", "a/B", "--help"}, "help|a/B||"},
      {{"--help", "--version"}, "help|||"},
      // Direct mode: every part listed unless an option string follows.
      {{"--model", "a/B"}, "direct|a/B||" + all},
      {{"--model=D:\\jobs\\frame.xsz"}, "direct|D:\\jobs\\frame.xsz||" + all},
      {{"--model", "a/B", ""}, "direct|a/B||" + all},
      {{"--model", "a/B", "-1/0/", "X/"}, "direct|a/B||-1/0/ X/"},
      {{"--output-dir", "out", "--model=a=b"}, "direct|a=b|out|" + all},
      // --output-dir in the other modes.
      {{"--output-dir=out", "1/"}, "batch||out|1/"},
      {{"--output-dir", "out"}, "interactive||out|"},
      // Bad use.
      {{"--model"}, "bad|option --model needs a value"},
      {{"--model="}, "bad|option --model needs a value"},
      {{"--model", "--output-dir", "o"}, "bad|option --model needs a value"},
      {{"--model", "a", "--output-dir"}, "bad|option --output-dir needs a value"},
      {{"--model", "a", "--model", "b"}, "bad|option --model given twice"},
      {{"--modle", "a"}, "bad|unknown option --modle"},
      {{"--help=yes"}, "bad|option --help takes no value"},
      {{"--a\nb\r"}, "bad|unknown option --a?b?"},  // the message stays one line
  };
  for (const auto& [args, want] : cases) {
    std::string shown;
    for (const std::string& a : args) shown += "[" + a + "]";
    EXPECT_EQ(Parsed(args), want) << shown;
  }
}
