// The listing writer (lines, columns, zones, the file written block by block) and its number rendering:
// patterns, right-justified fields, bare numbers, the random cases against an exact decimal reference.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "base/faults.h"
#include "base/group_codes.h"
#include "listing/labels.h"
#include "listing/listing.h"
#include "listing/numbers.h"
#include "support/exact_reference.h"
#include "support/model_builder.h"
#include "support/number_strings.h"

using namespace orvant;
using namespace orvant::testing;
using Lines = std::vector<std::string>;

// Stands in for the C library's: with gNoLocks, fails as on a file system without locks.
static bool gNoLocks = false;
extern "C" int flock(int fd, int operation) noexcept {
  return gNoLocks ? (errno = ENOLCK, -1) : static_cast<int>(::syscall(SYS_flock, fd, operation));
}

namespace {

std::string Bare(float v) { std::string s; AppendBareSingle(s, v); return s; }
std::string Bare15(double v) { std::string s; AppendBareDouble15(s, v); return s; }

const char* const kPatterns[] = {
    "0.000E+00", "######0.00", "#####0.0000", "#####0.000", "#####0.00", "###0.0000", "###0.00000", "##0.00000",
    "###0.000", "##0.000", "##0.00", "##0.0##", "#0.000", "0.000", "0.00", "###.###", "0", "#", "###0", "##0.0###",
    "#0.0###", "0.0E-000", "0E+0", "000.00"};

// Any finite float, everyday magnitudes, exact ties at few decimals, decimal fractions.
float RandomFloat(std::mt19937_64& g) {
  const uint64_t kind = g() % 4;
  const float any = std::bit_cast<float>(static_cast<uint32_t>(g())), sign = g() % 2 ? 1.0f : -1.0f;
  const float whole = static_cast<float>(static_cast<int>(g() % 2000001) - 1000000);
  if (kind == 0) return std::isfinite(any) ? any : 1.5f;
  if (kind == 1) return std::copysign(std::pow(10.0f, std::uniform_real_distribution<float>(-6, 8)(g)), sign);
  if (kind == 2) return std::ldexp(whole, -static_cast<int>(g() % 9));
  return whole / static_cast<float>(std::pow(10.0, g() % 8));
}

}  // namespace

// What the random comparison below seldom meets: negative zero, values that round to zero, the extremes,
// patterns not in kPatterns, ties decided far out.
TEST(NumberPatterns, ZerosExtremesAndTiesFarOut) {
  struct { float v; const char* pat; const char* want; } cases[] = {
      {-0.4f, "#", ""}, {-0.001f, "0.00", "0.00"}, {-0.0f, "##0.0##", "0.0"}, {-0.0f, "0.000E+00", "0.000E+00"},
      {-99995, "0.000E+00", "-1.000E+05"}, {1e-40f, "0.000E+00", "1.000E-40"},
      {3.4028235e38f, "0.000E+00", "3.403E+38"}, {3.4e38f, "0", "339999995214436424907732413799364296704"},
      {0.015f, "0.0E-00", "1.5E-02"}, {25, "0E+0", "3E+1"}, {123450, "0.000E+00", "1.235E+05"},
      {2.562500476837158203125f, "0.00000000000000000000", "2.56250047683715820313"},
      {2.562500476837158203125f, "0.00000000000000000000E+00", "2.56250047683715820313E+00"}};
  for (const auto& c : cases) EXPECT_EQ(FormatPlain(c.v, c.pat), c.want) << c.v << " " << c.pat;
  EXPECT_EQ(FormatRight(-1234567.5f, "#####0.0000", 11), "234567.5000");  // cut to the width from the left
}

TEST(NumberPatterns, FaultsOnValuesThatAreNotFiniteAndOnPatternsItDoesNotTake) {
  EXPECT_THROW(FormatPlain(1, ("0." + std::string(31, '0') + std::string(30, '#')).c_str()), std::logic_error);
  EXPECT_THROW(FormatPlain(1, "#0.0E+00"), std::logic_error);  // an exponent form has one "0" before its point
  EXPECT_THROW(FormatRight(std::numeric_limits<float>::infinity(), "0.00", 6), RunFault);
  EXPECT_THROW(FormatPlain(std::nanf(""), "0.000E+00"), RunFault);
  EXPECT_THROW(Bare(-std::numeric_limits<float>::infinity()), RunFault);
}

