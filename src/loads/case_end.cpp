// The closing part of a listed load case: interpreted load commands,
// gravitational loads, the echo of the totals saved with the case, the load
// summation found by the analysis, the case file's ACOM lines and the
// closing line.
#include <string>

#include "listing/listing.h"
#include "loads/listed_loads.h"
#include "loads/load_case.h"
#include "loads/load_section_rows.h"
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

void WriteGravity(Listing& out, const LoadCase& r) {
  if (!ListedGravity(r)) return;
  out.End();
  out.Line("*** GRAVITATIONAL LOADS ***");
  out.End();
  static constexpr const char* kLabels[3] = {"X Direction acceleration  ", "Y Direction acceleration  ",
                                             "Z Direction acceleration  "};
  for (int k = 0; k < 3; ++k)
    if (r.acceleration[k] != 0) out.Text(kLabels[k]).Single(r.acceleration[k]).End();
}

// The totals and centre of force that the case carried when it was saved.
void WriteSavedEcho(Listing& out, const LoadCase& r, bool converted) {
  if (!ListedSavedEcho(r)) return;
  out.End();
  out.Repeat('+', 77).End();
  out.Line("Echo of Load Case Parameters Displayed when Load Case was saved");
  out.Heading("*** Total Loading when saved *** ",
              "             Fx          Fy        Fz");
  out.Text("         ");
  for (int k = 1; k <= 3; ++k) WriteLoadValue(out, r.savedTotalLoad[k], converted);
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

void WriteLoadSummation(Listing& out, const LoadCase& r) {
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

}  // namespace

bool ListedGravity(const LoadCase& r) {
  return r.acceleration[0] != 0 || r.acceleration[1] != 0 || r.acceleration[2] != 0;
}

bool ListedSavedEcho(const LoadCase& r) {
  float sum = r.savedTotalLoad[1] + r.savedTotalLoad[2];
  sum = sum + r.savedTotalLoad[3];
  return sum != 0;
}

void WriteCaseEnd(const RunSettings& s, const LoadCase& r, Listing& out) {
  WriteCommands(out, r.interpretedElementCommands, "*** Element Interpreted Load Commands ***",
                " ESTR - Element strain    SEFO - Beam axial force");
  WriteCommands(out, r.interpretedCoupleCommands, "*** Couple Interpreted Load Commands ***",
                " CDISP - Couple Displacement    CFACT - Couple Stiffness Factor(Birth/Death)");
  WriteGravity(out, r);
  WriteSavedEcho(out, r, ConvertedMode(s));
  WriteLoadSummation(out, r);

  // The analysis comments: the case file's ACOM lines.
  for (const std::string& comment : r.analysisComments) out.Line(comment);
  out.End();
  out.Repeat('=', 77).End();
}

std::string ListedText::OfGravity(const LoadCase& r) {
  WriteGravity(scratch, r);
  return Take();
}

std::string ListedText::OfSavedEcho(const LoadCase& r) {
  WriteSavedEcho(scratch, r, ConvertedMode(s));
  return Take();
}

}  // namespace orvant
