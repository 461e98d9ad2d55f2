// The load case pass and reader: which cases are listed, the header and
// parameters blocks, the ".#" file, comments and the comment file, and the
// capacity failure of a whole run.
#include <gtest/gtest.h>

#include <algorithm>

#include "loads/comment_file.h"
#include "loads/load_test_support.h"
#include "run/startup.h"

using namespace orvant;
using namespace orvant::testing;

namespace {

std::string PadTo(std::string text, size_t column) {
  if (text.size() < column - 1) text.append(column - 1 - text.size(), ' ');
  return text;
}

// The lines of one listed case without loads, from its opening empty line
// to its closing line.
std::vector<std::string> CaseWithoutLoads(int n, const std::string& description, const std::string& date,
                                          const std::string& time, const std::string& scase = "") {
  std::vector<std::string> lines{
      "",
      ":",
      "===================   L O A D     C A S E       D A T A  ==================",
      "",
      PadTo("Model: FRAME", 65) + "Reference: Date:01/02/2026 Time:10:20:30",
      "",
      "Analysis Desc.:Test frame",
      "",
      PadTo("Load Case No: " + std::to_string(n) + " ", 37) + "Reference: Date:" + date + " Time:" + time,
      "",
      "Description :" + description};
  if (!scase.empty()) lines.push_back(scase);
  // The parameters title with no count lines between its two empty lines,
  // then the case end's empty line.
  for (const char* l : {"", "**** Load Case Parameters ****", "", "", ""}) lines.push_back(l);
  lines.push_back(std::string(77, '='));
  return lines;
}

std::vector<std::string> CaseNumbers(const std::vector<std::string>& lines) {
  std::vector<std::string> found;
  for (const std::string& l : lines)
    if (l.rfind("Load Case No:", 0) == 0) found.push_back(l.substr(0, 16));
  return found;
}

}  // namespace

TEST(LoadCasePass, ListsTheCasesFoundAmongGapsWithHeaderTextsCarriedOver) {
  LoadContext t;
  t.WriteModelText(".L0", "LDESC Zero\r\nLDATE 01/01/2025\r\nLTIME 09:00:00\r\nAMBT 20\r\n");
  t.WriteModelText(".L1", "LDESC One\nSCASE Second description\n");
  t.WriteModelText(".L3", "LDATE 03/03/2025");  // no LDESC: the previous description stays
  t.WriteModelText(".L100", "LDESC Beyond the maximum label");
  WriteLoadCasePass(*t);

  std::vector<std::string> expected{"", std::string(105, '=')};
  for (const auto& block : {CaseWithoutLoads(0, "Zero", "01/01/2025", "09:00:00"),
                            CaseWithoutLoads(1, "One", "01/01/2025", "09:00:00", "Second description"),
                            CaseWithoutLoads(3, "One", "03/03/2025", "09:00:00")})
    expected.insert(expected.end(), block.begin(), block.end());
  EXPECT_EQ(t.Lines(), expected);
  EXPECT_EQ(t->settings.CurrentLoadCase, 100);
}

TEST(LoadCasePass, SelectionAndSwitches) {
  {
    LoadContext t;
    t.WriteModelText(".L1", "LDESC One");
    t.WriteModelText(".L2", "LDESC Two");
    t.WriteModelText(".L3", "LDESC Three");
    t->settings.SelectedCaseCount = 2;
    t->settings.SelectedLoadCases[1] = 1;
    t->settings.SelectedLoadCases[3] = 1;
    WriteLoadCasePass(*t);
    EXPECT_EQ(CaseNumbers(t.Lines()), (std::vector<std::string>{"Load Case No: 1 ", "Load Case No: 3 "}));
  }
  {
    // ListLoadCases 0: the opening lines, then the results set summary.
    LoadContext t;
    t.WriteModelText(".L1", "LDESC One");
    t->settings.ListLoadCases = 0;
    t->settings.ListResultsSetSummary = 1;
    WriteLoadCasePass(*t);
    std::vector<std::string> lines = t.Lines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], std::string(105, '='));
    EXPECT_EQ(lines[2], ":");
    EXPECT_EQ(lines[3], "*** R E S U L T S   S E T    S U M M A R Y  ***");
    EXPECT_TRUE(CaseNumbers(lines).empty());
  }
}

