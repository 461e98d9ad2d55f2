// The load case pass and reader, comment records and file, capacity failure of a run.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "loads/comment_file.h"
#include "loads/load_test_support.h"
#include "loads/lookahead.h"
#include "summaries/summaries.h"

using namespace orvant;
using namespace orvant::testing;
using Lines = std::vector<std::string>;

const std::string kClose(77, '=');

// Cases, gaps, selections and carried-over texts are in the example
// listings; not listing the cases leaves the opening lines only.
TEST(LoadCasePass, NotListingTheCasesLeavesTheOpeningLines) {
  LoadContext t;
  t.WriteModelText(".L1", "LDESC One");
  t->settings.ListLoadCases = 0;
  t->settings.ListResultsSetSummary = 1;
  WriteLoadCasePass(t->settings, t->model, t.reader, t->comments, t->listing, t->files);
  EXPECT_EQ(t.Listed(), (Lines{"", std::string(105, '=')}));
}

TEST(CommentRecords, AmendAtTheTenthCharacterAndTheFileOverAnOlderLongerOne) {
  LoadContext t;
  WriteCommentRecord(t->comments, t->files, 1, "12345678Amend at nine");
  WriteCommentRecord(t->comments, t->files, 2, "123456789Amend at ten");
  WriteCommentRecord(t->comments, t->files, 3, "Text then Amend");
  for (int16_t n = 1; n <= 3; ++n) PrintCommentRecord(t->comments, t->listing, t->files, n);
  EXPECT_EQ(t.Listed(), (Lines{Record("12345678Amend at nine")}));
  EXPECT_EQ(CommentRecordOf(t->comments, 9), Record(""));  // beyond the end of the file

  // Each case writes from record 1 on; the older file's later bytes stay.
  LoadContext u;
  u.WriteModelText(".LCM", std::string(450, 'x'));
  u.WriteModelText(".L1", "COM A1\nND,1,1\nCOM A2\nCOM A3\n");
  u.WriteModelText(".L2", "COM B1\n");
  u.reader.Restart(false);
  ASSERT_NE(u.reader.Next(), nullptr);
  ASSERT_NE(u.reader.Next(), nullptr);
  EXPECT_TRUE(CloseCommentFile(u->comments, u->files));
  EXPECT_EQ(ReadFileText(u.File(".LCM")), Record("B1") + Record("A2") + Record("A3") + std::string(150, 'x'));
}

TEST(LoadCasePassRun, CapacityOverflowStopsTheListingWithTheMessage) {
  TestInstall install;
  TestModel m;
  m.AddNode(0, 0, 0);
  m.AddNode(1, 0, 0);
  m.AddElement(1, 2, 0, 0, 1.0f);
  install.WriteModel(m);
  install.WriteModelText(".L1", "LDESC Fits\r\n");
  std::string tooMany = "LDESC Too many\r\nCOM Over capacity\r\n";
  for (int i = 0; i < 505; ++i) tooMany += "ND,1,0.001\r\n";  // capacity 502 + 2
  install.WriteModelText(".L2", tooMany);
  install.WriteModelText(".L3", "LDESC Never reached\r\n");

  RunResult r = RunInProcess(install, {"0/1/0/0/0/0/1/0/0/0/0/"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.stderrText, "orvant-in: Load label too high - Check or reset CONFIG.INI for maximum\n");
  Lines lines = ListingLines(install.Listing());
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "Description :Fits"), 1);
  EXPECT_EQ(lines.empty() ? "" : lines.back(), kClose);  // case 1 complete, nothing after it
  EXPECT_EQ(ReadFileText(install.ModelFile(".LCM")), Record("Over capacity"));
}

TEST(LoadCaseReadAhead, TheNextCaseReadAheadShowsOnlyWhenTaken) {
  LoadContext t;
  t.WriteModelText(".L1", "LDESC One\r\nCOM First of one\r\nND,1,1\r\n");
  t.WriteModelText(".L2", "COM First of two\r\nCOM Second of two\r\nND" + Repeat(",1", 21) + "\r\n");
  t.reader.Restart(false);
  const LoadCase* one = t.reader.Next();  // case 2 is read meanwhile
  ASSERT_EQ(one->label, 1);
  EXPECT_EQ(one->description, "One");
  EXPECT_EQ(one->prescribedDisplacements.count, 1);
  EXPECT_EQ(CommentRecordOf(t->comments, 1), Record("First of one"));
  EXPECT_EQ(t->comments.bytes.size(), 100u);
  // Case 2 carries case 1's description; its comments are written, then its
  // 21 fields stop the read.
  EXPECT_THROW(t.reader.Next(), IndexFault);
  EXPECT_EQ(CommentRecordOf(t->comments, 2), Record("Second of two"));
  EXPECT_EQ(t.reader.Case().description, "One");
}

TEST(LoadCaseReadAhead, HeadersReadAheadGiveTheSummaryAReadOfItsOwnWouldGive) {
  auto write = [](LoadContext& t) {
    t.WriteModelText(".L1", "LDESC One\r\nND,1,1\r\ncom Wind\r\nSCASE s\r\nAMBT 12\r\nNF,2,1\r\nLDATE 01/02/2026\r\n");
    t.WriteModelText(".#1", "1000,200,-5,\"Run A\",\"Run B\"\r\n");
    t.WriteModelText(".L2", "ltime 10:00\r\nLDESC Two\r\n");
    t.WriteModelText(".L4", "LDESC Not selected\r\n");
    t->settings.SelectedCaseCount = 2;
    t->settings.SelectedLoadCases[1] = t->settings.SelectedLoadCases[2] = 1;
  };
  LoadContext ahead, own;
  write(ahead), write(own);
  ahead.reader.ReadHeadersAhead();
  ahead.reader.TakeHeadersAhead();
  // What was read ahead is all the summary reads: the files may go.
  for (const char* extension : {".L1", ".#1", ".L2"}) std::filesystem::remove(ahead.File(extension));
  WriteLoadCaseSummary(ahead->settings, ahead.reader, ahead->listing);
  WriteLoadCaseSummary(own->settings, own.reader, own->listing);
  EXPECT_EQ(ahead.Listed(), own.Listed());
  EXPECT_EQ(CommentRecordOf(ahead->comments, 1), CommentRecordOf(own->comments, 1));
}