TEST(NumberPatterns, AgreeWithExactReference) {
  std::mt19937_64 g(20240611);
  for (const char* pat : kPatterns)
    for (int i = 0; i < 15000; ++i) {
      const float v = RandomFloat(g);
      const std::string want = RefPattern(v, pat);
      ASSERT_EQ(FormatPlain(v, pat), want) << pat << " " << v;
      const int width = std::array{6, 11, 14}[i % 3];
      ASSERT_EQ(FormatRight(v, pat, width), RightJustified(want, width));
    }
}

// Exact ties (odd * 2^e) under patterns of more places than the quick ways take: the general way decides them.
TEST(NumberPatterns, TiesUnderLongPatternsAgreeWithExactReference) {
  std::mt19937_64 g(5);
  for (int i = 0; i < 1500; ++i) {
    const float v = std::ldexp(static_cast<float>(g() % (1 << 24) | 1) * (i % 2 ? 1 : -1), static_cast<int>(g() % 81) - 40);
    for (int places = 14; places <= 42; ++places)
      for (const std::string& pat : {"0." + std::string(places, '0'), "#." + std::string(places, '0'),
                                     "0." + std::string(places % 21, '0') + "E+00"})
        ASSERT_EQ(FormatPlain(v, pat.c_str()), RefPattern(v, pat.c_str())) << v << " " << pat;
  }
}

TEST(NumberPatterns, FieldsWrittenInPlaceAsFormatRightWrites) {
  std::mt19937_64 g(77);
  std::vector<float> values = {0.0f, -0.0f, 1.0f, -1.0f, 9.9995f, 9.9994999f, 9.99951f, 1.0005f, 1.00049996f, 1e-38f,
                               1.1754944e-38f, 3.4028235e38f, 1e-45f, 1e10f, 1e11f, 99995.0f, 0.00099995f, 123.45f,
                               -0.004f, 0.005f, -0.005f, 2.5f, 1234567.5f, 99999.995f};
  for (int i = 0; i < 100000; ++i) values.push_back(RandomFloat(g));
  // The listing writes "0.000E+00" and fixed fields of "0" decimals in place; the other exponent forms must
  // not take that way, and go through the renderer as "#" does.
  const struct { FieldPattern pattern; const char* text; } kinds[] = {
      {"0.000E+00", "0.000E+00"}, {"######0.00", "######0.00"}, {"#####0.0000", "#####0.0000"}, {"0.00", "0.00"},
      {"#", "#"}, {"0.00E+00", "0.00E+00"}, {"0.0000E+00", "0.0000E+00"}, {"0.000E+000", "0.000E+000"}, {"0.000E-00", "0.000E-00"}};
  Listing out;
  for (float v : values)
    for (const auto& [pattern, text] : kinds)
      for (int width : {0, 3, 7, 8, 9, 10, 11, 14, 17, 20, 40}) {
        out.Discard();
        out.Field(v, pattern, width);
        ASSERT_EQ(out.Pending(), FormatRight(v, text, width)) << v << " " << text << " width " << width;
      }
}

