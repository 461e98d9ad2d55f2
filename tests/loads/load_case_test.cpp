// Load cases where the example listings do not reach: the line parser (defaults, out-of-range labels,
// long lines and texts, limits), the pass and reader, comment records and file.
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "loads/comment_file.h"
#include "loads/load_test_support.h"
#include "support/split_check.h"

using namespace orvant;
using namespace orvant::testing;
using Lines = std::vector<std::string>;

namespace {

// Values from position `from` on, trailing zeros left out.
template <class R>
std::string Gs(const R& values, size_t from = 0) {
  size_t end = values.size();
  while (end > from && values[end - 1] == 0) --end;
  std::ostringstream s;
  for (size_t j = from; j < end; ++j) s << (j > from ? "," : "") << values[j];
  return s.str();
}

template <class T, class F>
void Each(const EntryTable<T>& table, F f) { for (int i = 1; i <= table.count; ++i) f(table.entries[i]); }

// What the lines put into the record, in a short notation.
std::string Dump(const RunContext& ctx, const LoadCase& r, const CaseParse& p) {
  std::ostringstream s;
  auto c = [](int16_t n) { return n ? "#" + std::to_string(n) : std::string(); };
  Each(r.prescribedDisplacements, [&](auto& e) { s << " ND" << e.node << ':' << Gs(e.value, 1) << c(e.commentNo); });
  Each(r.nodalLoads,
       [&](auto& e) { s << " NF" << e.node << ':' << Gs(e.value, 1) << 'm' << e.mass << c(e.commentNo); });
  Each(r.pointLoads, [&](auto& e) {
    s << " EP" << e.element << '/' << e.axes << '@' << e.position << ':' << Gs(e.value, 1) << c(e.commentNo);
  });
  Each(r.distributedLoads, [&](auto& e) {
    s << " ED" << e.element << '/' << e.axes << ':' << e.startLength << ',' << e.finishLength << ':'
      << Gs(std::array{e.wx1, e.wx2, e.wy1, e.wy2, e.wz1, e.wz2}) << c(e.commentNo);
  });
  Each(r.faceLoads,
       [&](auto& e) { s << " FP" << e.element << '/' << e.face << '/' << e.faceKind << ':' << Gs(e.value, 1); });
  for (int e = 0; e <= ctx.settings.MaxElementLabel; ++e) {
    const auto& t = r.elementTempPress[e];
    std::string v = Gs(std::array{t.temperature, t.intPressure, t.extPressure, t.oppositeTemperature});
    if (!v.empty() || t.commentNo) s << " TP" << e << ':' << v << c(t.commentNo);
  }
  if (r.elementTempPressCount) s << " TPn" << r.elementTempPressCount;
  for (int k = 0; k <= ctx.settings.PhysicalPropertyCount; ++k)
    if (const auto& u = r.propertyUdl[k]; u.axesCode) s << " PU" << k << '/' << u.axesCode << ':' << Gs(u.udl, 1);
  if (r.propertyUdlGiven || r.propertyTempPressGiven) s << " given" << r.propertyUdlGiven << r.propertyTempPressGiven;
  if (auto v = Gs(r.acceleration); !v.empty()) s << " G=" << v;
  if (auto v = Gs(r.centreOfForce, 1); !v.empty()) s << " COF=" << v;
  if (auto t = r.description + "|" + r.dateText + "|" + r.timeText + "|" + r.scaseText; t != "|||") s << " T=" << t;
  if (r.ambientTemperature) s << " amb=" << r.ambientTemperature;
  for (int16_t i = 1; i <= p.commentCounter; ++i) {
    std::string text = CommentRecordOf(ctx.comments, i);
    s << " C" << i << '=' << text.substr(0, text.find_last_not_of(' ') + 1);
  }
  return s.str().empty() ? "" : s.str().substr(1);
}

}  // namespace

