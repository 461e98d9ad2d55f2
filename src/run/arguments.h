#pragma once
// The program's arguments: which mode to run in, and the values of the
// program options. A pure function of argv; nothing is run or looked up.
#include <string>
#include <vector>

namespace orvant {

enum class RunMode {
  kHelp,         // --help: usage on standard output
  kVersion,      // --version
  kDirect,       // --model PATH [OPTIONS]: the model named on the command line
  kBatch,        // OPTIONS: the model named in BATCH.NAM
  kInteractive,  // no option string: the model of MODEL.NAM, the options of in.CNT
  kBadUse,       // error holds the one line to show
};

struct Arguments {
  RunMode mode = RunMode::kInteractive;
  std::string modelPath;     // --model
  std::string outputDir;     // --output-dir
  std::string options;       // the option string (batch and direct modes)
  std::string error;         // bad use: what was wrong
  bool help = false;
  bool version = false;
};

// The option string of a direct run without one: every part listed.
inline constexpr char kListEverything[] = "1/1/1/1/1/1/1/1/1/1/1/";

// Leading arguments of the form --NAME or --NAME=VALUE are program options
// ("--" ends them); the arguments from the first other one on, joined by
// single blanks, are the option string, as they always were.
Arguments ParseArguments(const std::vector<std::string>& args);

// The --help and --version texts.
const char* UsageText();
const char* VersionText();

}  // namespace orvant
