#pragma once
// The program's arguments: which mode to run in, and the values of the
// program options, the views' among them. A pure function of argv; nothing
// is run or looked up.
#include <string>
#include <vector>

#include "views/view_options.h"

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
  ViewOptions views;         // a picture or VTK file, written instead of the listing
  std::string error;         // bad use: what was wrong
  bool help = false;
  bool version = false;
};

// The option string of a direct run without one: every part listed.
inline constexpr char kListEverything[] = "1/1/1/1/1/1/1/1/1/1/1/";

// The views' options (--picture FILE.svg, --vtk FILE.vtk, --view
// iso|xy|yz|xz, --up x|y|z, --labels, --no-labels, --load-case
// N[,M-P...]|all, each with a value also as --name=VALUE) are taken
// wherever they stand, and are bad use first: a missing or empty value, an
// unknown view or axis, a bad load case list, --view, --up or a label
// option without --picture, --load-case without --picture or --vtk, one
// file named for both, a VTK file named .vtu (only the legacy format is
// written). Of the arguments that remain, leading ones of the form
// --NAME or --NAME=VALUE are program options ("--" ends them); the arguments
// from the first other one on, joined by single blanks, are the option
// string, as they always were.
Arguments ParseArguments(const std::vector<std::string>& args);

// The --help and --version texts.
const char* UsageText();
const char* VersionText();

}  // namespace orvant
