#include "run/arguments.h"

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
  if (arg.size() < 3 || arg[0] != '-' || arg[1] != '-') return false;
  const char c = arg[2];
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
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
  bool viewGiven = false, labelsGiven = false;
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
    const bool takesValue = name == "--picture" || name == "--vtk" || name == "--view";
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
    } else {
      viewGiven = true;
      if (!ParseView(value, o.view)) fail("unknown view '" + value + "' (iso, xy, yz or xz)");
    }
  }

  if (o.picturePath.empty() && (viewGiven || labelsGiven))
    fail("--view, --labels and --no-labels apply to --picture");
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
         "  --view iso|xy|yz|xz  the picture's view (default iso, Z up).\n"
         "  --labels, --no-labels  node and element labels in the picture, or none\n"
         "                  (default: labels up to 500 elements).\n"
         "  --vtk FILE.vtk  write the model as a legacy VTK file instead of the listing.\n"
         "\n"
         "Two runs that would write the same listing do not mix: the second waits\n"
         "until the first has closed the listing and the comment file.\n"
         "\n"
         "Exit status: 0 listing complete, 1 listing stopped early, 2 start-up failed\n"
         "or bad use (nothing written).\n"
         "See orvant-in(1): man orvant-in\n";
}

}  // namespace orvant
