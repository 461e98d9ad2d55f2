// The model file survey: the element line data and verbatim copies of the
// model's auxiliary text files, each under a ":" line and its file name.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "run/run_context.h"
#include "base/text_values.h"
#include "sections/sections.h"

namespace orvant {

namespace {

std::string NameWithoutDirectory(const std::string& path) {
  size_t cut = path.find_last_of("/\\");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string WithSlashes(std::string path) {
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

// Every file found for ModelPath + pattern, copied in search order.
void EchoFoundFiles(RunContext& ctx, std::string_view pattern) {
  std::vector<std::string> found = ctx.files.Search(ctx.settings.ModelPath + std::string(pattern));
  for (const std::string& name : found) EchoModelFile(ctx, name, "");
}

}  // namespace

void EchoModelFile(RunContext& ctx, const std::string& name, const std::string& extension) {
  const RunSettings& s = ctx.settings;
  std::string path;
  std::string heading;
  if (!extension.empty()) {
    // Named form: the heading is the name as the directory holds it.
    path = name + extension;
    if (ctx.files.FileExists(path)) {
      std::optional<std::string> found = ctx.files.Find(path);
      if (found) heading = NameWithoutDirectory(*found);
    }
  } else {
    // Found form: the search ran in the model's directory, the file is
    // opened under the origin directory.
    path = s.OriginDirectory + "\\" + name;
    heading = name;
  }

  if (WithSlashes(path) == WithSlashes(s.ModelPath + ".UMRegions")) return;
  if (heading.empty()) return;

  // Opened before anything of its block is written: a file that cannot be
  // opened stops the listing without a heading.
  std::string text = ctx.files.ReadFile(path);

  Listing& out = ctx.listing;
  out.Line(":");
  out.Line(heading);
  out.End();
  LineReader lines(text);
  std::string_view line;
  while (lines.Next(line)) out.Line(line);
  out.End();
}

void WriteModelFileSurvey(RunContext& ctx) {
  const RunSettings& s = ctx.settings;
  if (s.ListModelFiles == 1) {
    WriteElementLineData(ctx, s.ModelPath, ".ELN");
    EchoModelFile(ctx, s.ModelPath, ".ECI");
    EchoFoundFiles(ctx, ".WAV*");
    EchoModelFile(ctx, s.ModelPath, ".WIN");
    // The search finds the ".WIN" file as well, which is thus copied again.
    EchoFoundFiles(ctx, ".WIN*");
    for (const char* extension : {".PRI", ".PRB", ".PRC", ".PRT", ".PRA", ".PRL", ".PRR", ".PR1", ".PR2"})
      EchoModelFile(ctx, s.ModelPath, extension);
  }
  if (s.ListUmFiles == 1) EchoFoundFiles(ctx, ".UM*");
  if (s.ListBrFiles == 1) EchoFoundFiles(ctx, ".BR*");
  // The survey's closing empty line is written by the listing procedure: it
  // is also the line that opens the summaries.
}

}  // namespace orvant
