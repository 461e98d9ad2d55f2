// The load combinations in both modes: factors, factored totals and sums in
// both unit modes, selection, missing cases, descriptions and line breaks.
#include "summaries/summaries_fixture.h"

#include "loads/comment_file.h"
#include "run/faults.h"
#include "summaries/summaries.h"

using namespace orvant;
using summaries::From;
using summaries::Lines;
using summaries::To;

namespace {

const std::string kRule(105, '=');
const Lines kMode1Heading{
    ":",
    kRule,
    "                    L O A D  C O M B I N A T I O N  S U M M A R Y",
    kRule,
    "*** Load Combination Summary  ***",
    "",
    To("Comb No    Description", 75) + "Fx         Fy         Fz",
    "",
};
const Lines kMode2Heading{":", kRule, "                    L O A D  C O M B I N A T I O N S", kRule};
const std::string kCaseHeading = To("Case  Load Factor   Load Case Description", 78) + "Fx         Fy         Fz";
const std::string kDashes = To("", 70) + "-----------------------------------";
const std::string kAsterisks = "    *******    *******    *******";

// The case line of mode 2 up to the totals.
std::string CaseLine(const std::string& label, const std::string& factor, const std::string& description) {
  return To(To(To(label, 6) + factor, 16) + description, 70);
}

class LoadCombinations : public summaries::SummaryTest {
 protected:
  void Comb(int n, const std::string& content) { Write(".C" + std::to_string(n), content); }
  void Run(int mode) { WriteLoadCombinations(*ctx, ctx->settings.ModelPath, ctx->settings.MaxLoadLabel, mode); }

