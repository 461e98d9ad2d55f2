// Element offsets: read on from the loader's position in the connectivity
// file, heading on the first positive label, group filter, cut records.
#include <gtest/gtest.h>

#include "run/faults.h"
#include "sections/section_context.h"
#include "sections/sections.h"

using namespace orvant;
using namespace orvant::testing;
using namespace sectiontest;

namespace {

Bytes OffsetRecord(int label, int ref1, std::array<float, 3> o1, int ref2, std::array<float, 3> o2) {
  Bytes b;
  b.I16(label).I16(77).I16(ref1).F32(o1[0]).F32(o1[1]).F32(o1[2]).I16(ref2).F32(o2[0]).F32(o2[1]).F32(o2[2]);
  return b;
}

struct OffsetsFixture : ::testing::Test {
  SectionContext t;
  Bytes file;
  void SetUp() override {
    t.s.MaxElementLabel = 6;
    t.s.MaxSpringLabel = 1;
    t.Allocate();
    t.m.ElementGroup[2] = 4;
    // The loader's own records come first; offsets follow them.
    file.Text("loader records", 56);
  }
  void Run() {
    t.m.ConnectivityFile.bytes = file.data;
    t.m.ConnectivityFile.position = 56;
    WriteElementOffsets(t.ctx);
  }
};

const std::vector<std::string> kHeading = {
    "", "", "*** ELEMENT OFFSET DATA ***", "",
    "Elem             Node1 End                           Node2 End ",
    "No      RefEle    Ox      Oy      Oz          RefEle     Ox     Oy      Oz        ", ""};

std::vector<std::string> WithHeading(std::vector<std::string> rows) {
  std::vector<std::string> all = kHeading;
  all.insert(all.end(), rows.begin(), rows.end());
  return all;
}

}  // namespace

TEST_F(OffsetsFixture, RowColumnsAndOffsetValues) {
  file.Append(OffsetRecord(2, 3, {1.5f, -20.0f, 0.0f}, -1, {0.0f, 1.5f, -20.0f}));
  file.Append(OffsetRecord(5, 0, {0.25f, 0, 0}, 12, {0, 0, 999.9996f}));
  Run();
  std::string row2 = Cols()
                         .At(1, "2-G4")
                         .At(10, " 3 ")
                         .At(16, "   1.500")
                         .At(24, " -20.000")
                         .At(32, "   0.000")
                         .At(48, "-1 ")
                         .At(54, "   0.000")
                         .At(62, "   1.500")
                         .At(70, " -20.000");
  std::string row5 = Cols()
                         .At(1, "5")
                         .At(10, " 0 ")
                         .At(16, "   0.250   0.000   0.000")
                         .At(48, " 12 ")
                         .At(54, "   0.000   0.000")
                         .At(70, "1000.000");
  EXPECT_EQ(t.Lines(), WithHeading({row2, row5}));
  EXPECT_EQ(t.m.ConnectivityFile.position, file.size());
}

TEST_F(OffsetsFixture, HeadingOnFirstPositiveLabelEvenWhenFilterDropsAll) {
  // Non-positive labels are dropped and do not cause the heading.
  file.Append(OffsetRecord(0, 1, {1, 1, 1}, 1, {1, 1, 1}));
  file.Append(OffsetRecord(-3, 1, {1, 1, 1}, 1, {1, 1, 1}));
  Run();
  EXPECT_EQ(t.ctx.listing.buffer, "");  // nothing, as with no records at all

  t.ctx.listing.buffer.clear();
  t.s.GroupFilter = 3;
  file.Append(OffsetRecord(2, 1, {1, 1, 1}, 1, {1, 1, 1}));  // group 4
  file.Append(OffsetRecord(1, 1, {1, 1, 1}, 1, {1, 1, 1}));  // no group
  Run();
  EXPECT_EQ(t.Lines(), kHeading);

  // The same element passes a filter of its own group, suffix included;
  // a negative filter (group range mode) lists every positive label.
  for (int filter : {4, -2}) {
    t.ctx.listing.buffer.clear();
    t.s.GroupFilter = static_cast<int16_t>(filter);
    Run();
    auto lines = t.Lines();
    ASSERT_EQ(lines.size(), kHeading.size() + (filter == 4 ? 1 : 2)) << filter;
    EXPECT_EQ(Slice(lines[kHeading.size()], 1, 5), "2-G4 ");
  }
}

TEST_F(OffsetsFixture, RecordCutShortByEndOfFileIsIgnored) {
  file.Append(OffsetRecord(1, 4, {1, 2, 3}, 5, {4, 5, 6}));
  Bytes cut = OffsetRecord(3, 4, {1, 2, 3}, 5, {4, 5, 6});
  cut.data.resize(31);
  file.Append(cut);
  Run();
  auto lines = t.Lines();
  ASSERT_EQ(lines.size(), kHeading.size() + 1);
  EXPECT_EQ(Slice(lines.back(), 1, 2), "1 ");
  EXPECT_EQ(t.m.ConnectivityFile.position, file.size());

  // A cut record alone writes nothing, not even the heading.
  t.ctx.listing.buffer.clear();
  file.data.resize(56);
  file.Append(cut);
  Run();
  EXPECT_EQ(t.ctx.listing.buffer, "");
}

TEST_F(OffsetsFixture, LabelBeyondTheGroupTableIsAnIndexFault) {
  file.Append(OffsetRecord(1, 0, {0, 0, 0}, 0, {0, 0, 0}));
  file.Append(OffsetRecord(9, 0, {0, 0, 0}, 0, {0, 0, 0}));  // table holds 0..8
  file.Append(OffsetRecord(2, 0, {0, 0, 0}, 0, {0, 0, 0}));
  EXPECT_THROW(Run(), IndexFault);
  auto lines = t.Lines();
  ASSERT_EQ(lines.size(), kHeading.size() + 1);  // the listing so far stays
}
