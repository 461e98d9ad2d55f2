// Pipework coefficients: plain-formatter columns, type names, selection,
// the coefficient file read by record number, and the empty lines around
// the section in full and brief mode.
#include <gtest/gtest.h>

#include <cstdio>

#include "run/faults.h"
#include "sections/section_context.h"
#include "sections/sections.h"

using namespace orvant;
using namespace orvant::testing;
using namespace sectiontest;

namespace {

struct PipeworkFixture : ::testing::Test {
  TempDir dir;
  SectionContext t;
  std::map<int, PipeRec> records;

  void SetUp() override {
    t.s.ModelPath = dir.path + "/FRAME";
    t.s.MaxElementLabel = 12;
    t.s.PhysicalPropertyCount = 2;
    t.Allocate();
    t.m.GeometricPropertyTable[1].GeomDiam = 168.3f;
    t.m.GeometricPropertyTable[1].GeomWallThick = 7.11f;
    t.m.GeometricPropertyTable[2].GeomDiam = 60.3f;
    t.m.GeometricPropertyTable[2].GeomWallThick = 3.91f;
  }
  void Flag(int e, int geom, PipeRec r) {
    t.m.ElemPipeworkFlag[e] = 1;
    t.m.ElemGeomCode[e] = static_cast<int16_t>(geom);
    t.m.PipeworkPresent = 1;
    records[e] = r;
  }
  void WriteCoefficientFile() {
    TestModel model;
    model.pipework = records;
    WriteFile(t.s.ModelPath + ".XEP", PipeworkCoefficientFile(model));
  }
  // The rows after the heading block, without the closing empty line.
  std::vector<std::string> Rows() {
    auto lines = t.Lines();
    EXPECT_GE(lines.size(), 8u);
    EXPECT_EQ(lines[3], "*** PIPEWORK COEFFICIENTS ***");
    std::vector<std::string> rows(lines.begin() + 8, lines.end());
    if (t.s.BriefModelData != 1 && !rows.empty()) {
      EXPECT_EQ(rows.back(), "");
      rows.pop_back();
    }
    return rows;
  }
};

PipeRec Pipe(int type, int node = 0, float kflex = 0, float sifi = 0, float sifo = 0, float bend = 0,
             float mitre = 0) {
  PipeRec r;
  r.type = static_cast<int16_t>(type);
  r.node = static_cast<int16_t>(node);
  r.kflex = kflex;
  r.sifi = sifi;
  r.sifo = sifo;
  r.bendRad = bend;
  r.mitreAngle = mitre;
  return r;
}

}  // namespace

TEST_F(PipeworkFixture, BendRowPlacesPlainValuesAtTheirColumns) {
  Flag(7, 1, Pipe(1, 3, 2.5f, 1.8f, 1.5f, 150.0f, 0.0f));
  Flag(9, 2, Pipe(6, 1234, 1.23456f, 10.0f, 0.5f, 38.1f, 12.75f));
  t.m.ElementGroup[9] = 2;
  WriteCoefficientFile();
  WritePipeworkCoefficients(t.ctx);

  auto lines = t.Lines();
  std::vector<std::string> head(lines.begin(), lines.begin() + 8);
  EXPECT_EQ(head, (std::vector<std::string>{
                      "", "", "", "*** PIPEWORK COEFFICIENTS ***", "",
                      "Elem     Type    Node  KFlex     SIFI      SIFO     BendRad    MitreAngle     Diam       Wall",
                      "                                                   (Saddle t)  (TeeRad rx)", ""}));
  std::string row7 = Cols()
                         .At(1, "7")
                         .At(11, "BEND1")
                         .At(19, "3")
                         .At(23, "2.5")
                         .At(33, "1.8")
                         .At(43, "1.5")
                         .At(59, "150.0")
                         .At(69, "0.0")
                         .At(75, "   168.3000     7.1100");
  std::string row9 = Cols()
                         .At(1, "9-G2")
                         .At(11, "Tee 6")
                         .At(19, "1234")
                         .At(23, "1.2346")
                         .At(33, "10.0")
                         .At(43, "0.5")
                         .At(59, "38.1")
                         .At(69, "12.75")
                         .At(75, "    60.3000     3.9100");
  EXPECT_EQ(Rows(), (std::vector<std::string>{row7, row9}));
  EXPECT_EQ(lines.back(), "");
}

TEST_F(PipeworkFixture, TypeNamesAndCodesThatRepeatThePreviousName) {
  const int types[] = {5, 9, 14, 16, 4, 0, 17, 2, 3, 12, 11, -3};
  for (int e = 1; e <= 12; ++e) Flag(e, 1, Pipe(types[e - 1], 7));
  WriteCoefficientFile();
  WritePipeworkCoefficients(t.ctx);
  auto rows = Rows();
  const char* names[] = {"", "Tee 9", "Conn 14", "UserDef16", "UserDef16", "UserDef16",
                         "Conn 17", "MITRE2", "SCELBOW3", "Conn 12", "Tee 11", "Tee 11"};
  size_t line = 0;
  for (int e = 1; e <= 12; ++e) {
    std::string name = names[e - 1];
    ASSERT_LT(line, rows.size());
    std::string label = std::to_string(e);
    EXPECT_EQ(Slice(rows[line], 1, 10), Cols().At(1, label).At(11, "").line.substr(0, 10)) << e;
    if (name.size() > 8) {
      EXPECT_EQ(Slice(rows[line], 11, 9), name) << e;
      // A nine-character name ends past column 18: the node and the rest of
      // the row continue on the next line from column 19.
      EXPECT_EQ(rows[line].size(), 19u) << e;
      ++line;
      ASSERT_LT(line, rows.size());
      EXPECT_EQ(Slice(rows[line], 1, 19), std::string(18, ' ') + "7") << e;
    } else {
      EXPECT_EQ(Slice(rows[line], 11, 9), (name + std::string(8, ' ')).substr(0, 8) + "7") << e;
    }
    ++line;
  }
  EXPECT_EQ(line, rows.size());
}

