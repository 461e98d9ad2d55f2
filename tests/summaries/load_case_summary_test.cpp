// The load case summary: heading, one line per case read in header-only
// mode, saved totals or the asterisk columns in both unit modes.
#include "summaries/summaries_fixture.h"

#include <algorithm>

#include "summaries/summaries.h"

using namespace orvant;
using summaries::From;
using summaries::Lines;
using summaries::To;

namespace {

const Lines kHeading{
    ":",
    std::string(105, '='),
    "                       L O A D   C A S E    S U M M A R Y",
    std::string(105, '='),
    "*** Load Case Summary  ***",
    "",
    To("Case No    Description", 75) + "Fx         Fy         Fz",
    "",
};

class LoadCaseSummary : public summaries::SummaryTest {};

TEST_F(LoadCaseSummary, NoCaseGivesTheHeadingOnly) {
  WriteLoadCaseSummary(*ctx);
  EXPECT_EQ(Listed(), kHeading);
  EXPECT_GT(ctx->settings.CurrentLoadCase, ctx->settings.MaxLoadLabel);
  EXPECT_EQ(ctx->loads.HeaderOnlyMode, 0);
}

TEST_F(LoadCaseSummary, CasesWithAndWithoutSavedTotalsInBothUnitModes) {
  Case(0, "Dead load");
  Totals(0, "12500", "-3200", "0");
  Case(3, "Wind");  // no ".#" file
  Case(7, "Small");
  Totals(7, "-0.4", "999.996", "-1E+9");

  Units(0);
  WriteLoadCaseSummary(*ctx);
  EXPECT_EQ(From(Listed(), kHeading.size()),
            (Lines{To(" 0", 12) + To("Dead load", 59) + "  1.250E+04 -3.200E+03  0.000E+00",
                   To(" 3", 12) + To("Wind", 59) + "    ****       ****       ****",
                   To(" 7", 12) + To("Small", 59) + " -4.000E-01  1.000E+03 -1.000E+09"}));

  Clear();
  Units(1);
  WriteLoadCaseSummary(*ctx);
  // A negative total that rounds to zero shows no minus sign.
  EXPECT_EQ(From(Listed(), kHeading.size()),
            (Lines{To(" 0", 12) + To("Dead load", 59) + "      12.50      -3.20       0.00",
                   To(" 3", 12) + To("Wind", 59) + "    ****       ****       ****",
                   To(" 7", 12) + To("Small", 59) + "       0.00       1.00-1000000.00"}));
}

TEST_F(LoadCaseSummary, ReadsHeaderLinesOnlyAndKeepsTheLastDescription) {
  // A data line of 21 fields would stop a full parse with an index failure;
  // the summary reads the description lines only.
  Write(".L1", "LDESC First case\r\nND,1,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21\r\n");
  // A case without LDESC shows the description read before it.
  Write(".L2", "LDATE 01/01/2026\r\n");
  // A description of 70 characters is cut to 55: the totals stay at column 70.
  std::string long70(70, 'D');
  Write(".L4", "LDESC " + long70 + "\r\n");
  Totals(4, "1", "2", "3");
  WriteLoadCaseSummary(*ctx);
  EXPECT_EQ(From(Listed(), kHeading.size()),
            (Lines{To(" 1", 12) + To("First case", 59) + "    ****       ****       ****",
                   To(" 2", 12) + To("First case", 59) + "    ****       ****       ****",
                   To(" 4", 12) + To(std::string(55, 'D'), 59) + "  1.000E+00  2.000E+00  3.000E+00"}));
  EXPECT_EQ(ctx->loads.HeaderOnlyMode, 0);
}

// Whole program: the summary follows the survey's closing line and the case
// files are read again for the load case pass afterwards.
TEST(LoadCaseSummaryRun, ConvertedSummaryInTheListing) {
  orvant::testing::TestInstall install;
  orvant::testing::TestModel model;
  model.AddNode(0, 0, 0);
  model.AddNode(1, 0, 0);
  model.AddElement(1, 2, 0, 0, 1);
  install.WriteModel(model);
  install.WriteModelText(".L1", "LDESC Dead load\r\nNF,1,5000\r\n");
  install.WriteModelText(".#1", "12500,-3200,0,\"a\",\"b\"\r\n");
  install.WriteModelText(".L2", "LDESC Live\r\n");
  // Field 1 "-0": no model data, converted units; case summary only.
  auto r = orvant::testing::RunInProcess(install, {"-0/0/1/0/0/0/0/0/0/0/0/"});
  ASSERT_EQ(r.status, 0) << r.stderrText;
  Lines lines = orvant::testing::ListingLines(install.Listing());
  auto at = std::find(lines.begin(), lines.end(), "*** Load Case Summary  ***");
  ASSERT_NE(at, lines.end());
  ASSERT_GE(lines.end() - at, 7);
  EXPECT_EQ(at[4], To(" 1", 12) + To("Dead load", 59) + "      12.50      -3.20       0.00");
  EXPECT_EQ(at[5], To(" 2", 12) + To("Live", 59) + "    ****       ****       ****");
  EXPECT_EQ(at[6], "");  // the empty line that closes the summaries stretch
}

}  // namespace
