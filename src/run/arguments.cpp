#include "run/arguments.h"

#include <algorithm>
#include <string_view>

namespace orvant {

namespace {

// The program options: one line each.
struct ValueOption {
  std::string_view name;
  std::string Arguments::*value;
};
struct FlagOption {
  std::string_view name;
  bool Arguments::*flag;
  bool set;  // the value the flag takes when given
};

constexpr ValueOption kValueOptions[] = {
    {"--model", &Arguments::modelPath},
    {"--output-dir", &Arguments::outputDir},
};
constexpr FlagOption kFlagOptions[] = {
    {"--help", &Arguments::help, true},
    {"--version", &Arguments::version, true},
};

// "--" and a letter: a program option. An option string never starts so.
bool IsOptionWord(std::string_view arg) {
  constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  return arg.starts_with("--") && arg.find_first_of(kLetters) == 2;
}

const ValueOption* FindValueOption(std::string_view name) {
  for (const ValueOption& o : kValueOptions)
    if (o.name == name) return &o;
  return nullptr;
}

const FlagOption* FindFlagOption(std::string_view name) {
  for (const FlagOption& o : kFlagOptions)
    if (o.name == name) return &o;
  return nullptr;
}

Arguments BadUse(const std::string& error) {
  Arguments a;
  a.mode = RunMode::kBadUse;
  a.error = error + " (orvant-in --help shows the usage)";
  return a;
}

bool ParseView(std::string_view text, View& view) {
  for (View v : {View::kIso, View::kXy, View::kYz, View::kXz}) {
    if (text == ViewName(v)) {
      view = v;
      return true;
    }
  }
  return false;
}

bool ParseUp(std::string_view text, Up& up) {
  for (Up u : {Up::kX, Up::kY, Up::kZ}) {
    if (text == UpName(u)) {
      up = u;
      return true;
    }
  }
  return false;
}

// A case number: digits (leading zeros allowed), 0 to 32767.
bool ParseCaseNumber(std::string_view text, int16_t& number) {
  if (text.empty()) return false;
  long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
    if (value > 32767) return false;
  }
  number = static_cast<int16_t>(value);
  return true;
}

// "all", or numbers N and ranges N-M (N not above M) separated by commas.
bool ParseLoadCases(std::string_view text, ViewOptions& o) {
  o.loadCases.clear();
  o.allLoadCases = text == "all";
  if (o.allLoadCases) {
    o.loadCases.push_back({0, 32767});
    return true;
  }
  for (size_t start = 0;;) {
    const size_t comma = std::min(text.find(',', start), text.size());
    const std::string_view item = text.substr(start, comma - start);
    const size_t dash = item.find('-');
    CaseRange range;
    if (!ParseCaseNumber(item.substr(0, dash), range.first)) return false;
    range.last = range.first;
    if (dash != std::string_view::npos) {
      if (!ParseCaseNumber(item.substr(dash + 1), range.last) || range.last < range.first) return false;
    }
    o.loadCases.push_back(range);
    if (comma == text.size()) return true;
    start = comma + 1;
  }
}

bool EndsWithFolded(std::string_view text, std::string_view end) {
  if (text.size() < end.size()) return false;
  text.remove_prefix(text.size() - end.size());
  for (size_t i = 0; i < end.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != end[i]) return false;
  }
  return true;
}

// Takes the views' options out of args (the arguments that remain are the
// run's own) and returns them; error is set to the first bad use.
ViewOptions TakeViewOptions(std::vector<std::string>& args, std::string& error) {
  ViewOptions o;
  std::vector<std::string> rest;
  bool viewGiven = false, labelsGiven = false, upGiven = false;
  auto fail = [&error](std::string text) {
    if (error.empty()) error = std::move(text);
  };

  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    std::string_view name = a;
    std::string value;
    bool inlineValue = false;
    if (a.rfind("--", 0) == 0) {
      const size_t eq = a.find('=');
      if (eq != std::string::npos) {
        name = std::string_view(a).substr(0, eq);
        value = a.substr(eq + 1);
        inlineValue = true;
      }
    }
    const bool takesValue =
        name == "--picture" || name == "--vtk" || name == "--view" || name == "--up" || name == "--load-case";
    if (name == "--labels" || name == "--no-labels") {
      if (inlineValue) fail(std::string(name) + " takes no value");
      o.labels = name == "--labels" ? LabelChoice::kOn : LabelChoice::kOff;
      labelsGiven = true;
      continue;
    }
    if (!takesValue) {
      rest.push_back(a);
      continue;
    }
    if (!inlineValue) {
      if (i + 1 >= args.size()) {
        fail(std::string(name) + " needs a value");
        continue;
      }
      value = args[++i];
    }
    if (value.empty()) {
      fail(std::string(name) + " needs a value");
    } else if (name == "--picture") {
      o.picturePath = value;
    } else if (name == "--vtk") {
      o.vtkPath = value;
    } else if (name == "--up") {
      upGiven = true;
      if (!ParseUp(value, o.up)) fail("unknown axis '" + value + "' for --up (x, y or z)");
    } else if (name == "--load-case") {
      if (!ParseLoadCases(value, o))
        fail("bad load case list '" + value + "' (all, or numbers and ranges such as 1,3-5)");
    } else {
      viewGiven = true;
      if (!ParseView(value, o.view)) fail("unknown view '" + value + "' (iso, xy, yz or xz)");
    }
  }

  if (o.picturePath.empty() && (viewGiven || labelsGiven || upGiven))
    fail("--view, --up, --labels and --no-labels apply to --picture");
  if (!o.Any() && !o.loadCases.empty()) fail("--load-case applies to --picture and --vtk");
  if (!o.vtkPath.empty() && EndsWithFolded(o.vtkPath, ".vtu"))
    fail("--vtk writes the legacy VTK format: name the file .vtk");
  if (!o.picturePath.empty() && o.picturePath == o.vtkPath) fail("--picture and --vtk name the same file");
  args = std::move(rest);
  return o;
}

