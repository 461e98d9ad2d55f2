// The load combinations, the load case summary and the set summaries.
#include <gtest/gtest.h>

#include "loads/load_test_support.h"
#include "summaries/summaries.h"

using namespace orvant;
using namespace orvant::testing;
using Lines = std::vector<std::string>;

namespace {

// The case line of a full combination up to the totals.
std::string Row(const std::string& label, const std::string& factor, const std::string& description) {
  return PadTo(PadTo(PadTo(label, 6) + factor, 16) + description, 70);
}
std::string CombLine(const std::string& label, const std::string& description) {
  return PadTo(PadTo(label, 12) + description, 70);
}
const std::string kDashes = PadTo("", 70) + Repeat("-", 35), kSum = PadTo("Load Combination Sum", 70);

struct Summaries : LoadContext {
  // A data line of 21 fields would stop a full parse: the summaries read
  // description lines only.
  void Case(int n, const std::string& description, const std::string& totals) {
    WriteModelText(".L" + std::to_string(n), "LDESC " + description + "\r\nND" + Repeat(",1", 21) + "\r\n");
    if (!totals.empty()) WriteModelText(".#" + std::to_string(n), totals + ",\"Run 1\",\"01/01/2026\"\r\n");
  }
  // The lines from `first` on of the combinations in one mode.
  Lines Run(int mode, int units = 0, size_t first = 0) {
    ctx->listing.Discard();
    ctx->settings.ConvertedUnits = static_cast<int16_t>(units);
    WriteLoadCombinations(ctx->settings, reader, ctx->listing, ctx->files, ctx->settings.ModelPath,
                          ctx->settings.MaxLoadLabel, static_cast<int16_t>(mode));
    Lines lines = Listed();
    return Lines(lines.begin() + static_cast<long>(std::min(first, lines.size())), lines.end());
  }
  Lines Mode1(int units = 0) { return Run(1, units, 8); }
};

}  // namespace

TEST(Summaries, FactorsAndSumsInBothUnitModes) {
  Summaries t;
  t.Case(1, "Dead load", "1000,0,-500");
  t.Case(2, "Wind", "200,50,0");
  t.WriteModelText(".C0", "2\r\n1,1.5\r\n2,-1\r\n\"Dead and wind\"\r\n");
  const Lines values[2] = {
      {"  1.500E+03  0.000E+00 -7.500E+02", " -2.000E+02 -5.000E+01  0.000E+00", "  1.300E+03 -5.000E+01 -7.500E+02"},
      {"       1.50       0.00      -0.75", "      -0.20      -0.05       0.00", "       1.30      -0.05      -0.75"}};
  for (int units : {0, 1}) {
    const Lines& v = values[units];
    EXPECT_EQ(t.Run(2, units, 9), (Lines{Row(" 1", " 1.5", "Dead load") + v[0], Row(" 2", "-1", "Wind") + v[1], kDashes,
                                         kSum + v[2], ""}));
    EXPECT_EQ(t.Mode1(units), (Lines{CombLine(" 0", "Dead and wind") + v[2]}));
  }
}

TEST(Summaries, MissingCaseShowsZerosOnlyAfterACaseWithTotals) {
  Summaries t;
  t.Case(1, "Dead load", "1000,0,0");
  t.WriteModelText(".C1", "2\r\n9,2\r\n1,1\r\n\"Missing first\"\r\n");
  t.WriteModelText(".C2", "2\r\n1,1\r\n9,1\r\n\"Missing after\"\r\n");
  const std::string missing = "????????? LOAD CASE 9 DOES NOT EXIST ********";
  const std::string thousand = "  1.000E+03  0.000E+00  0.000E+00";
  Lines lines = t.Run(2);
  ASSERT_EQ(lines.size(), 24u);
  EXPECT_EQ(Lines(lines.begin() + 9, lines.begin() + 13),
            (Lines{Row(" 9", " 2", missing) + Repeat("    *******", 3), Row(" 1", " 1", "Dead load") + thousand,
                   kDashes, kSum + thousand}));
  EXPECT_EQ(Lines(lines.begin() + 19, lines.begin() + 23),
            (Lines{Row(" 1", " 1", "Dead load") + thousand,
                   Row(" 9", " 1", missing) + "  0.000E+00  0.000E+00  0.000E+00", kDashes, kSum + thousand}));
  t->listing.Discard();
  WriteLoadCaseSummary(t->settings, t.reader, t->listing);
  EXPECT_EQ(t.Listed().back(), CombLine(" 1", PadTo("Dead load", 59)) + thousand);
}

