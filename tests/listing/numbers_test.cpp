// Number rendering: patterns, right-justified fields, bare numbers. The
// random cases compare with a slow reference that rounds the exact decimal
// expansion of the value by hand.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>

#include "listing/numbers.h"
#include "run/faults.h"

using namespace orvant;

namespace {

std::string Bare(float v) { std::string s; AppendBareSingle(s, v); return s; }
std::string Bare15(double v) { std::string s; AppendBareDouble15(s, v); return s; }

// |x| written out exactly (160 places hold any float, 800 digits any double).
std::string Exact(double x, std::chars_format f, int prec) {
  static char b[1200];
  return std::string(b, std::to_chars(b, b + sizeof b, std::fabs(x), f, prec).ptr);
}

void Increment(std::string& d) {
  for (size_t i = d.size(); i-- > 0; d[i] = '0')
    if (d[i] != '9') { ++d[i]; return; }
  d.insert(0, 1, '1');
}

// |x| rounded to sig significant digits, halves away from zero or to even,
// on the exact digits; the digits are returned, the decimal exponent set.
std::string RoundSig(double x, int sig, bool toEven, int& exp) {
  std::string e = Exact(x, std::chars_format::scientific, 800);
  std::string m = e.substr(0, 1) + e.substr(2, sig - 1);
  std::string rest = e.substr(sig + 1, e.find('e') - sig - 1);
  exp = std::atoi(e.c_str() + e.find('e') + 1);
  bool above = rest.find_first_not_of('0', 1) != std::string::npos;
  if (rest[0] > '5' || (rest[0] == '5' && (!toEven || above || (m.back() - '0') % 2))) Increment(m);
  if (static_cast<int>(m.size()) > sig) m.pop_back(), ++exp;
  return m;
}

std::string RefPattern(float v, const std::string& pat) {
  if (pat == "0.000E+00") {
    int exp = 0;
    std::string m = v == 0 ? "0000" : RoundSig(v, 4, false, exp);
    char b[32];
    std::snprintf(b, sizeof b, "%s%c.%sE%+03d", v < 0 ? "-" : "", m[0], m.c_str() + 1, exp);
    return b;
  }
  size_t dot = pat.find('.');
  std::string ip = pat.substr(0, dot), fp = dot == std::string::npos ? "" : pat.substr(dot + 1);
  size_t d = fp.size(), zeros = std::count(fp.begin(), fp.end(), '0');
  size_t minInt = ip.find('0') == std::string::npos ? 0 : ip.size() - ip.find('0');
  std::string e = Exact(v, std::chars_format::fixed, 160);
  size_t p = e.find('.');
  std::string digits = e.substr(0, p) + e.substr(p + 1, d);
  if (e[p + 1 + d] >= '5') Increment(digits);
  std::string in = digits.substr(0, digits.size() - d), fr = digits.substr(digits.size() - d);
  in.erase(0, in.find_first_not_of('0'));
  bool zero = in.empty() && fr.find_first_not_of('0') == std::string::npos;
  if (in.size() < minInt) in.insert(0, minInt - in.size(), '0');
  while (fr.size() > zeros && fr.back() == '0') fr.pop_back();
  return (v < 0 && !zero ? "-" : "") + in + (dot == std::string::npos ? "" : "." + fr);
}

// The bare text is the shortest form of the rounded decimal.
std::string RefBare(double x, int sig, int expAt) {
  if (x == 0) return " 0 ";
  int exp = 0;
  std::string m = RoundSig(x, sig, true, exp);
  double y = std::strtod((m + "e" + std::to_string(exp - sig + 1)).c_str(), nullptr);
  char b[64];
  bool expForm = exp >= expAt || exp < -4;
  std::string t(b, std::to_chars(b, b + sizeof b, y, expForm ? std::chars_format::scientific
                                                              : std::chars_format::fixed).ptr);
  if (expForm) t[t.find('e')] = 'E';
  if (t.rfind("0.", 0) == 0) t.erase(0, 1);
  return (x < 0 ? "-" : " ") + t + " ";
}

const char* const kPatterns[] = {
    "0.000E+00", "######0.00", "#####0.0000", "#####0.000", "#####0.00", "###0.0000", "###0.00000",
    "##0.00000", "###0.000",   "##0.000",     "##0.00",     "##0.0##",   "#0.000",    "0.000",
    "0.00",      "###.###",    "0",           "#",          "###0",      "##0.0###",  "#0.0###"};

// Any finite float, everyday magnitudes, exact ties at few decimals, decimal fractions.
float RandomFloat(std::mt19937_64& g) {
  switch (g() % 4) {
    case 0: { float f = std::bit_cast<float>(static_cast<uint32_t>(g()));
              return std::isfinite(f) ? f : 1.5f; }
    case 1: return std::copysign(std::pow(10.0f, std::uniform_real_distribution<float>(-6, 8)(g)),
                                 g() % 2 ? 1.0f : -1.0f);
    case 2: return std::ldexp(static_cast<float>(static_cast<int>(g() % 2000001) - 1000000),
                              -static_cast<int>(g() % 9));
    default: return static_cast<float>(static_cast<int>(g() % 2000001) - 1000000) /
                    static_cast<float>(std::pow(10.0, g() % 8));
  }
}

}  // namespace

