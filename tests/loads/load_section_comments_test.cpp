// Comment lines above the rows of the load sections.
#include "loads/load_section_fixture.h"

using namespace orvant;
using loadsec::From;

namespace {

class LoadSectionComments : public loadsec::LoadSectionTest {
 protected:
  orvant::testing::TempDir dir;

  void SetUp() override {
    LoadSectionTest::SetUp();
    ctx.settings.ModelPath = dir.path + "/FRAME";
  }
  void Comment(int16_t n, const std::string& text) { WriteCommentRecord(ctx, n, text); }
  static std::string Record(const std::string& text) { return text + std::string(100 - text.size(), ' '); }
  std::vector<std::string> Rows(size_t first) const { return From(Lines(), first); }
  // The rows of a listing reduced to their first `width` characters.
  std::vector<std::string> Starts(size_t first, size_t width) const {
    std::vector<std::string> out;
    for (const std::string& line : Rows(first)) out.push_back(line.substr(0, width));
    return out;
  }
};

TEST_F(LoadSectionComments, CommentAboveFirstRowOfEachSection) {
  // COM Wind, ND,3,..., ND,4,..., NF,3,..., NF,4,...
  Comment(1, "Wind");
  for (int16_t node : {3, 4}) {
    auto& d = Add(ctx.loads.prescribedDisplacements);
    d.node = node;
    d.commentNo = 1;
    auto& f = Add(ctx.loads.nodalLoads);
    f.node = node;
    f.commentNo = 1;
  }
  WritePrescribedDisplacements(ctx);
  WriteNodalLoads(ctx);
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 16u);
  EXPECT_EQ(lines[5], Record("Wind"));
  EXPECT_EQ(lines[6].substr(0, 2), "3 ");
  EXPECT_EQ(lines[7].substr(0, 2), "4 ");
  EXPECT_EQ(lines[13], Record("Wind"));
  EXPECT_EQ(lines[14].substr(0, 2), "3 ");
  EXPECT_EQ(lines[15].substr(0, 2), "4 ");
}

TEST_F(LoadSectionComments, OnlyTheLastCommentBeforeAnEntry) {
  Comment(1, "first");
  Comment(2, "second");
  Comment(3, "third");
  Comment(4, "fourth");
  auto& a = Add(ctx.loads.prescribedDisplacements);
  a.node = 1;
  a.commentNo = 3;
  auto& b = Add(ctx.loads.prescribedDisplacements);
  b.node = 2;
  b.commentNo = 4;
  WritePrescribedDisplacements(ctx);
  EXPECT_EQ(Starts(5, 10), (std::vector<std::string>{"third     ", "1         ", "fourth    ", "2         "}));
}

TEST_F(LoadSectionComments, DroppedRowsTakeNoComment) {
  Comment(1, "on a missing node");
  Comment(2, "kept");
  ctx.model.NodeExists[8] = 0;
  const std::pair<int16_t, int16_t> entries[] = {{8, 1}, {5, 2}, {8, 2}, {6, 2}};
  for (auto [node, comment] : entries) {
    auto& e = Add(ctx.loads.nodalLoads);
    e.node = node;
    e.commentNo = comment;
  }
  WriteNodalLoads(ctx);
  EXPECT_EQ(Starts(5, 10), (std::vector<std::string>{"kept      ", "5         ", "6         "}));

  // A dropped entry leaves its comment to the next row that carries it.
  Clear();
  ctx.loads.nodalLoads.count = 0;
  for (int16_t node : {8, 5}) {
    auto& e = Add(ctx.loads.nodalLoads);
    e.node = node;
    e.commentNo = 1;
  }
  WriteNodalLoads(ctx);
  EXPECT_EQ(Starts(5, 13), (std::vector<std::string>{"on a missing ", "5            "}));
}

TEST_F(LoadSectionComments, BeamRowsLeftOutTakeNoComment) {
  Comment(1, "undefined element");
  Comment(2, "axes zero");
  Comment(3, "beam");
  ctx.model.ElemNode1[30] = 4;
  ctx.model.ElemNode2[30] = 4;
  Add(ctx.loads.pointLoads) = PointLoad{30, 1, 0, {}, 1};
  Add(ctx.loads.pointLoads) = PointLoad{15, 1, 0, {}, 3};
  Add(ctx.loads.distributedLoads) = DistributedLoad{30, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1};
  Add(ctx.loads.distributedLoads) = DistributedLoad{16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2};
  Add(ctx.loads.distributedLoads) = DistributedLoad{17, 2, 0, 0, 0, 0, 0, 0, 0, 0, 3};
  WritePointLoads(ctx);
  WriteDistributedLoads(ctx);
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 14u);
  EXPECT_EQ(lines[5], Record("beam"));
  EXPECT_EQ(lines[6].substr(0, 13), "15         Gl");
  EXPECT_EQ(lines[12], Record("beam"));
  EXPECT_EQ(lines[13].substr(0, 13), "17         Lo");
}

TEST_F(LoadSectionComments, AmendmentNoteIsNotPrintedButCountsAsPrinted) {
  Comment(1, "Rev B    Amended loads");
  Comment(2, "Amend the first");
  ctx.loads.elementTempPressCount = 3;
  for (int16_t element : {4, 5}) {
    ctx.loads.elementTempPress[element].temperature = 10;
    ctx.loads.elementTempPress[element].commentNo = 1;
  }
  ctx.loads.elementTempPress[6].temperature = 10;
  ctx.loads.elementTempPress[6].commentNo = 2;
  ctx.loads.lastPrintedComment = 7;  // a section with comments starts afresh
  WriteElementTempPress(ctx);
  EXPECT_EQ(Starts(5, 6), (std::vector<std::string>{"4     ", "5     ", "Amend ", "6     "}));
  EXPECT_EQ(ctx.loads.lastPrintedComment, 2);
}

TEST_F(LoadSectionComments, SectionsWithoutCommentsPrintNone) {
  Comment(1, "never shown");
  Add(ctx.loads.faceLoads).element = 5;
  Add(ctx.loads.nodalTemperatures).node = 5;
  ctx.loads.propertyUdlGiven = 1;
  ctx.loads.propertyUdl[1].udl[1] = 1;
  WriteFaceLoads(ctx);
  WritePropertyUdl(ctx);
  WriteNodalTemperatures(ctx);
  EXPECT_EQ(ctx.listing.buffer.find("never shown"), std::string::npos);
  EXPECT_EQ(ctx.loads.lastPrintedComment, 0);
}

}  // namespace