TEST(LoadCaseParser, LinesIntoTheRecord) {
  const std::string c = Repeat(",", 21);
  const std::pair<std::string, std::string> cases[] = {
      // A trailing comma and two blanks give 0, not blank; no number reads as 0.
      {"ED,8,2,\nED,8,2,,\nED,5,abc,  ,\nUDL,8,1,2,3", "ED8/2:0,0: ED8/2:1,0: ED5/0:0,0: ED8/1:0,0:1,1,2,2,3,3"},
      {"EP,9,1,-10101,5\nACCEL,,-9.81\nCOF,1,2", "EP9/1@0:5 G=0,-9.81 COF=1,2" + Repeat(",-10101", 7)},
      {"nd,3,1\n ND,3,1\nND ,3,1\nNDX,3,1\n\nND", "ND3:1"},
      // Out of range: nodes, elements, an undefined element for UDL, a face on a beam, codes.
      {"ND,0,1\nND,21,1\nNF,-3,1\nEP,31,1\nUDL,25,1\nFP,29,1,1,100\nTEPR,31,50\nPTEMP,6,40\nPPRESS,0,1", ""},
      {"ND,0.5,1\nND,1.5,1\nND,2.5,1", "ND2:1 ND2:1"},
      // Long lines (the splitter's copy grows for them); more digits than the quick reading takes.
      {"NF,6," + std::string(300, ' ') + "2.5,,,,,,7\nND," + std::string(250, '0') +
           "3,0.1000000000000000055511151231257827",
       "ND3:0.1 NF6:2.5m7"},
      // Text lines are not split into fields: more than twenty commas are text.
      {"LDESC Frame under wind" + c + "  ", "T=Frame under wind" + c + "|||"}, {"ldesc Lower Case Kept", "T=Lower Case Kept|||"},
      {"LDESC x\nLDESC", ""},
      {"LDATE 12/03/2025" + c + "\nLTIME 08:15:00" + c + "  \nSCASE Second, with commas" + c + "\nAMBT 20.5\nAMBTX\nAMBT-5" + c,
       "T=|12/03/2025" + c + "|08:15:00" + c + "|Second, with commas" + c + " amb=5"},
      {"COM " + Repeat("c", 120) + "\nCOM", "C1=" + Repeat("c", 100) + " C2="},
  };
  for (const auto& [lines, expected] : cases) {
    LoadContext t;
    std::istringstream in(lines);
    for (std::string line; std::getline(in, line);) t.Parse(line);
    EXPECT_EQ(Dump(*t, t.lc, t.parse), expected) << lines;
  }
}

TEST(LoadCaseParser, LimitsOfFieldsCountsAndCommands) {
  LoadContext t;
  const LoadCase& r = t.lc;
  const std::string twenty = "ND" + Repeat(",1", 20);  // 21 fields: the read-ahead test below
  t.Parse(twenty);
  EXPECT_THROW(t.Parse(twenty + ","), IndexFault);  // the empty piece after a trailing comma is a 21st
  t.Parse(twenty + ",1", 1);                        // header-only: data lines are not split
  for (int i = 1; i <= 504; ++i) t.Parse("ED,1,1");  // UDL lines fill the same table
  EXPECT_THROW(t.Parse("UDL,1,1"), IndexFault);

  // From the 100th command line on, slot 100 is overwritten and 99 counted.
  for (int i = 1; i <= 105; ++i) t.Parse("CFACT," + std::to_string(i));
  EXPECT_EQ(r.interpretedCoupleCommands.count, 99);
  EXPECT_EQ(r.interpretedCoupleCommands.lines[99], "CFACT,99,           ");
  EXPECT_EQ(r.interpretedCoupleCommands.lines[100], "CFACT,105,          ");
}

TEST(LoadCaseParser, SplitAsReadMatchesTheSplitOfThePreparedLine) {
  // Numbers the quick reading takes or leaves to the full one, blank and empty fields, long lines.
  const std::string pieces[] = {"", " ", "  12", "0", "-0", "007", "1.5", "-2694.9", "8.353e+05", "1E-3", "2d2", ".5",
                                "5.", "-.25e-2", "12345678", "123456789", "+87654321.5", "1234567890123456",
                                "0.000000012345678", "99999999999999999999", "1e400", "abc", "1.2.3", " -3 ", "1e",
                                "4E+", "0.1000000000000000055511151231257827", "3.4028235e38", std::string(300, ' ') + "6"};
  std::mt19937 random(11);
  for (int n = 0; n < 20000; ++n) {
    std::string line = n % 3 ? "nd" : "Tepr";
    const int fields = static_cast<int>(random() % 23);
    for (int i = 0; i < fields; ++i) line += "," + pieces[random() % std::size(pieces)];
    if (random() % 4 == 0) line += ",";
    ASSERT_EQ(QuickSplitDifference(line), "") << line;
  }
}