TEST(NumberPatterns, FieldsFromTheListingSections) {
  EXPECT_EQ(FormatRight(1234.5f, "#####0.0000", 11), "  1234.5000");
  EXPECT_EQ(FormatRight(123456.7f, "#####0.0000", 11), "123456.7031");
  EXPECT_EQ(FormatRight(-1234567.5f, "#####0.0000", 11), "234567.5000");
  EXPECT_EQ(FormatRight(0, "0.000E+00", 11), "  0.000E+00");
  EXPECT_EQ(FormatRight(-0.00000045f, "0.000E+00", 11), " -4.500E-07");
  EXPECT_EQ(FormatRight(0, "#", 2), "  ");
  EXPECT_EQ(FormatRight(1, "0", 0), "");
}

TEST(NumberPatterns, PlaceholdersRoundingAndExponents) {
  struct { float v; const char* pat; const char* want; } cases[] = {
      {0.5f, "#####0.000", "0.500"}, {0.5f, "###.###", ".5"}, {2, "###.###", "2."},
      {0, "###.###", "."}, {1.5f, "##0.0###", "1.5"}, {1.23456f, "##0.0###", "1.2346"},
      {2, "##0.0###", "2.0"}, {0.4f, "#", ""}, {0.4f, "0", "0"}, {-0.4f, "#", ""},
      {3.4e38f, "0", "339999995214436424907732413799364296704"},
      // Halves away from zero; no minus on a value that rounds to zero.
      {0.125f, "0.00", "0.13"}, {2.5f, "0", "3"}, {-2.5f, "0", "-3"}, {0.5f, "#", "1"},
      {-0.001f, "0.00", "0.00"}, {-0.0f, "##0.0##", "0.0"},
      {12345, "0.000E+00", "1.235E+04"}, {1.0625f, "0.000E+00", "1.063E+00"},
      {-99995, "0.000E+00", "-1.000E+05"}, {-0.00123f, "0.000E+00", "-1.230E-03"},
      {-0.0f, "0.000E+00", "0.000E+00"}, {1e-40f, "0.000E+00", "1.000E-40"},
      {3.4e38f, "0.000E+00", "3.400E+38"}, {3.4028235e38f, "0.000E+00", "3.403E+38"},
      {1.5f, "0.0E-000", "1.5E000"}, {0.015f, "0.0E-00", "1.5E-02"}, {25, "0E+0", "3E+1"}};
  for (const auto& c : cases) EXPECT_EQ(FormatPlain(c.v, c.pat), c.want) << c.v << " " << c.pat;
}

TEST(NumberPatterns, FaultsAndUnknownPatterns) {
  EXPECT_THROW(FormatRight(std::numeric_limits<float>::infinity(), "0.00", 6), RunFault);
  EXPECT_THROW(FormatPlain(std::nanf(""), "0.000E+00"), RunFault);
  EXPECT_THROW(Bare(-std::numeric_limits<float>::infinity()), RunFault);
  for (const char* bad : {"", "0.0#0", "#.0E+00", "0.00E00", "0,000"})
    EXPECT_THROW(FormatPlain(1, bad), std::logic_error) << bad;
}

TEST(NumberPatterns, AgreeWithExactReference) {
  std::mt19937_64 g(20240611);
  for (const char* pat : kPatterns)
    for (int i = 0; i < 15000; ++i) {
      float v = RandomFloat(g);
      std::string want = RefPattern(v, pat);
      ASSERT_EQ(FormatPlain(v, pat), want) << pat << " " << v;
      int w = (i % 3 == 0) ? 6 : (i % 3 == 1) ? 11 : 14;
      ASSERT_EQ(FormatRight(v, pat, w), (std::string(w, ' ') + want).substr(want.size()));
    }
}

TEST(BareNumbers, SevenAndFifteenDigitsHalvesToEven) {
  struct { float v; const char* want; } singles[] = {
      {0.5f, " .5 "}, {2, " 2 "}, {0, " 0 "}, {-0.0f, " 0 "}, {-1.25f, "-1.25 "},
      {12345678, " 1.234568E+07 "}, {0.00001f, " 1E-05 "}, {0.0001f, " .0001 "},
      {9999999.5f, " 1E+07 "}, {1234567.5f, " 1234568 "}, {1234566.5f, " 1234566 "}};
  for (const auto& c : singles) EXPECT_EQ(Bare(c.v), c.want) << c.v;
  EXPECT_EQ(Bare15(-1) + Bare15(1.5) + Bare15(123456789012345.0) + Bare15(1e15) + Bare15(1e-300),
            "-1  1.5  123456789012345  1E+15  1E-300 ");
  std::mt19937_64 g(7);
  for (int i = 0; i < 40000; ++i) {
    float v = RandomFloat(g);
    ASSERT_EQ(Bare(v), RefBare(v, 7, 7)) << v;
    double d = i % 2 ? std::bit_cast<double>(g())
                     : std::ldexp(static_cast<double>(g() >> 11), static_cast<int>(g() % 70) - 60);
    if (std::isfinite(d)) {
      ASSERT_EQ(Bare15(d), RefBare(d, 15, 15)) << d;
    }
  }
}

TEST(BareNumbers, WholeNumbers) {
  std::string s;
  AppendBareInt(s, 7);
  AppendBareInt(s, -12);
  AppendBareInt(s, 0);
  AppendDigits(s, -3);
  AppendDigits(s, std::numeric_limits<long long>::min());
  EXPECT_EQ(s, " 7 -12  0 -3-9223372036854775808");
}