// The quick ways decide every value they are written for: a refusal would only be slower (the general way
// writes the same), so only this shows one. Scientific fields: normal floats from 1E-19 up to 1E+25; fixed
// fields: up to 2^52 units of their last place; 1 to 15 significant digits: from 1E-7 up to 1E+7.
TEST(NumberPatterns, QuickWaysDecideTheValuesTheyAreFor) {
  std::mt19937_64 g(78);
  for (int i = 0; i < 200000; ++i) {
    const float v = i < 4 ? std::array{1e-19f, 9.9999e24f, 1.0f, 9.9995f}[i] : RandomFloat(g);
    const double a = std::fabs(static_cast<double>(v));
    char field[48];
    uint64_t digits;
    for (int exp10; int sig : {1, 4, 7, 15})
      if (a >= 1e-7 && a < 1e7) { ASSERT_TRUE(QuickRoundSignificant(a, sig, digits, exp10, Ties::kEven)) << v << " " << sig; }
    if (std::isnormal(v) && a >= 1e-19 && a < 1e25) { ASSERT_TRUE(PutScientificField(field, v, 10)) << v; }
    for (int decimals = 0; decimals <= 9; ++decimals)
      if (a * std::pow(10.0, decimals) < 0x1p52) { ASSERT_TRUE(PutFixedField(field, v, 1, true, decimals, 30)) << v; }
    for (int p : {0, 3, 14})  // where it decides, the text to_chars writes (exponent 0 too)
      if (const char* end = QuickScientificDigits(field, v, p)) {
        ASSERT_EQ(std::string_view(field, end), (v < 0 ? "-" : "") + ExactDigits(v, std::chars_format::scientific, p)) << v;
      }
  }
}

TEST(BareNumbers, SevenAndFifteenDigitsHalvesToEven) {
  struct { float v; const char* want; } singles[] = {
      {0.5f, " .5 "}, {2, " 2 "}, {0, " 0 "}, {-0.0f, " 0 "}, {-1.25f, "-1.25 "},
      {12345678, " 1.234568E+07 "}, {0.00001f, " 1E-05 "}, {0.000015f, " 1.5E-05 "}, {0.0001f, " .0001 "},
      {9999999.5f, " 1E+07 "}, {1234567.5f, " 1234568 "}, {1234566.5f, " 1234566 "}};
  for (const auto& c : singles) EXPECT_EQ(Bare(c.v), c.want) << c.v;
  EXPECT_EQ(Bare15(-1) + Bare15(1.5) + Bare15(123456789012345.0) + Bare15(1e15) + Bare15(1e-300),
            "-1  1.5  123456789012345  1E+15  1E-300 ");
  for (double d : {999999999999999.0, 0.99999999999999994}) EXPECT_EQ(Bare15(d), RefBare(d, 15, 15));  // nines, a carry
  std::mt19937_64 g(7);
  for (int i = 0; i < 40000; ++i) {
    float v = RandomFloat(g);
    ASSERT_EQ(Bare(v), RefBare(v, 7, 7)) << v;
    double d = i % 2 ? std::bit_cast<double>(g())
                     : std::ldexp(static_cast<double>(g() >> 11), static_cast<int>(g() % 70) - 60);
    if (std::isfinite(d)) { ASSERT_EQ(Bare15(d), RefBare(d, 15, 15)) << d; }
  }
}

TEST(BareNumbers, WholeNumbers) {
  std::string s;
  AppendBareInt(s, 7), AppendBareInt(s, -12), AppendBareInt(s, 0);
  AppendDigits(s, -3), AppendDigits(s, std::numeric_limits<long long>::min());
  EXPECT_EQ(s, " 7 -12  0 -3-9223372036854775808");
}

TEST(ListingLine, AdvanceToColumnAndPrintZones) {
  Listing l;
  l.Text("12345678901234").Column(12).Text("x").End();    // beyond: a new line
  l.Text("abc").Column(4).Text("d").Column(4).Text("e").End();
  l.Text(std::string(35, 'L')).NextZone().Int(7).End();  // next zone at column 43
  l.Text("ab").NextZone().Text("z").End();
  l.Text(std::string(14, 'a')).NextZone().Text("z").End();  // exactly at a zone: the next one
  l.Int(-12).Digits(-3).Field(1.5f, "0.00", 6).Column(14).Text("|").End();  // the column follows every item
  l.Rule();
  WriteGroupLabel(l, 12, NoGroup), l.Text(" "), WriteGroupLabel(l, 12, NoGroup - 1), l.Text(" ");  // ungrouped: no suffix
  WriteGroupLabel(l, -5, 3, "G"), l.Text(" "), WriteGroupLabel(l, 0, 0), l.End();
  EXPECT_EQ(ListingLines(l.Pending()), (Lines{"12345678901234", "           x", "abcd", "   e",
                                           std::string(35, 'L') + std::string(7, ' ') + " 7 ",
                                           "ab            z", std::string(14, 'a') + std::string(14, ' ') + "z",
                                           "-12 -3  1.50 |", std::string(105, '='), "12 12-G17170 -5G3 0"}));
}

