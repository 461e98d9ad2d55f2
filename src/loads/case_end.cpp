// The closing part of a listed load case: interpreted load commands,
// gravitational loads, the echo of the totals saved with the case, the load
// summation found by the analysis, the case file's ACOM lines and the
// closing line.
#include <string_view>

#include "base/file_system.h"
#include "base/text_values.h"
#include "listing/listing.h"
#include "loads/load_case_record.h"
#include "loads/load_sections.h"
#include "settings/run_settings.h"

namespace orvant {

namespace {

void WriteCommands(Listing& out, const CommandLines& commands, const char* title, const char* legend) {
  if (commands.count <= 0) return;
  out.End();
  out.Line(title);
  out.End();
  out.Line(legend);
  out.End();
  for (int16_t i = 1; i <= commands.count; ++i) out.Line(commands.lines[i]);
}

void WriteGravity(Listing& out, const LoadCaseRecord& r) {
  if (r.acceleration[0] == 0 && r.acceleration[1] == 0 && r.acceleration[2] == 0) return;
  out.End();
  out.Line("*** GRAVITATIONAL LOADS ***");
  out.End();
  static constexpr const char* kLabels[3] = {"X Direction acceleration  ", "Y Direction acceleration  ",
                                             "Z Direction acceleration  "};
  for (int k = 0; k < 3; ++k)
    if (r.acceleration[k] != 0) out.Text(kLabels[k]).Single(r.acceleration[k]).End();
}

// The totals and centre of force that the case carried when it was saved.
void WriteSavedEcho(Listing& out, const LoadCaseRecord& r, int16_t convertedUnits) {
  float sum = r.savedTotalLoad[1] + r.savedTotalLoad[2];
  sum = sum + r.savedTotalLoad[3];
  if (sum == 0) return;
  out.End();
  out.Repeat('+', 77).End();
  out.Line("Echo of Load Case Parameters Displayed when Load Case was saved");
  out.Heading("*** Total Loading when saved *** ",
              "             Fx          Fy        Fz");
  out.Text("         ");
  for (int k = 1; k <= 3; ++k) {
    if (convertedUnits == 1)
      out.Field(r.savedTotalLoad[k] / 1000.0f, "######0.00", 11);
    else
      out.Field(r.savedTotalLoad[k], "0.000E+00", 11);
  }
  out.End();
  out.Heading("*** Centre of Force when saved ***",
              "             CGx            CGy           CGz");
  static constexpr const char* kRows[3] = {"X Fo      ", "Y Fo      ", "Z Fo      "};
  for (int row = 0; row < 3; ++row) {
    out.Text(kRows[row]);
    for (int k = 1; k <= 3; ++k) out.Field(r.centreOfForce[row * 3 + k], "######0.00", 11);
    out.End();
  }
  out.Repeat('+', 77).End();
  out.End();
}

void WriteLoadSummation(Listing& out, const LoadCaseRecord& r) {
  if (r.savedTotalsPresent != 1) return;
  out.End();
  out.Text("*** LOAD SUMMATION at Load Case Analysis (").Text(r.analysisText1).Text("   ");
  out.Text(r.analysisText2).Text(")  *** ").End();
  out.End();
  out.Line("             Fx          Fy        Fz");
  out.End();
  out.Text("         ");
  for (int k = 0; k < 3; ++k) out.Field(r.SavedTotals[k], "0.000E+00", 11);
  out.End();
}

// The analysis comments: lines of the case file beginning "ACOM", from
// their 6th character on, trailing blanks removed.
void WriteAnalysisComments(const LoadCaseRecord& r, Listing& out, FileSystem& files) {
  // The reader keeps the text of the file it read; another file is read.
  std::string reread;
  if (r.lastCaseTextFile != r.lastCaseFile) reread = files.ReadFile(r.lastCaseFile);
  const std::string_view text = r.lastCaseTextFile == r.lastCaseFile ? r.lastCaseText.View() : reread;
  LineReader lines(text);
  std::string_view line;
  while (lines.Next(line)) {
    if (line.substr(0, 4) != "ACOM") continue;
    std::string_view comment = line.size() > 5 ? line.substr(5) : std::string_view();
    size_t end = comment.find_last_not_of(' ');
    comment = end == std::string_view::npos ? std::string_view() : comment.substr(0, end + 1);
    out.Line(comment);
  }
}

}  // namespace

void WriteCaseEnd(const RunSettings& s, LoadCaseRecord& r, Listing& out, FileSystem& files) {
  WriteCommands(out, r.interpretedElementCommands, "*** Element Interpreted Load Commands ***",
                " ESTR - Element strain    SEFO - Beam axial force");
  WriteCommands(out, r.interpretedCoupleCommands, "*** Couple Interpreted Load Commands ***",
                " CDISP - Couple Displacement    CFACT - Couple Stiffness Factor(Birth/Death)");
  WriteGravity(out, r);
  WriteSavedEcho(out, r, s.ConvertedUnits);
  WriteLoadSummation(out, r);

  // The per-entry tables are done with; their storage is kept for the next
  // case, whose reader starts their counts again and sets every entry it
  // adds (releasing and creating them anew for each case only cost time).

  WriteAnalysisComments(r, out, files);
  out.End();
  out.Repeat('=', 77).End();
}

}  // namespace orvant