// Cases, gaps, selections and carried-over texts are in the example listings; not listing the cases
// leaves the opening lines only.
TEST(LoadCasePass, NotListingTheCasesLeavesTheOpeningLines) {
  LoadContext t;
  t.WriteModelText(".L1", "LDESC One");
  t->settings.ListLoadCases = 0, t->settings.ListResultsSetSummary = 1;
  WriteLoadCasePass(t->settings, t->model, t.reader, t->comments, t->listing, t->files);
  EXPECT_EQ(t.Listed(), (Lines{"", std::string(105, '=')}));
}

TEST(CommentRecords, AmendAtTheTenthCharacterAndTheFileOverAnOlderLongerOne) {
  LoadContext t;
  int16_t n = 0;
  for (const char* text : {"12345678Amend at nine", "123456789Amend at ten", "Text then Amend"})
    WriteCommentRecord(t->comments, t->files, ++n, text), PrintCommentRecord(t->comments, t->listing, t->files, n);
  EXPECT_EQ(t.Listed(), (Lines{Record("12345678Amend at nine")}));
  EXPECT_EQ(CommentRecordOf(t->comments, 9), Record(""));  // beyond the end of the file
  EXPECT_THROW(WriteCommentRecord(t->comments, t->files, 0, "no record 0"), RunFault);

  // Each case writes from record 1 on; the older file's later bytes stay.
  LoadContext u;
  u.WriteModelText(".LCM", std::string(450, 'x'));
  u.WriteModelText(".L1", "COM A1\nND,1,1\nCOM A2\nCOM A3\n");
  u.WriteModelText(".L2", "COM B1\n");
  u.reader.Restart(false);
  ASSERT_TRUE(u.reader.Next() && u.reader.Next());
  EXPECT_EQ(CloseCommentFile(u->comments, u->files), 0);
  EXPECT_EQ(ReadFileText(u.File(".LCM")), Record("B1") + Record("A2") + Record("A3") + std::string(150, 'x'));
}

TEST(LoadCaseReadAhead, TheNextCaseReadAheadShowsOnlyWhenTaken) {
  LoadContext t;
  t.WriteModelText(".L1", "LDESC One\r\nCOM First of one\r\nND,1,1\r\n");
  t.WriteModelText(".L2", "COM First of two\r\nCOM Second of two\r\nND" + Repeat(",1", 21) + "\r\n");
  t.reader.Restart(false);
  const LoadCase* one = t.reader.Next();  // case 2 is read meanwhile
  ASSERT_TRUE(one && one->label == 1 && one->description == "One" && one->prescribedDisplacements.count == 1);
  EXPECT_EQ(CommentRecordOf(t->comments, 1), Record("First of one"));
  EXPECT_EQ(t->comments.bytes.size(), 100u);
  // Case 2 carries case 1's description; its comments are written, then its 21 fields stop the read.
  EXPECT_THROW(t.reader.Next(), IndexFault);
  EXPECT_EQ(CommentRecordOf(t->comments, 2), Record("Second of two"));
  EXPECT_EQ(t.reader.Case().description, "One");
  // Header lines and saved totals read ahead for the summaries are what they read, whatever changes after.
  LoadContext h;
  h.WriteModelText(".L0", "LDESC One\r\n"), h.WriteModelText(".#0", "5,6,7,a,b\r\n");
  h.reader.ReadHeadersAhead(), h.reader.TakeHeadersAhead();
  h.WriteModelText(".L0", "LDESC Changed\r\n"), h.WriteModelText(".#0", "0,0,0,x,y\r\n");
  h.reader.Restart(true);
  const LoadCase* ahead = h.reader.Next();
  EXPECT_TRUE(ahead && ahead->description == "One" && ahead->SavedTotals == (std::array<float, 3>{5, 6, 7}));
  // A search for the next case past the highest 16-bit label fails where the case is asked for.
  h->settings.MaxLoadLabel = 32767;
  h.reader.Restart(false, 1);
  EXPECT_THROW(h.reader.Next(), RunFault);
}
