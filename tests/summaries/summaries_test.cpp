// The load combinations: what the example listings do not show.
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
};

}  // namespace

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

TEST(Summaries, SumsStayInSinglePrecision) {
  Summaries t;
  t.Case(1, "Big", "100000000,0,0");
  t.Case(2, "Small", "3,0,0");
  t.WriteModelText(".C4", "4\r\n1,1\r\n2,1\r\n2,1\r\n2,1\r\n\"Precision\"\r\n");
  EXPECT_EQ(t.Run(1, 1, 8), (Lines{PadTo(PadTo(" 4", 12) + "Precision", 70) + "  100000.00       0.00       0.00"}));
}
