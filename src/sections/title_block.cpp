#include "sections/title_block.h"

#include <optional>
#include <string>

#include "base/clock.h"
#include "base/file_system.h"
#include "base/text_values.h"
#include "listing/listing.h"
#include "settings/run_settings.h"

namespace orvant {

namespace {

// Copies one check-run file line by line, then a ":" line. A missing file,
// or one that links outside the model's directories, writes nothing.
void CopyCheckRunFile(Listing& out, FileSystem& files, const std::string& path) {
  if (!files.FileExists(path)) return;
  const std::optional<std::string> text = files.ReadCopy(path);
  if (!text) return;
  LineReader lines(*text);
  std::string_view line;
  while (lines.Next(line)) out.Line(line);
  out.Line(":");
}

}  // namespace

// The check-run files of the model head the listing when it has no name of
// its own or is the REP listing.
void WritePrologue(const RunSettings& s, Listing& out, FileSystem& files) {
  if (UpperAscii(s.ListingName) != ".REP" && !s.ListingName.empty()) return;
  for (int n = 1; n <= 2; ++n) CopyCheckRunFile(out, files, s.ModelPath + ".dc" + std::to_string(n));
}

void WriteTitleBlock(const RunSettings& s, Listing& out) {
  out.End();
  out.Rule();
  out.End();
  out.Text("ORVANT Structural/Pipework Analysis System  Ver 8").Column(90).Text("ORVANT Engineering Software");
  out.End();
  out.End();
  out.Text("Date:").Text(s.ListingDate).Text("  Time:").Text(s.ListingTime);
  out.Text("     Formatted Data:").Text(s.ModelName).Text(s.ListingName).Text(".MTM");
  out.End();
  out.Rule();
  out.Text("Model:").Text(s.ModelName);
  out.End();
  out.Text("Date Created:").Text(s.DateCreated).Text(" Time:").Text(s.TimeCreated);
  out.End();
  out.End();
  out.Text("Analysis Desc.  :").Text(s.AnalysisDescription);
  out.End();
  out.End();
  out.Text("Created/Checked :").Text(s.CreatedChecked);
  out.End();
  out.End();
  out.Text("Job Reference   :").Text(s.JobReference);
  out.End();
  out.End();
  out.Text("Add Description :").Text(s.AddDescription);
  out.End();
  out.End();
  out.Text("Origin Directory:").Text(s.OriginDirectory);
  out.End();
  out.Rule();
  out.Line("                  B A S I C    M O D E L     D A T A ");
  out.Rule();
  out.End();

  if (!s.ActiveGroupSet.empty()) {
    out.Text("Group SET ").Text(s.ActiveGroupSet).Text(" is Active");
    out.End();
    out.Text("SET Desc  ").Text(s.GroupSetDescription);
    out.End();
    if (s.GroupFilter > 0) {
      out.Text("Output Restricted to Group").Text(" ").Digits(s.GroupFilter).Text(" only");
      out.End();
    }
    if (s.GroupedOnly == 1) out.Line("Output Restricted to Grouped Entities only");
    out.End();
  }
  if (!s.CombinationSelection.empty()) {
    out.End();
    out.Text("Load Case details limited to those in Load Case Combination ").Text(s.CombinationSelection);
    out.End();
    out.End();
  }
  if (!s.ResultsSetSelection.empty()) {
    out.End();
    out.Text("Load Case Combination details limited to those in Resulst SET ").Text(s.ResultsSetSelection);
    out.End();
    out.End();
  }
  out.Text("Definition Units:").Text(s.DefinitionUnits);
  out.End();
  out.Rule();
}

}  // namespace orvant