  // Cases 1 and 2 with totals, combined as 1.5 x case 1 - case 2 in
  // combination 0.
  void DeadAndWind() {
    Case(1, "Dead load");
    Totals(1, "1000", "0", "-500");
    Case(2, "Wind");
    Totals(2, "200", "50", "0");
    Comb(0, "2\r\n1,1.5\r\n2,-1\r\n\"Dead and wind\"\r\n");
  }
};

TEST_F(LoadCombinations, Mode2FactorsTotalsAndSumInBothUnitModes) {
  DeadAndWind();
  Units(0);
  Run(2);
  Lines expected = kMode2Heading;
  Lines block{"", To("*** Comb No 0", 18) + "Desc: Dead and wind", "", kCaseHeading, ""};
  expected.insert(expected.end(), block.begin(), block.end());
  Lines rows{CaseLine(" 1", " 1.5", "Dead load") + "  1.500E+03  0.000E+00 -7.500E+02",
             CaseLine(" 2", "-1", "Wind") + " -2.000E+02 -5.000E+01  0.000E+00", kDashes,
             To("Load Combination Sum", 70) + "  1.300E+03 -5.000E+01 -7.500E+02", ""};
  expected.insert(expected.end(), rows.begin(), rows.end());
  EXPECT_EQ(Listed(), expected);

  Clear();
  Units(1);
  Run(2);
  EXPECT_EQ(From(Listed(), 9),
            (Lines{CaseLine(" 1", " 1.5", "Dead load") + "       1.50       0.00      -0.75",
                   CaseLine(" 2", "-1", "Wind") + "      -0.20      -0.05       0.00", kDashes,
                   To("Load Combination Sum", 70) + "       1.30      -0.05      -0.75", ""}));
}

TEST_F(LoadCombinations, Mode1OneLinePerCombinationInBothUnitModes) {
  DeadAndWind();
  Units(0);
  Run(1);
  Lines expected = kMode1Heading;
  expected.push_back(To(To(" 0", 12) + "Dead and wind", 70) + "  1.300E+03 -5.000E+01 -7.500E+02");
  EXPECT_EQ(Listed(), expected);

  Clear();
  Units(1);
  Run(1);
  EXPECT_EQ(From(Listed(), kMode1Heading.size()),
            (Lines{To(To(" 0", 12) + "Dead and wind", 70) + "       1.30      -0.05      -0.75"}));
}

TEST_F(LoadCombinations, ResultsSetSelectsCombinationsInAscendingOrder) {
  Case(1, "One");
  Totals(1, "10", "20", "30");
  for (int n : {7, 3, 5}) Comb(n, "1\r\n1," + std::to_string(n) + "\r\n\"Comb " + std::to_string(n) + "\"\r\n");
  ctx->settings.SelectedCombinations[3] = 1;
  ctx->settings.SelectedCombinations[7] = 1;
  ctx->settings.SelectedCombinationCount = 2;
  Run(1);
  EXPECT_EQ(From(Listed(), kMode1Heading.size()),
            (Lines{To(To(" 3", 12) + "Comb 3", 70) + "  3.000E+01  6.000E+01  9.000E+01",
                   To(To(" 7", 12) + "Comb 7", 70) + "  7.000E+01  1.400E+02  2.100E+02"}));

  // Without a selection every combination file is listed.
  Clear();
  ctx->settings.SelectedCombinationCount = 0;
  Run(1);
  EXPECT_EQ(Listed().size(), kMode1Heading.size() + 3);
}

TEST_F(LoadCombinations, MissingCaseKeepsTheSavedTotalsFlagOfTheCaseBefore) {
  Case(1, "Dead load");
  Totals(1, "1000", "0", "0");
  Comb(1, "2\r\n9,2\r\n1,1\r\n\"Missing first\"\r\n");
  Comb(2, "2\r\n1,1\r\n9,1\r\n\"Missing after\"\r\n");
  Units(0);
  Run(2);
  const std::string missing = "????????? LOAD CASE 9 DOES NOT EXIST ********";
  Lines lines = Listed();
  ASSERT_EQ(lines.size(), 4u + 2 * 10u);
  // Nothing read before: the asterisk columns, the sums unchanged.
  EXPECT_EQ(lines[9], CaseLine(" 9", " 2", missing) + kAsterisks);
  EXPECT_EQ(lines[10], CaseLine(" 1", " 1", "Dead load") + "  1.000E+03  0.000E+00  0.000E+00");
  EXPECT_EQ(lines[12], To("Load Combination Sum", 70) + "  1.000E+03  0.000E+00  0.000E+00");
  // After a case with totals: three zero fields.
  EXPECT_EQ(lines[19], CaseLine(" 1", " 1", "Dead load") + "  1.000E+03  0.000E+00  0.000E+00");
  EXPECT_EQ(lines[20], CaseLine(" 9", " 1", missing) + "  0.000E+00  0.000E+00  0.000E+00");
  EXPECT_EQ(lines[22], To("Load Combination Sum", 70) + "  1.000E+03  0.000E+00  0.000E+00");
}

TEST_F(LoadCombinations, DescriptionOf55CharactersPushesTheTotalsToTheNextLine) {
  Case(1, std::string(55, 'A'));
  Totals(1, "1", "2", "3");
  Case(2, std::string(54, 'B'));
  Totals(2, "1", "2", "3");
  Comb(1, "2\r\n1,1\r\n2,1\r\n\"Long\"\r\n");
  Run(2);
  EXPECT_EQ(From(Listed(), 9),
            (Lines{To(To(" 1", 6) + " 1", 16) + std::string(55, 'A'),
                   To("", 70) + "  1.000E+00  2.000E+00  3.000E+00",
                   CaseLine(" 2", " 1", std::string(54, 'B')) + "  1.000E+00  2.000E+00  3.000E+00", kDashes,
                   To("Load Combination Sum", 70) + "  2.000E+00  4.000E+00  6.000E+00", ""}));
}

TEST_F(LoadCombinations, EmptyDescriptionTakesTheLastDigitOfTheNumber) {
  Case(1, "One");
  Comb(12, "1\r\n1,1\r\n\"\"\r\n");
  Run(1);
  // Without saved totals the sums stay 0.
  EXPECT_EQ(From(Listed(), kMode1Heading.size()),
            (Lines{To(To(" 12", 12) + "2", 70) + "  0.000E+00  0.000E+00  0.000E+00"}));
  Clear();
  Run(2);
  EXPECT_EQ(Listed()[5], To("*** Comb No 12", 18) + "Desc: 2");
  EXPECT_EQ(Listed()[9], CaseLine(" 1", " 1", "One") + kAsterisks);
}

TEST_F(LoadCombinations, FactorsInDoubleSumsStoredInSingleAfterEachAddition) {
  // Only the three totals of the ".#" file are read here.
  Case(1, "Big");
  Write(".#1", "100000000,0,0\r\n");
  Case(2, "Small");
  Write(".#2", "3,0,0\r\n");
  // 1e8 + 3 + 3 + 3: each single-precision sum rounds back to 1e8.
  Comb(4, "4\r\n1,1\r\n2,1\r\n2,1\r\n2,1\r\n\"Precision\"\r\n");
  Comb(5, "1\r\n2,1.23456789\r\n\"Factor\"\r\n");
  Units(1);
  Run(1);
  EXPECT_EQ(From(Listed(), kMode1Heading.size()),
            (Lines{To(To(" 4", 12) + "Precision", 70) + "  100000.00       0.00       0.00",
                   To(To(" 5", 12) + "Factor", 70) + "       0.00       0.00       0.00"}));
  Clear();
  Units(0);
  Run(2);
  Lines lines = Listed();
  ASSERT_GE(lines.size(), 26u);
  // The factor keeps its digits; it ends past column 16, so the description
  // starts at column 16 of a new line.
  EXPECT_EQ(lines[21], " 2    1.23456789 ");
  EXPECT_EQ(lines[22], To(To("", 16) + "Small", 70) + "  3.704E+00  0.000E+00  0.000E+00");
}

TEST_F(LoadCombinations, CaseReadsGoOnNumberingComments) {
  Write(".L1", "COM Wind from north\r\nLDESC Wind\r\nSCASE second line\r\n");
  Comb(1, "1\r\n1,1\r\n\"C\"\r\n");
  ctx->loads.commentCounter = 5;
  Run(2);
  EXPECT_EQ(ctx->loads.commentCounter, 6);
  EXPECT_EQ(ReadCommentRecord(*ctx, 6).substr(0, 16), "Wind from north ");
  EXPECT_EQ(ctx->loads.scaseText, "second line");
}

TEST_F(LoadCombinations, ShortCombinationFileIsARunFault) {
  Case(1, "One");
  Comb(3, "3\r\n1,1\r\n1,2\r\n");
  EXPECT_THROW(Run(1), RunFault);
}

}  // namespace