TEST_F(PipeworkFixture, SelectionByFlagAndGroupFilter) {
  Flag(3, 1, Pipe(1, 1));
  Flag(5, 1, Pipe(2, 2));
  Flag(8, 1, Pipe(3, 3));
  t.m.ElementGroup[5] = 2;
  t.m.ElementGroup[8] = 1;
  records[4] = Pipe(1, 9, 1, 1, 1, 1, 1);  // filled, but element 4 is not flagged
  WriteCoefficientFile();

  auto labels = [&] {
    std::vector<std::string> out;
    for (const std::string& row : Rows()) out.push_back(row.substr(0, row.find(' ')));
    return out;
  };
  WritePipeworkCoefficients(t.ctx);
  EXPECT_EQ(labels(), (std::vector<std::string>{"3", "5-G2", "8-G1"}));

  t.ctx.listing.buffer.clear();
  t.s.GroupFilter = 2;
  WritePipeworkCoefficients(t.ctx);
  EXPECT_EQ(labels(), (std::vector<std::string>{"5-G2"}));

  // A negative filter selects nothing here: label order, every element.
  t.ctx.listing.buffer.clear();
  t.s.GroupFilter = -1;
  WritePipeworkCoefficients(t.ctx);
  EXPECT_EQ(labels(), (std::vector<std::string>{"3", "5-G2", "8-G1"}));
}

TEST_F(PipeworkFixture, MissingFileOrRecordBeyondItsEndReadsAsZeros) {
  Flag(2, 1, Pipe(1, 4, 2, 2, 2, 2, 2));
  Flag(11, 2, Pipe(1));
  WriteCoefficientFile();
  // Cut the file after element 2's record: element 11 lies beyond its end.
  std::string bytes = ReadFileText(t.s.ModelPath + ".XEP");
  WriteFile(t.s.ModelPath + ".XEP", bytes.substr(0, 2 * 24));
  WritePipeworkCoefficients(t.ctx);
  std::string zeros = Cols()
                          .At(1, "11")
                          .At(11, "BEND1")  // type 0 repeats the previous name
                          .At(19, "0")
                          .At(23, "0.0")
                          .At(33, "0.0")
                          .At(43, "0.0")
                          .At(59, "0.0")
                          .At(69, "0.0")
                          .At(75, "    60.3000     3.9100");
  auto rows = Rows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1], zeros);

  t.ctx.listing.buffer.clear();
  std::remove((t.s.ModelPath + ".XEP").c_str());
  t.ctx.files.listings.clear();
  WritePipeworkCoefficients(t.ctx);
  rows = Rows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(Slice(rows[0], 11, 8), "        ");
  EXPECT_EQ(Slice(rows[0], 19, 5), "0   0");
}

TEST_F(PipeworkFixture, GeometricCodeOutsideItsTableStopsWithTheRowBegun) {
  Flag(1, 1, Pipe(1, 1));
  Flag(4, 3, Pipe(9, 2));  // the table holds codes 0..2
  Flag(6, 1, Pipe(1, 3));
  WriteCoefficientFile();
  EXPECT_THROW(WritePipeworkCoefficients(t.ctx), IndexFault);
  auto lines = t.Lines();
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(Slice(lines[8], 1, 2), "1 ");
  // The row begun for element 4 stays, without its line end.
  EXPECT_EQ(Slice(lines[9], 1, 19), Cols().At(1, "4").At(11, "Tee 9").At(19, "2").line);
  EXPECT_NE(t.ctx.listing.buffer.substr(t.ctx.listing.buffer.size() - 2), "\r\n");
}

TEST_F(PipeworkFixture, EmptyLinesWithoutPipeworkAndInBriefMode) {
  WritePipeworkCoefficients(t.ctx);
  EXPECT_EQ(t.ctx.listing.buffer, "\r\n\r\n");

  t.ctx.listing.buffer.clear();
  t.s.BriefModelData = 1;
  WritePipeworkCoefficients(t.ctx);
  EXPECT_EQ(t.ctx.listing.buffer, "\r\n");

  // Brief with pipework: the section ends with its last row.
  t.ctx.listing.buffer.clear();
  Flag(1, 1, Pipe(1, 1));
  WriteCoefficientFile();
  WritePipeworkCoefficients(t.ctx);
  auto lines = t.Lines();
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(Slice(lines.back(), 1, 2), "1 ");
}
