// Load case lines at the edges of their rules, listed by a run of a model
// written by the builder: axis codes that switch between global and local
// axes, and temperature and pressure lines that give only some of their values.
#include <gtest/gtest.h>

#include "support/model_builder.h"

using namespace orvant::testing;
using Lines = std::vector<std::string>;

namespace {

// Nodes 1..10, beams 1..9, four geometric codes; load case 1 holds `lines`.
Lines ListCase(const std::string& lines) {
  TestModel m;
  for (int n = 1; n <= 10; ++n) m.AddNode(static_cast<float>(n), 0, 0);
  for (int e = 1; e <= 9; ++e) m.AddElement(e, e + 1, 1, 1, 1.0f);
  m.geoms.resize(5), m.mats.resize(2);
  TestInstall install;
  install.WriteModel(m);
  install.WriteModelText(".L1", lines);
  RunResult r = RunInProcess(install, {"0/1/0/0/0/0/0/0/0/0/0/"});
  EXPECT_EQ(r.status, 0) << r.stderrText;
  return ListingLines(install.Listing());
}

// The label and axis text of each row (columns 1 to 13).
Lines Axes(const Lines& rows) {
  Lines out;
  for (const std::string& row : rows) out.push_back(row.substr(0, 13));
  return out;
}

std::string Row(const std::string& label, const std::string& axes) {
  return label + std::string(11 - label.size(), ' ') + axes;
}

// A parameters line: the count from column 43.
std::string Count(const std::string& label, int count) {
  return label + std::string(42 - label.size(), ' ') + " " + std::to_string(count) + " ";
}

}  // namespace

TEST(LoadCaseEdges, AxisCodesOfPointDistributedAndPropertyLoads) {
  const Lines listing = ListCase(
      // Point loads: 1 is global, any other whole number local (0.5 and 1.5 round to the even 0
      // and 2); blank (or the marker) is 1.
      "EP,1,1\r\nEP,2,0\r\nEP,3,-1\r\nEP,4,2\r\nEP,5\r\nEP,6,0.5\r\nEP,7,1.5\r\nEP,8,-10101\r\nEP,9,1.4\r\n"
      // Distributed loads: 1 global, 2 local, other non-zero codes GP, 0 (and blank) not listed.
      "ED,1,1\r\nED,2,2\r\nED,3,3\r\nED,4,-1\r\nED,5,0\r\nED,6\r\nED,7,2.5\r\nED,8,-2\r\n"
      "UDL,9,0,-1\r\nUDL,1,0,-1,0,2\r\nUDL,2,0,-1,0,0\r\nUDL,3,,,,3\r\n"
      // By code: the last direction's sign decides, 0 counting as global; -3..3 only.
      "PUDL,1,-2,-200\r\nPUDL,1,0,5\r\nPUDL,2,3,9\r\nPUDL,2,-1,4\r\nPUDL,3,4,1\r\nPUDL,3,-3,0\r\n"
      "PUDL,4,-4,7\r\nPUDL,4,-3,6\r\n");
  EXPECT_EQ(Axes(SectionRows(listing, "*** BEAM ELEMENT POINT LOADS ***", 1)),
            (Lines{Row("1", "Gl"), Row("2", "Lo"), Row("3", "Lo"), Row("4", "Lo"), Row("5", "Gl"), Row("6", "Lo"),
                   Row("7", "Lo"), Row("8", "Gl"), Row("9", "Gl")}));
  EXPECT_EQ(Axes(SectionRows(listing, "*** BEAM ELEMENT DISTRIBUTED LOADS ***", 1)),
            (Lines{Row("1", "Gl"), Row("2", "Lo"), Row("3", "GP"), Row("4", "GP"), Row("7", "Lo"), Row("8", "GP"),
                   Row("9", "Gl"), Row("1", "Lo"), Row("3", "GP")}));
  EXPECT_EQ(SectionRows(listing, "*** UDL LOADING BY GEOMETRIC PROPERTY CODE ***", 1),
            (Lines{" 1    G   0.000E+00 -2.000E+02  0.000E+00", " 2    GP  4.000E+00  0.000E+00  9.000E+00",
                   " 4    GP  0.000E+00  0.000E+00  6.000E+00"}));
  // Every distributed load line counts, listed or not.
  EXPECT_EQ(SectionRows(listing, "**** Load Case Parameters ****", 0),
            (Lines{Count("Number of Element Point Loads", 9), Count("Number of Element Distributed Loads", 12)}));
}

TEST(LoadCaseEdges, TemperatureAndPressureLinesGivingSomeOfTheirValues) {
  const Lines listing = ListCase(
      "TEPR,1,,2\r\nTEPR,2,,,5\r\nTEPR,3,,,,1.5\r\nTEPR,4,,,0\r\nTEPR,5\r\nTEPR,6,60\r\nTEPR,7,-10101,3\r\n"
      "TEPR,8,20,,-10101\r\nAMBT 15\r\n"
      "PTEMP,1,40\r\nPPRESS,2,100\r\nPPRESS,3,,50\r\nPTEMP,4\r\nPPRESS,4,-10101,7\r\n");
  // An external pressure alone, or an opposite-surface temperature of 0 alone,
  // counts as a definition but gives no row; a blank opposite temperature is the temperature.
  auto tepr = [](const std::string& label, const char* t, const char* ip, const char* opposite) {
    return label + std::string(6 - label.size(), ' ') + t + ip + "     0.000E+00" + opposite;
  };
  EXPECT_EQ(SectionRows(listing, "*** TEMPERATURE &  INT. PRESSURE LOADING ***", 1),
            (Lines{tepr("1", "          0.00", "     2.000E+00", "          0.00"),
                   tepr("2", "          0.00", "     0.000E+00", "          5.00"),
                   tepr("6", "         60.00", "     0.000E+00", "         60.00"),
                   tepr("7", "          0.00", "     3.000E+00", "          0.00"),
                   tepr("8", "         20.00", "     0.000E+00", "         20.00")}));
  EXPECT_EQ(SectionRows(listing, "**** Load Case Parameters ****", 0),
            (Lines{Count("Number of Element Press/Temp Defin", 7)}));
  // By code: a temperature or an internal pressure gives a row, an external pressure alone none.
  EXPECT_EQ(SectionRows(listing, "*** PRESSURE & TEMP LOADING BY GEOMETRIC PROPERTY CODE ***", 1),
            (Lines{" 1             40.00     0.000E+00     0.000E+00",
                   " 2              0.00     1.000E+02     0.000E+00"}));
}
