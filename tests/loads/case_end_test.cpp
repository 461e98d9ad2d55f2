// The closing blocks of a listed load case: interpreted commands, gravity,
// the saved echo, the load summation and the ACOM lines.
#include <gtest/gtest.h>

#include "loads/load_sections.h"
#include "loads/load_test_support.h"

using namespace orvant;
using namespace orvant::testing;

namespace {

// Reads case 1 from text (and its ".#" file when given) and writes its end.
std::vector<std::string> CaseEnd(const std::string& caseText, const std::string& totals = "",
                                 int16_t convertedUnits = 0) {
  LoadContext t;
  t.WriteModelText(".L1", caseText);
  if (!totals.empty()) t.WriteModelText(".#1", totals);
  t->settings.ConvertedUnits = convertedUnits;
  t->settings.CurrentLoadCase = 1;
  ReadNextLoadCase(*t);
  WriteCaseEnd(*t);
  return t.Lines();
}

const std::string kClose(77, '=');

}  // namespace

TEST(CaseEnd, InterpretedCommandsAreListedAsTwentyCharacterLines) {
  EXPECT_EQ(CaseEnd("ESTR,12,0.001\nsefo,123456,1.23456789\ncdisp,3,,1\n"),
            (std::vector<std::string>{"",
                                      "*** Element Interpreted Load Commands ***",
                                      "",
                                      " ESTR - Element strain    SEFO - Beam axial force",
                                      "",
                                      "ESTR,12,0.001,      ",
                                      "SEFO,123456,1.234567",
                                      "",
                                      "*** Couple Interpreted Load Commands ***",
                                      "",
                                      " CDISP - Couple Displacement    CFACT - Couple Stiffness Factor(Birth/Death)",
                                      "",
                                      "CDISP,3, ,1,        ",
                                      "",
                                      kClose}));
}

TEST(CaseEnd, GravityListsOnlyTheNonZeroComponents) {
  EXPECT_EQ(CaseEnd("ACCEL,0,-9.81,0\n"),
            (std::vector<std::string>{"", "*** GRAVITATIONAL LOADS ***", "", "Y Direction acceleration  -9.81 ", "",
                                      kClose}));
  EXPECT_EQ(CaseEnd("ACCEL,0,,0\n"), (std::vector<std::string>{"", kClose}));
}

TEST(CaseEnd, SavedTotalsSummingToZeroHaveNoEcho) {
  EXPECT_EQ(CaseEnd("LSUM,100,-100,0\nCOF,1,2,3,4,5,6,7,8,9\n"), (std::vector<std::string>{"", kClose}));
}

TEST(CaseEnd, EchoIsConvertedWhileTheLoadSummationIsNot) {
  std::vector<std::string> expected{
      "",
      std::string(77, '+'),
      "Echo of Load Case Parameters Displayed when Load Case was saved",
      "",
      "*** Total Loading when saved *** ",
      "",
      "             Fx          Fy        Fz",
      "",
      "                " "0.00      -5.00       0.00",
      "",
      "*** Centre of Force when saved ***",
      "",
      "             CGx            CGy           CGz",
      "",
      "X Fo             1.50       2.00       3.00",
      "Y Fo             4.00       5.00    1234.57",
      "Z Fo        -10101.00  -10101.00  -10101.00",
      std::string(77, '+'),
      "",
      "",
      "*** LOAD SUMMATION at Load Case Analysis (Static   Run 3)  *** ",
      "",
      "             Fx          Fy        Fz",
      "",
      "           0.000E+00 -5.000E+03  1.250E+01",
      "",
      kClose};
  EXPECT_EQ(CaseEnd("LSUM,0,-5000,0\nCOF,1.5,2,3,4,5,1234.567\n", "0,-5000,12.5,\"Static\",\"Run 3\"\n", 1),
            expected);

  // Unconverted, the echo is in exponent form too.
  std::vector<std::string> lines = CaseEnd("LSUM,0,-5000,0\n", "", 0);
  ASSERT_GE(lines.size(), 9u);
  EXPECT_EQ(lines[8], "           0.000E+00 -5.000E+03  0.000E+00");
}

TEST(CaseEnd, AnalysisCommentsAreEchoedInFileOrder) {
  EXPECT_EQ(CaseEnd("ACOM First note   \r\nacom not this one\r\nLDESC Case\r\nACOM  Second, with comma\r\nACOM\r\n"
                    "ACOMX\r\n"),
            (std::vector<std::string>{"First note", " Second, with comma", "", "", "", kClose}));
}