// The mode and the program options of the arguments the views left.
Arguments ParseRunArguments(const std::vector<std::string>& args) {
  Arguments a;
  size_t i = 0;
  for (; i < args.size() && IsOptionWord(args[i]); ++i) {
    const std::string_view arg = args[i];
    const size_t equals = arg.find('=');
    const std::string_view name = arg.substr(0, equals);
    if (const FlagOption* flag = FindFlagOption(name)) {
      if (equals != std::string_view::npos) return BadUse("option " + std::string(name) + " takes no value");
      a.*(flag->flag) = flag->set;
      continue;
    }
    const ValueOption* option = FindValueOption(name);
    if (!option) return BadUse("unknown option " + std::string(name));
    std::string value;
    if (equals != std::string_view::npos) {
      value = arg.substr(equals + 1);
    } else if (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0) {
      value = args[++i];
    }
    if (value.empty()) return BadUse("option " + std::string(name) + " needs a value");
    if (!(a.*(option->value)).empty()) return BadUse("option " + std::string(name) + " given twice");
    a.*(option->value) = std::move(value);
  }
  for (size_t first = i; i < args.size(); ++i) {
    if (i > first) a.options += ' ';
    a.options += args[i];
  }

  if (a.help) {
    a.mode = RunMode::kHelp;
  } else if (a.version) {
    a.mode = RunMode::kVersion;
  } else if (!a.modelPath.empty()) {
    a.mode = RunMode::kDirect;
    if (a.options.empty()) a.options = kListEverything;
  } else {
    a.mode = a.options.empty() ? RunMode::kInteractive : RunMode::kBatch;
  }
  return a;
}

}  // namespace

Arguments ParseArguments(const std::vector<std::string>& args) {
  std::vector<std::string> rest = args;
  std::string viewError;
  const ViewOptions views = TakeViewOptions(rest, viewError);
  if (!viewError.empty()) return BadUse(viewError);
  Arguments a = ParseRunArguments(rest);
  a.views = views;
  return a;
}

const char* VersionText() { return "orvant-in " ORVANT_VERSION "\n"; }

const char* UsageText() {
  return "usage: orvant-in --model PATH [--output-dir DIR] [OPTIONS]   direct mode\n"
         "       orvant-in [--output-dir DIR] OPTIONS                  batch mode\n"
         "       orvant-in [--output-dir DIR]                          interactive mode\n"
         "       orvant-in --help | --version\n"
         "\n"
         "Writes the listing of one model, MODEL[.NAME].MTM, and its comment file\n"
         "MODEL.LCM beside the model's files.\n"
         "\n"
         "  --model PATH    list the model PATH names: its path without extension\n"
         "                  (projects/bridge/BRIDGE) or the path of one of its files\n"
         "                  (projects/bridge/bridge.xsz). No name file or in.CNT is read;\n"
         "                  without OPTIONS every part is listed\n"
         "                  (1/1/1/1/1/1/1/1/1/1/1/).\n"
         "  OPTIONS         the option string: seventeen fields, each closed by '/',\n"
         "                  for example 1/1/1/1/0/1/1/1/1/1/0/. Without --model the model\n"
         "                  is the one named in BATCH.NAM of the data directory\n"
         "                  ([Setup] Files1 of ~/.config/ORVANT/settings.ini).\n"
         "  (none)          the model of MODEL.NAM with the options of in.CNT.\n"
         "  --output-dir DIR  write the listing and the comment file in DIR (which\n"
         "                  must exist) rather than beside the model.\n"
         "  --picture FILE.svg  write an SVG picture of the model to FILE.svg instead\n"
         "                  of the listing (with or without --vtk; in any mode).\n"
         "  --view iso|xy|yz|xz  the picture's view (default iso).\n"
         "  --up x|y|z      the axis that points up in the picture (default z).\n"
         "  --labels, --no-labels  node and element labels in the picture, or none\n"
         "                  (default: labels up to 500 elements).\n"
         "  --vtk FILE.vtk  write the model as a legacy VTK file instead of the listing.\n"
         "  --load-case N[,M-P...]|all  draw load case N's loads on the picture (the\n"
         "                  first case asked for), and add each case's loads to the\n"
         "                  VTK file as arrays.\n"
         "\n"
         "Two runs that would write the same listing do not mix: the second waits\n"
         "until the first has closed the listing and the comment file.\n"
         "\n"
         "Exit status: 0 listing complete, 1 listing stopped early, 2 start-up failed\n"
         "or bad use (nothing written).\n"
         "See orvant-in(1): man orvant-in\n";
}

}  // namespace orvant
