// The element line data listing: free text, "ME" records, element order
// and selection, failures.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "run/faults.h"
#include "run/run_context.h"
#include "sections/sections.h"
#include "support/model_builder.h"

using namespace orvant;
using orvant::testing::ListingLines;
using orvant::testing::TempDir;
using orvant::testing::WriteFile;

namespace {

class ElementLineData : public ::testing::Test {
 protected:
  TempDir dir;
  std::unique_ptr<RunContext> ctx = std::make_unique<RunContext>();

  void SetUp() override { Model(6); }

  // Elements 1..n with distinct end nodes, no groups.
  void Model(int n) {
    RunSettings& s = ctx->settings;
    s.ModelPath = dir.path + "/FRAME";
    s.OriginDirectory = dir.path;
    s.MaxElementLabel = static_cast<int16_t>(n);
    s.MaxNodeLabel = 10;
    AllocateModelTables(s, ctx->model);
    for (int e = 1; e <= n; ++e) {
      ctx->model.ElemNode1[e] = 1;
      ctx->model.ElemNode2[e] = 2;
    }
  }

  void File(const std::string& content, const std::string& name = "FRAME.ELN") {
    WriteFile(dir.path + "/" + name, content);
  }

  void Run() { WriteElementLineData(*ctx, ctx->settings.ModelPath, ".ELN"); }
  std::vector<std::string> Lines() const { return ListingLines(ctx->listing.buffer); }
};

// The label, advance to column 10, five fields ("##0.000", 9).
const std::string kFields123 = "    1.000    2.000    3.000    4.000    5.000";

TEST_F(ElementLineData, MissingFileWritesNothing) {
  Run();
  EXPECT_EQ(ctx->listing.buffer, "");
}

TEST_F(ElementLineData, FreeTextOnlyUnderTheNameAsStored) {
  // The heading name is the file's name as the directory holds it.
  File("ELEMENT LINE DATA\r\n\"Elem, quoted\"\r\n   Spaced out   \r\n", "frame.Eln");
  Run();
  EXPECT_EQ(Lines(), (std::vector<std::string>{":", "frame.Eln", "", "ELEMENT LINE DATA", "Elem, quoted",
                                               "Spaced out"}));
}

TEST_F(ElementLineData, CommaSeparatedFreeTextGoesOnSeparateLines) {
  File("Elem,Lx,  Ly\r\nTitle\r\n");
  Run();
  EXPECT_EQ(Lines(), (std::vector<std::string>{":", "FRAME.ELN", "", "Elem", "Lx", "Ly", "Title"}));
}

TEST_F(ElementLineData, RecordsInAnyCaseListedInElementOrder) {
  ctx->settings.GroupFilter = 3;  // does not narrow this listing
  ctx->model.ElementGroup[5] = 5;
  ctx->model.ElemNode1[4] = 0;  // undefined element: stored, not listed
  ctx->model.ElemNode2[4] = 0;
  File("Heading\r\n"
       "me,5,1,2,3,4,5\r\n"
       "Me,2,9,9,9,9,9\r\n"
       "ME,4,1,1,1,1,1\r\n"
       "mE,2,-1.5,0.0004,100,999.9994,-0.5\r\n"  // replaces the first record of 2
       "Tail\r\n");
  Run();
  EXPECT_EQ(Lines(), (std::vector<std::string>{":", "FRAME.ELN", "", "Heading", "Tail",
                                               "2        " "   -1.500    0.000  100.000  999.999   -0.500",
                                               "5-G5     " + kFields123}));
}

TEST_F(ElementLineData, GroupRangeModeOrderAndGroupedOnly) {
  RunSettings& s = ctx->settings;
  s.GroupFilter = -2;
  s.GroupLimit = 2;
  s.GroupRangeMode = 1;
  ModelTables& m = ctx->model;
  m.ElementGroup[2] = 4;
  m.ElementGroup[3] = 2;
  m.ElementGroup[4] = 1;
  m.ElementGroup[6] = 1;
  File("ME,1,1,2,3,4,5\r\nME,2,1,2,3,4,5\r\nME,3,1,2,3,4,5\r\nME,4,1,2,3,4,5\r\nME,6,1,2,3,4,5\r\n");
  Run();
  EXPECT_EQ(Lines(), (std::vector<std::string>{":", "FRAME.ELN", "", "4-G1     " + kFields123,
                                               "6-G1     " + kFields123, "3-G2     " + kFields123,
                                               "1        " + kFields123, "2-G4     " + kFields123}));
  // Ungrouped elements now hold NoGroup, and the order is kept.
  EXPECT_EQ(m.ElementGroup[1], NoGroup);
  EXPECT_EQ(m.ElementGroup[5], NoGroup);
  EXPECT_EQ(m.ElementOrder[1], 4);
  EXPECT_EQ(m.ElementOrder[3], 3);

  ctx->listing.buffer.clear();
  s.GroupedOnly = 1;
  Run();
  EXPECT_EQ(Lines(), (std::vector<std::string>{":", "FRAME.ELN", "", "4-G1     " + kFields123,
                                               "6-G1     " + kFields123, "3-G2     " + kFields123}));
}

TEST_F(ElementLineData, GroupedOnlyOutsideRangeModeListsNoElement) {
  ctx->settings.GroupedOnly = 1;
  ctx->model.ElementGroup[1] = 1;
  File("Text\r\nME,1,1,2,3,4,5\r\n");
  Run();
  EXPECT_EQ(Lines(), (std::vector<std::string>{":", "FRAME.ELN", "", "Text"}));
}

TEST_F(ElementLineData, ElementOutsideTheTableIsAnIndexFault) {
  File("Before\r\nME,7,1,2,3,4,5\r\nAfter\r\n");
  EXPECT_THROW(Run(), IndexFault);
  EXPECT_EQ(Lines(), (std::vector<std::string>{":", "FRAME.ELN", "", "Before"}));

  ctx->listing.buffer.clear();
  File("ME,-1,1,2,3,4,5\r\n");
  EXPECT_THROW(Run(), IndexFault);

  // Element 0 is inside the table: stored, never listed.
  ctx->listing.buffer.clear();
  File("ME,0,1,2,3,4,5\r\n");
  Run();
  EXPECT_EQ(Lines(), (std::vector<std::string>{":", "FRAME.ELN", ""}));
}

TEST_F(ElementLineData, FileEndingInsideARecordIsARunFault) {
  File("Heading\r\nME,3,1,2,3,4\r\n");
  EXPECT_THROW(Run(), RunFault);
  EXPECT_EQ(Lines(), (std::vector<std::string>{":", "FRAME.ELN", "", "Heading"}));
}

TEST_F(ElementLineData, MillionsOfItemsStayLinear) {
  Model(32000);
  std::string text;
  text.reserve(40u << 20);
  for (int round = 0; round < 10; ++round)
    for (int e = 1; e <= 32000; ++e) text += "ME," + std::to_string(e) + ",1,2,3,4," + std::to_string(round) + "\r\n";
  for (int i = 0; i < 200000; ++i) text += "note\r\n";
  File(text);
  auto start = std::chrono::steady_clock::now();
  Run();
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 3u + 200000u + 32000u);
  EXPECT_EQ(lines.back(), "32000    " "    1.000    2.000    3.000    4.000    9.000");
  EXPECT_LT(seconds, 20.0);
}

}  // namespace
