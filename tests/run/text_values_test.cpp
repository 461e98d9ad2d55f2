#include "run/text_values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "run/faults.h"

namespace orvant {
namespace {

std::vector<std::string> AllTexts(const std::string& text) {
  TextValues v(text, "T.TXT");
  std::vector<std::string> out;
  while (!v.AtEnd()) out.push_back(v.Text());
  return out;
}

using Texts = std::vector<std::string>;

TEST(TextValuesText, SeparatorsAndLineEnds) {
  EXPECT_EQ(AllTexts("a,,b"), (Texts{"a", "", "b"}));
  EXPECT_EQ(AllTexts("a,\n\nb"), (Texts{"a", "", "b"}));  // the blank line gives nothing
  EXPECT_EQ(AllTexts("a\n  \t \nb"), (Texts{"a", "b"}));
  EXPECT_EQ(AllTexts("a\r\nb\rc\n"), (Texts{"a", "b", "c"}));
  EXPECT_EQ(AllTexts(",x"), (Texts{"", "x"}));
  EXPECT_EQ(AllTexts("a,"), (Texts{"a"}));  // nothing after the last comma
}

TEST(TextValuesText, BlanksAroundValues) {
  EXPECT_EQ(AllTexts("  \tabc d \t ,  x\t\r\n"), (Texts{"abc d", "x"}));
}

TEST(TextValuesText, QuotedValues) {
  EXPECT_EQ(AllTexts("\"ab\r\ncd\" junk,next"), (Texts{"ab\r\ncd", "next"}));
  EXPECT_EQ(AllTexts("  \" a, b \"\r\n\"\",z"), (Texts{" a, b ", "", "z"}));
  EXPECT_EQ(AllTexts("\"open to the end"), (Texts{"open to the end"}));
}

TEST(TextValuesText, PastTheEndFails) {
  TextValues v("a\r\n\r\n  \t", "DATA.XSZ");
  EXPECT_EQ(v.Text(), "a");
  EXPECT_TRUE(v.AtEnd());
  try {
    v.Text();
    FAIL() << "no failure past the end";
  } catch (const RunFault& f) {
    EXPECT_NE(std::string(f.what()).find("DATA.XSZ"), std::string::npos);
  }
  EXPECT_THROW(v.Number(), RunFault);
  EXPECT_THROW(TextValues("", "E").Text(), RunFault);
}

TEST(TextValuesNumber, NumericValueEndsAtBlankOrComma) {
  TextValues v("3 ,4\n3 4\r\n5\t,6   \n abc,7,,2.5e1x ,-8", "N");
  for (double want : {3.0, 4.0, 3.0, 4.0, 5.0, 6.0, 0.0, 7.0, 0.0, 25.0, -8.0}) EXPECT_EQ(v.Number(), want);
  EXPECT_TRUE(v.AtEnd());
}

TEST(TextValuesNumber, MixedWithTexts) {
  TextValues v("\"Model A\", 12 , 3\r\n\"7\"  ,last one ,\n9", "M");
  EXPECT_EQ(v.Text(), "Model A");
  EXPECT_EQ(v.Int16(), 12);
  EXPECT_EQ(v.Int16(), 3);
  EXPECT_EQ(v.Int16(), 7);
  EXPECT_EQ(v.Text(), "last one");
  EXPECT_EQ(v.Text(), "");  // after the comma, before the line end
  EXPECT_EQ(v.Int16(), 9);
  EXPECT_TRUE(v.AtEnd());
}

TEST(TextValuesNumber, Int16RoundsHalfToEvenAndChecksRange) {
  TextValues v("2.5,3.5,-2.5,32767.4,-32768,32768,-32768.6", "CONFIG.INI");
  EXPECT_EQ(v.Int16(), 2);
  EXPECT_EQ(v.Int16(), 4);
  EXPECT_EQ(v.Int16(), -2);
  EXPECT_EQ(v.Int16(), 32767);
  EXPECT_EQ(v.Int16(), -32768);
  try {
    v.Int16();
    FAIL() << "32768 accepted";
  } catch (const RunFault& f) {
    EXPECT_NE(std::string(f.what()).find("CONFIG.INI"), std::string::npos);
  }
  EXPECT_THROW(v.Int16(), RunFault);
  EXPECT_THROW(TextValues("1e400", "F").Int16(), RunFault);
}

TEST(LeadingNumber, Forms) {
  struct Case { const char* text; double want; };
  const Case cases[] = {
      {"", 0},         {"abc", 0},       {"  \t-12.5xyz", -12.5}, {"+.5", 0.5},    {"7.", 7},
      {"1.2.3", 1.2},  {"1E", 1},        {"1e+", 1},              {"2D3", 2000},   {"2d-2", 0.02},
      {"1.5E+02", 150}, {"0x10", 0},     {"inf", 0},              {"nan", 0},      {"- 5", 0},
      {"1,5", 1},      {".e5", 0},       {".", 0},                {"-0", 0},       {"0.000125", 0.000125},
      {"1 2", 1},      {"00012", 12},    {"3e2e1", 300},
  };
  for (const Case& c : cases) EXPECT_EQ(LeadingNumber(c.text), c.want) << '"' << c.text << '"';
}

TEST(LeadingNumber, ExactLikeCorrectlyRoundedConversion) {
  for (const char* text : {"0.1", "123456789012345678901234567890", "2.2250738585072011e-308",
                           "4.9e-324", "1.7976931348623157e308", "0.30000000000000004"})
    EXPECT_EQ(LeadingNumber(text), std::strtod(text, nullptr)) << text;

  // 2^53 + 1 lies halfway between two doubles; a nonzero digit far beyond
  // any kept digits must still round it up.
  std::string halfway = "9007199254740993";
  EXPECT_EQ(LeadingNumber(halfway), 9007199254740992.0);
  std::string above = halfway + "." + std::string(1200, '0') + "1";
  EXPECT_EQ(LeadingNumber(above), 9007199254740994.0);

  std::string longInteger = "1" + std::string(1500, '7') + "e-1400";
  EXPECT_EQ(LeadingNumber(longInteger), std::strtod(longInteger.c_str(), nullptr));
  std::string longFraction = "0." + std::string(400, '0') + std::string(1000, '3') + "e500";
  EXPECT_EQ(LeadingNumber(longFraction), std::strtod(longFraction.c_str(), nullptr));
}

TEST(LeadingNumber, OutOfRangeExponents) {
  EXPECT_EQ(LeadingNumber("1e999999999999999999"), HUGE_VAL);
  EXPECT_EQ(LeadingNumber("-1e400"), -HUGE_VAL);
  EXPECT_EQ(LeadingNumber("1e-999999999999999999"), 0.0);
  EXPECT_EQ(LeadingNumber("0.001e311"), 1e308);
}

TEST(LineReader, LineEnds) {
  auto lines = [](std::string_view text) {
    LineReader r(text);
    std::vector<std::string> out;
    std::string_view line;
    while (r.Next(line)) out.emplace_back(line);
    return out;
  };
  EXPECT_EQ(lines(""), Texts{});
  EXPECT_EQ(lines("a\n"), Texts{"a"});
  EXPECT_EQ(lines("\n"), Texts{""});
  EXPECT_EQ(lines("a\r\nb\rc\n\nd"), (Texts{"a", "b", "c", "", "d"}));
  EXPECT_EQ(lines("x\n\r"), (Texts{"x", ""}));
}

}  // namespace
}  // namespace orvant