TEST(LoadCasePass, ParametersBlockCountsEachKind) {
  LoadContext t;
  t.WriteModelText(".L5",
                   "ND,1,1\nND,2,1\nNF,3,100\nEP,4,1,0.5,10\nED,5,1,0,1,1\nUDL,6,0,-2\nTEPR,7,50\nTEPR,8\n"
                   "FP,30,1,1,5\nNT,1,20\nNT,2,20\nNT,3,20\nESTR,1,1\n");
  WriteLoadCasePass(*t);
  std::vector<std::string> lines = t.Lines();
  auto at = std::find(lines.begin(), lines.end(), "**** Load Case Parameters ****");
  ASSERT_LE(at + 10, lines.end());
  std::vector<std::string> block(at, at + 10);
  auto count = [](const char* label, int n) { return std::string(label) + "     " + " " + std::to_string(n) + " "; };
  EXPECT_EQ(block, (std::vector<std::string>{"**** Load Case Parameters ****", "",
                                             count("Number of Prescibed Displacements    ", 2),
                                             count("Number of Loaded Nodes               ", 1),
                                             count("Number of Element Point Loads        ", 1),
                                             count("Number of Element Distributed Loads  ", 2),
                                             count("Number of Element Press/Temp Defin   ", 1),
                                             count("Number of FE Face/Edge Loads         ", 1),
                                             count("Number of Nodal Temperatures (FE)    ", 3), ""}));
  EXPECT_EQ(block[2].find('2'), 43u);  // the count's digit in column 44
}

TEST(LoadCaseReader, ResetsTheRecordAndReadsTheSavedTotals) {
  LoadContext t;
  t.WriteModelText(".L1", "LDESC One\nCOM Note\nND,1,1\nACCEL,0,-9.81\nLSUM,1,2,3\nESTR,1\n");
  t.WriteModelText(".#1", "1.5, -2\r\n3E2,\"Linear static\",Run 4\r\nignored\r\n");
  t.WriteModelText(".L2", "LTIME 11:00");
  RunContext& ctx = *t;

  ReadNextLoadCase(ctx);
  EXPECT_EQ(ctx.settings.CurrentLoadCase, 1);
  EXPECT_EQ(ctx.loads.prescribedDisplacements.count, 1);
  EXPECT_EQ(ctx.loads.commentCounter, 1);
  EXPECT_EQ(ctx.loads.savedTotalsPresent, 1);
  EXPECT_EQ(ctx.loads.SavedTotals, (std::array<float, 3>{1.5f, -2.0f, 300.0f}));
  EXPECT_EQ(ctx.loads.analysisText1, "Linear static");
  EXPECT_EQ(ctx.loads.analysisText2, "Run 4");
  EXPECT_EQ(ctx.loads.lastCaseFile, t.File(".L1"));

  ctx.settings.CurrentLoadCase = 2;
  ReadNextLoadCase(ctx);
  EXPECT_EQ(ctx.settings.CurrentLoadCase, 2);
  EXPECT_EQ(ctx.loads.prescribedDisplacements.count, 0);
  EXPECT_EQ(ctx.loads.interpretedElementCommands.count, 0);
  EXPECT_EQ(ctx.loads.commentCounter, 0);
  EXPECT_EQ(ctx.loads.acceleration[1], 0.0f);
  EXPECT_EQ(ctx.loads.savedTotalLoad[2], 0.0f);
  EXPECT_EQ(ctx.loads.savedTotalsPresent, 0);
  EXPECT_EQ(ctx.loads.description, "One");
  EXPECT_EQ(ctx.loads.timeText, "11:00");

  ctx.settings.CurrentLoadCase = 3;
  ReadNextLoadCase(ctx);
  EXPECT_EQ(ctx.settings.CurrentLoadCase, 100);
}

