// The model file survey: the element line data and verbatim copies of the
// model's auxiliary text files, each under a ":" line and its file name.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_system.h"
#include "base/text_values.h"
#include "listing/listing.h"
#include "model/model_tables.h"
#include "sections/sections.h"
#include "settings/run_settings.h"

namespace orvant {

namespace {

std::string WithSlashes(std::string path) {
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

// Every file found for ModelPath + pattern, copied in search order.
void EchoFoundFiles(const RunSettings& s, Listing& out, FileSystem& files, std::string_view pattern) {
  std::vector<std::string> found = files.Search(s.ModelPath + std::string(pattern));
  for (const std::string& name : found) EchoModelFile(s, out, files, name, "");
}

}  // namespace

void EchoModelFile(const RunSettings& s, Listing& out, FileSystem& files, const std::string& name,
                   const std::string& extension) {
  std::string path;
  std::string heading;
  if (!extension.empty()) {
    // Named form: the heading is the name as the directory holds it.
    path = name + extension;
    if (files.FileExists(path)) {
      std::optional<std::string> found = files.Find(path);
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
  // opened stops the listing without a heading. One that links outside the
  // model's directories is left out like a missing one.
  const std::optional<std::string> text = files.ReadCopy(path);
  if (!text) return;

  out.Line(":");
  out.Line(heading);
  out.End();
  LineReader lines(*text);
  std::string_view line;
  while (lines.Next(line)) out.Line(line);
  out.End();
}

void WriteModelFileSurvey(const RunSettings& s, const ModelTables& m, Listing& out, FileSystem& files) {
  if (s.ListModelFiles == 1) {
    WriteElementLineData(s, m, out, files, s.ModelPath, ".ELN");
    EchoModelFile(s, out, files, s.ModelPath, ".ECI");
    EchoFoundFiles(s, out, files, ".WAV*");
    EchoModelFile(s, out, files, s.ModelPath, ".WIN");
    // The search finds the ".WIN" file as well, which is thus copied again.
    EchoFoundFiles(s, out, files, ".WIN*");
    for (const char* extension : {".PRI", ".PRB", ".PRC", ".PRT", ".PRA", ".PRL", ".PRR", ".PR1", ".PR2"})
      EchoModelFile(s, out, files, s.ModelPath, extension);
  }
  if (s.ListUmFiles == 1) EchoFoundFiles(s, out, files, ".UM*");
  if (s.ListBrFiles == 1) EchoFoundFiles(s, out, files, ".BR*");
  // The survey's closing empty line is written by the listing procedure: it
  // is also the line that opens the summaries.
}

}  // namespace orvant
