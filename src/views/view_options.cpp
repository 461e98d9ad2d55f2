#include "views/view_options.h"

#include <string_view>

namespace orvant {

namespace {

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

}  // namespace

const char* ViewName(View view) {
  switch (view) {
    case View::kXy: return "xy";
    case View::kYz: return "yz";
    case View::kXz: return "xz";
    case View::kIso: break;
  }
  return "iso";
}

ViewOptions TakeViewOptions(std::vector<std::string>& args) {
  ViewOptions o;
  std::vector<std::string> rest;
  bool viewGiven = false, labelsGiven = false;
  auto fail = [&o](std::string text) {
    if (o.error.empty()) o.error = std::move(text);
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

}  // namespace orvant