TEST(CommentRecords, AmendmentNotesFromTheTenthCharacterAreNotPrinted) {
  LoadContext t;
  RunContext& ctx = *t;
  WriteCommentRecord(ctx, 1, "12345678Amend at nine");
  WriteCommentRecord(ctx, 2, "123456789Amend at ten");
  WriteCommentRecord(ctx, 3, "Amended at one, later amend");
  WriteCommentRecord(ctx, 4, "Text then Amend");
  for (int16_t n = 1; n <= 4; ++n) PrintCommentRecord(ctx, n);
  std::string blanks(100, ' ');
  EXPECT_EQ(t.Lines(), (std::vector<std::string>{"12345678Amend at nine" + blanks.substr(21),
                                                 "Amended at one, later amend" + blanks.substr(27)}));
  EXPECT_EQ(ctx.loads.lastPrintedComment, 4);
  // A record beyond the end of the file reads as blanks.
  EXPECT_EQ(ReadCommentRecord(ctx, 9), blanks);
}

TEST(CommentRecords, OnlyTheLastOfSeveralCommentsIsPrintedAboveTheEntry) {
  LoadContext t;
  t.WriteModelText(".L1", "COM First\nCOM Second\nCOM Third\nND,3,0.001\n");
  WriteLoadCasePass(*t);
  std::vector<std::string> lines = t.Lines();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "Third" + std::string(95, ' ')), 1);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "Second" + std::string(94, ' ')), 0);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "First" + std::string(95, ' ')), 0);
}

TEST(CommentRecords, EachCaseWritesFromRecordOneOverTheOldRecords) {
  auto record = [](const std::string& text) { return text + std::string(100 - text.size(), ' '); };
  {
    LoadContext t;
    t.WriteModelText(".L1", "COM A1\nND,1,1\nCOM A2\nCOM A3\n");
    t.WriteModelText(".L2", "COM B1\n");
    RunContext& ctx = *t;
    ReadNextLoadCase(ctx);
    ctx.settings.CurrentLoadCase = 2;
    ReadNextLoadCase(ctx);
    EXPECT_FALSE(PathExists(t.File(".LCM")));  // written when the run closes its files
    EXPECT_TRUE(CloseCommentFile(ctx));
    EXPECT_EQ(ReadFileText(t.File(".LCM")), record("B1") + record("A2") + record("A3"));
  }
  {
    // An existing longer file keeps its later records; nothing is truncated.
    LoadContext t;
    t.WriteModelText(".LCM", std::string(450, 'x'));
    t.WriteModelText(".L1", "COM A1\nCOM A2\n");
    RunContext& ctx = *t;
    ReadNextLoadCase(ctx);
    EXPECT_TRUE(CloseCommentFile(ctx));
    EXPECT_EQ(ReadFileText(t.File(".LCM")), record("A1") + record("A2") + std::string(250, 'x'));
  }
  {
    // No comment at all: the file is not created.
    LoadContext t;
    t.WriteModelText(".L1", "ND,1,1\n");
    ReadNextLoadCase(*t);
    EXPECT_TRUE(CloseCommentFile(*t));
    EXPECT_FALSE(PathExists(t.File(".LCM")));
  }
}

TEST(LoadCasePassRun, CapacityOverflowStopsTheListingWithTheMessage) {
  TestInstall install;
  TestModel m;
  for (int i = 0; i < 4; ++i) m.AddNode(static_cast<float>(i), 0, 0);
  m.AddElement(1, 2, 1, 1, 1.0f);
  m.geoms.push_back(GeomRec{});
  m.mats.push_back(MatRec{});
  install.WriteModel(m);
  install.WriteModelText(".L1", "LDESC Fits\r\n");
  std::string tooMany = "LDESC Too many\r\nCOM Over capacity\r\n";
  for (int i = 0; i < 505; ++i) tooMany += "ND,1,0.001\r\n";  // capacity 502 + 2
  install.WriteModelText(".L2", tooMany);
  install.WriteModelText(".L3", "LDESC Never reached\r\n");

  RunResult r = RunInProcess(install, {"0/1/0/0/0/0/1/0/0/0/0/"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.stderrText, "orvant-in: Load label too high - Check or reset CONFIG.INI for maximum\n");

  std::vector<std::string> lines = ListingLines(install.Listing());
  EXPECT_EQ(CaseNumbers(lines), (std::vector<std::string>{"Load Case No: 1 "}));
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), std::string(77, '='));  // case 1 complete, nothing after
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "*** R E S U L T S   S E T    S U M M A R Y  ***"), 0);
  // The comment file still gets the records read before the failure.
  EXPECT_EQ(ReadFileText(install.ModelFile(".LCM")), "Over capacity" + std::string(87, ' '));
}