TEST(Summaries, LongDescriptionOrFactorBreaksTheLine) {
  Summaries t;
  t.Case(1, Repeat("A", 55), "1,2,3");
  t.Case(2, Repeat("B", 54), "1,2,3");
  t.WriteModelText(".C1", "3\r\n1,1\r\n2,1\r\n2,1.23456789\r\n\"Long\"\r\n");
  const std::string totals = "  1.000E+00  2.000E+00  3.000E+00";
  EXPECT_EQ(t.Run(2, 0, 9), (Lines{PadTo(PadTo(" 1", 6) + " 1", 16) + Repeat("A", 55), PadTo("", 70) + totals,
                                   Row(" 2", " 1", Repeat("B", 54)) + totals, " 2    1.23456789 ",
                                   Row("", "", Repeat("B", 54)) + "  1.235E+00  2.469E+00  3.704E+00", kDashes,
                                   kSum + "  3.235E+00  6.469E+00  9.704E+00", ""}));
}

TEST(Summaries, QuotedFactorReadsAsZero) {
  Summaries t;
  t.Case(4, "Dead load", "1000,200,-50");
  t.WriteModelText(".C2", "2\r\n4,\"2\"\r\n4,2\r\nQuoted factor\r\n");
  const std::string doubled = "  2.000E+03  4.000E+02 -1.000E+02";
  EXPECT_EQ(t.Run(2, 0, 9), (Lines{Row(" 4", " 0", "Dead load") + Repeat("  0.000E+00", 3), Row(" 4", " 2", "Dead load") + doubled,
                                   kDashes, kSum + doubled, ""}));
  EXPECT_EQ(t.Mode1(), (Lines{CombLine(" 2", "Quoted factor") + doubled}));
}

TEST(Summaries, SumsStayInSinglePrecision) {
  Summaries t;
  t.Case(1, "Big", "100000000,0,0");
  t.Case(2, "Small", "3,0,0");
  t.WriteModelText(".C4", "4\r\n1,1\r\n2,1\r\n2,1\r\n2,1\r\n\"Precision\"\r\n");
  EXPECT_EQ(t.Mode1(1), (Lines{CombLine(" 4", "Precision") + "  100000.00       0.00       0.00"}));
}

TEST(Summaries, ResultsSetSelectsCombinations3And7) {
  Summaries t;
  t.Case(1, "One", "10,20,30");
  for (std::string k : {"7", "3", "5"}) t.WriteModelText(".C" + k, "1\r\n1," + k + "\r\n\"Comb " + k + "\"\r\n");
  t.WriteModelText(".C8", "3\r\n1,1\r\n1,2\r\n");  // short: a failure once listed
  t->settings.SelectedCombinations[3] = t->settings.SelectedCombinations[7] = 1;
  t->settings.SelectedCombinationCount = 2;
  EXPECT_EQ(t.Mode1(), (Lines{CombLine(" 3", "Comb 3") + "  3.000E+01  6.000E+01  9.000E+01",
                              CombLine(" 7", "Comb 7") + "  7.000E+01  1.400E+02  2.100E+02"}));
  t->settings.SelectedCombinationCount = 0;
  EXPECT_THROW(t.Mode1(), RunFault);
}

TEST(Summaries, SetSummariesByRecordNumberAndShortOrMissingFiles) {
  LoadContext t;
  const Lines heading{":", "*** R E S U L T S   S E T    S U M M A R Y  ***", "", "SET No    Description", ""};
  auto listed = [&t](const char* f) {
    t->listing.Discard();
    WriteSetSummary(t->settings, t->listing, t->files, f);
    return t.Listed();
  };
  t->settings.MaxLoadLabel = 13;  // the last set listed
  Bytes b;
  b.Append(SetRecord(1, "Set zero  ")).Append(SetRecord(0, "not defined")).Append(SetRecord(2, "flag two"));
  for (int k = 3; k <= 12; ++k) b.Append(SetRecord(0, ""));
  WriteFile(t.File(".NSS"), b.Append(SetRecord(1, Repeat("X", 50))).Append(SetRecord(1, "Fourteen")));
  Lines expected = heading;
  expected.insert(expected.end(), {" 0         " + PadTo("Set zero", 51), " 13        " + Repeat("X", 50)});
  EXPECT_EQ(listed(".NSS"), expected);
  // A record cut short by the end of the file counts as not defined.
  b = SetRecord(1, "cut");
  b.data.resize(40);
  WriteFile(t.File(".NSS"), b);
  EXPECT_EQ(listed(".NSS"), heading);
  EXPECT_EQ(listed(".NSG").size(), heading.size());
  EXPECT_FALSE(PathExists(t.File(".NSG")));
}