TEST(ListingFile, BlocksWrittenInOrderWithALineBeingBuiltAndFailuresReported) {
  TempDir dir;
  WriteFile(dir.path + "/OUT.MTM", std::string(4000000, '#'));  // an old, longer listing goes
  Listing l, kept;  // kept has no file: it keeps everything, grown as it goes
  l.Open(dir.path + "/OUT.MTM");
  std::string want = std::string(1500000, 'x') + "\r\n";
  for (Listing* x : {&l, &kept}) x->Line(std::string(1500000, 'x'));  // more than the buffer holds
  for (int i = 0; i < 100000; ++i) {  // many blocks
    for (Listing* x : {&l, &kept}) x->Int(i).Field(static_cast<float>(i) / 8, "#####0.000", 12).End();
    want += " " + std::to_string(i) + " " + FormatRight(static_cast<float>(i) / 8, "#####0.000", 12) + "\r\n";
  }
  EXPECT_TRUE(kept.Pending() == want);
  l.Text("unfinished");
  EXPECT_EQ(l.Close(), 0);
  const std::string written = ReadFileText(dir.path + "/OUT.MTM");
  EXPECT_TRUE(written == want + "unfinished") << written.size() << " bytes for " << want.size() + 10;
  EXPECT_THROW(Listing().Open(dir.path + "/no-such-dir/X.MTM"), RunFault);
  // A device that takes nothing: a later block reports the failed write, and so does the close.
  Listing full;
  full.Open("/dev/full");
  EXPECT_THROW(for (int i = 0; i < 1000; ++i) full.Line(std::string(10000, 'x')), RunFault);
  EXPECT_EQ(full.Close(), ENOSPC);
  WriteFile(dir.path + "/OLD.MTM", "old"), Listing().Open(dir.path + "/OLD.MTM");  // emptied with nothing written
  EXPECT_EQ(ReadFileText(dir.path + "/OLD.MTM"), "");
  Listing null;  // no regular file, no locks: written to, not emptied
  gNoLocks = true, null.Open("/dev/null"), gNoLocks = false, null.Line("x");
  EXPECT_EQ(null.Close(), 0);
  const int next = ::open("/dev/null", O_RDONLY);  // the number the next file gets, closed behind the listing's
  Listing lost;                                     // back: a close that fails (a network share's) is an error
  ::close(next), lost.Open("/dev/null"), ::close(next);
  EXPECT_EQ(lost.Close(), EBADF);
  Listing dropped;  // opened twice, never closed: the first file is finished, the writer still stops
  dropped.Open(dir.path + "/FIRST.MTM"), dropped.Line("first");
  dropped.Open(dir.path + "/DROPPED.MTM"), dropped.Line(std::string(200000, 'y'));
  EXPECT_EQ(ReadFileText(dir.path + "/FIRST.MTM"), "first\r\n");
  // A listing closed, then closed again and dropped, closes no other file (standard input here).
  if (::fcntl(0, F_GETFD) == -1) { ASSERT_EQ(::open("/dev/null", O_RDONLY), 0); }
  {
    Listing once;  // a line left unfinished in the file before: the next starts at column 1
    once.Open(dir.path + "/ONE.MTM"), once.Text("x");
    once.Open(dir.path + "/ONCE.MTM"), once.Column(3).Text("y");
    EXPECT_TRUE(once.Close() == 0 && once.Close() == 0);
  }
  EXPECT_EQ(ReadFileText(dir.path + "/ONCE.MTM"), "  y");
  EXPECT_NE(::fcntl(0, F_GETFD), -1);
}
