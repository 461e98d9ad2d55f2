// Edge cases of the model data sections, the element line data and the
// model file survey that the example listings do not reach.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "sections/group_order.h"
#include "sections/section_context.h"

using namespace sectiontest;

namespace {

const std::string kZero = "  0.000E+00";

Lines FirstWords(const Lines& lines) {
  Lines words;
  for (const std::string& line : lines)
    if (!line.empty()) words.push_back(line.substr(0, line.find(' ')));
  return words;
}

}  // namespace

TEST(NodesAndElements, LongLabelsAndNumbersPushTheRestOfTheRowToANewLine) {
  SectionContext t(12345, 1);
  t.m.NodeExists[7] = t.m.NodeExists[12345] = 1, t.m.NodeCoordSystem[7] = 12, t.m.NodeGroup[12345] = 12345;
  WriteNodalCoordinates(t.ctx.settings, t.ctx.model, t.ctx.listing);
  const std::string f11 = "     0.0000", f14 = "        0.0000";
  EXPECT_EQ(t.Out(4), (Lines{"7           12 ", std::string(14, ' ') + f11 + Repeat(f14, 5), "12345-G12345",
                             std::string(11, ' ') + " 0 " + f11 + f14 + f14, ""}));

  t.ctx.listing.Discard();
  t.m.ElemType[1] = 123, t.m.ElemNode1[1] = 12345, t.m.ElemNode2[1] = 2;
  WriteElementData(t.ctx.settings, t.ctx.model, t.ctx.listing);
  Lines rows = t.Out(5);
  ASSERT_EQ(rows.size(), 3u);
  rows[2].resize(28);
  EXPECT_EQ(rows, (Lines{"1           123 ", std::string(15, ' ') + "12345-G12345", std::string(26, ' ') + "2 "}));
}

TEST(SelectByGroup, GroupOrderPassIsTheFullExchangeSortWithUngroupedAsNoGroup) {
  std::mt19937 rng(7);
  const int16_t choices[] = {-3, 0, 1, 2, 2, 5, NoGroup, 32767, -32768};
  for (int round = 0; round < 40; ++round) {
    const int n = 1 + static_cast<int>(rng() % 300);
    Table<int16_t> groups{std::vector<int16_t>(static_cast<size_t>(n) + 1), "groups"};
    for (int16_t& group : groups.items) group = choices[rng() % 9];
    auto key = [&](int16_t label) { return groups[label] ? groups[label] : NoGroup; };
    std::vector<int16_t> naive;
    for (int j = 1; j <= n; ++j) naive.push_back(static_cast<int16_t>(j));
    for (int m = n; m >= 2; --m)
      for (int j = 1; j < m; ++j)
        if (key(naive[j]) < key(naive[j - 1])) std::swap(naive[j], naive[j - 1]);
    ASSERT_EQ(SelectByGroup({true, 32767}, groups, static_cast<int16_t>(n)).groupOrder, naive) << n;
  }
}

TEST(ElementOffsets, HeadingFilterCutRecordAndLabelBeyondTheTable) {
  const struct { std::vector<int> labels; bool cutLast; int16_t filter; bool heading; Lines rows; std::string fault; } cases[] = {
      {{0, -3}, false, 0, false, {}, ""},  // labels <= 0 are dropped and write no heading
      {{0, 2, 1}, false, 3, true, {}, ""}, {{2, 1}, false, 4, true, {"2-G4"}, ""},  // heading though all are dropped
      {{1, 3}, true, 0, true, {"1"}, ""}, {{3}, true, 0, false, {}, ""},  // a record cut short is ignored
      {{1, 9, 2}, false, 0, true, {"1"}, "index"},  // 9 lies beyond the group table
  };
  for (const auto& c : cases) {
    SectionContext t(0, 6, 1);
    t.s.GroupFilter = c.filter, t.m.ElementGroup[2] = 4;
    Bytes file;
    for (int label : c.labels) file.I16(label).I16(77).I16(1).F32(1).F32(2).F32(3).I16(2).F32(4).F32(5).F32(6);
    if (c.cutLast) file.data.pop_back();
    t.m.ConnectivityFile.bytes = file.data;
    EXPECT_EQ(Fault([&] { WriteElementOffsets(t.ctx.settings, t.ctx.model, t.ctx.listing); }), c.fault);
    Lines expected = c.heading ? Lines{"***", "Elem", "No"} : Lines{};
    expected.insert(expected.end(), c.rows.begin(), c.rows.end());
    EXPECT_EQ(FirstWords(t.Out()), expected) << c.labels.size() << " " << c.filter;
  }
}

TEST(SolidElements, GroupRangePassFirstWithItsOwnColumnsThenLabelOrder) {
  SectionContext t(12345, 3);
  t.Filter(-2);
  const int16_t groups[] = {0, 0, 5, 1};
  const std::vector<int16_t> nodes[] = {{}, {12345, 7, 8}, {4, 7}, {4, 5}};
  for (int e = 1; e <= 3; ++e) {
    t.m.SolidElemType[e] = 8, t.m.ElemReleaseZ[e] = 3, t.m.ElementGroup[e] = groups[e];
    t.m.SolidNodeCount[e] = static_cast<int16_t>(nodes[e].size());
    std::copy(nodes[e].begin(), nodes[e].end(), t.m.SolidNodes[e].begin() + 1);
  }
  t.m.ElemRotation[3] = -12.5f, t.m.NodeGroup[4] = 3, t.m.NodeGroup[12345] = 1234;
  WriteSolidElements(t.ctx.settings, t.ctx.model, t.ctx.listing);
  const std::string codes = Cols().At(12, "8-3").At(17, "0").At(22, "0").At(26, "   0.00 0.000").line.substr(4);
  EXPECT_EQ(t.Out(5), (Lines{Cols().At(1, "3-G1").At(12, "8-3").At(22, " 0 ").At(27, " 0 ").At(31, " -12.50")
                                 .At(38, "12.500").At(47, "4-G3").At(56, "5"),
                             // "12345G1234" ends past column 51: the other nodes go on a new line.
                             Cols().At(1, "1   " + codes).At(42, "12345G1234"), Cols().At(51, "7").At(60, "8"),
                             Cols().At(1, "2-G5" + codes).At(42, "4G3").At(51, "7")}));
  t.m.SolidNodeCount[1] = 9;  // more nodes than the connectivity table holds
  EXPECT_EQ(Fault([&] { WriteSolidElements(t.ctx.settings, t.ctx.model, t.ctx.listing); }), "index");
}

TEST(SpringData, NothingWithoutSpringsAndUndefinedSpringsSkipped) {
  for (int16_t springs : {0, 2}) {
    SectionContext t(0, 3, springs);
    t.m.ElemNode1[3 + springs] = -1;  // spring 1 has node 0, spring 2 node -1
    WriteSpringData(t.ctx.settings, t.ctx.model, t.ctx.listing);
    EXPECT_EQ(t.Out().size(), springs ? 6u : 0u);
  }
}

TEST(ElementLineData, RecordsSelectionOrderAndFailures) {
  const std::string f = "    1.000    2.000    3.000    4.000    5.000";
  std::string all;
  for (int e = 1; e <= 6; ++e) all += "ME," + std::to_string(e) + ",1,2,3,4,5\r\n";
  const struct { std::string file; int16_t filter, groupedOnly; Lines rows; std::string fault; } cases[] = {
      {"", 0, 0, {}, ""},  // no file: nothing at all
      // "ME" in any case; a later record replaces an earlier one; undefined
      // elements are stored but not listed; a positive filter does not narrow.
      {"Head\r\nme,5,1,2,3,4,5\r\nMe,2,9,9,9,9,9\r\nME,4,1,1,1,1,1\r\nmE,2,-1.5,0,100,2,-0.5\r\nTail\r\n", 3, 0,
       {"Head", "Tail", "2-G4        -1.500    0.000  100.000    2.000   -0.500", "5        " + f}, ""},
      {all, -2, 0, {"6-G1     " + f, "3-G2     " + f, "1        " + f, "2-G4     " + f, "5        " + f}, ""},
      {all, -2, 1, {"6-G1     " + f, "3-G2     " + f}, ""},
      {"Before\r\nME,7,1,2,3,4,5\r\nAfter\r\n", 0, 0, {"Before"}, "index"},
      {"ME,0,1,2,3,4,5\r\n", 0, 0, {}, ""},  // element 0: stored, never listed
      // Items in double quotes are taken without them, numbers too.
      {"\"ME\",\"3\",\"1\" x,2,\t\"3\",4\t,\"5\"\r\n", 0, 0, {"3-G2     " + f}, ""},
      {"Heading\r\nME,3,1,2,3,4\r\n", 0, 0, {"Heading"}, "run"},  // the file ends inside a record
  };
  const int16_t groups[] = {0, 0, 4, 2, 1, 0, 1};  // element 4 is undefined
  for (const auto& c : cases) {
    TempDir dir;
    SectionContext t(0, 6);
    t.s.ModelPath = dir.path + "/FRAME", t.Filter(c.filter, c.groupedOnly);
    for (int e = 1; e <= 6; ++e) t.m.ElementGroup[e] = groups[e], t.m.ElemNode2[e] = static_cast<int16_t>(e == 4 ? 0 : 2);
    if (!c.file.empty()) WriteFile(dir.path + "/frame.Eln", c.file);
    EXPECT_EQ(Fault([&] { WriteElementLineData(t.ctx.settings, t.ctx.model, t.ctx.listing, t.ctx.files, t.s.ModelPath, ".ELN"); }),
              c.fault) << c.file;
    Lines expected = c.rows;  // after a heading of the file's name as the directory holds it
    if (!c.file.empty()) expected.insert(expected.begin(), {":", "frame.Eln", ""});
    EXPECT_EQ(t.Out(), expected) << c.file;
  }
}

TEST(ModelFileSurvey, WinTwiceUmRegionsLeftOutEmptyFileAndFoundFileMissingUnderTheOrigin) {
  TempDir dir, origin;
  SectionContext t;
  t.s.ModelPath = dir.path + "/FRAME", t.s.OriginDirectory = dir.path, t.s.ListUmFiles = 1;
  std::replace(t.s.OriginDirectory.begin(), t.s.OriginDirectory.end(), '/', '\\');
  for (std::string name : {"ECI", "WIN", "WIN2", "PRT", "UM1", "UMREGIONS", "UMRegions"})
    WriteFile(t.s.ModelPath + "." + name, name == "PRT" ? "" : name + " text\r\n");
  WriteModelFileSurvey(t.ctx.settings, t.ctx.model, t.ctx.listing, t.ctx.files);
  Lines expected;
  for (std::string name : {"ECI", "WIN", "WIN", "WIN2", "PRT", "UM1", "UMREGIONS"}) {
    expected.insert(expected.end(), {":", "FRAME." + name, ""});
    if (name != "PRT") expected.push_back(name + " text");
    expected.push_back("");
  }
  EXPECT_EQ(t.Out(), expected);

  // A file found beside the model but missing under the origin directory stops the listing before its block.
  t.s.OriginDirectory = origin.path, t.ctx.listing.Discard(), t.ctx.files.listings.clear();
  WriteFile(t.s.ModelPath + ".WAV", "wave\r\n");
  EXPECT_EQ(Fault([&] { WriteModelFileSurvey(t.ctx.settings, t.ctx.model, t.ctx.listing, t.ctx.files); }), "run");
  EXPECT_EQ(t.Out(), (Lines{":", "FRAME.ECI", "", "ECI text", ""}));
}

namespace {

// A pipework row of an element with geometric code 1 (tail: diameter and wall).
std::string PipeRow(const std::string& label, const std::string& name, const std::string& node, const char* kflex,
                    const std::string& tail = "   168.3000     7.1100") {
  return Cols().At(1, label).At(11, name).At(19, node).At(23, kflex).At(33, "0.0").At(43, "0.0").At(59, "0.0")
      .At(69, "0.0").At(75, tail);
}

// Elements 1..n; geometric code 1 is a 168.3 x 7.11 pipe. Flagged elements
// get a ".XEP" record of their type, node 7 and KFlex 2.5.
struct PipeworkRun {
  TempDir dir;
  SectionContext t;
  std::map<int, PipeRec> records;
  explicit PipeworkRun(int16_t n) {
    t.s.ModelPath = dir.path + "/FRAME", t.s.MaxElementLabel = n, t.s.PhysicalPropertyCount = 2, t.Allocate();
    t.m.GeometricPropertyTable[1] = {.GeomDiam = 168.3f, .GeomWallThick = 7.11f};
  }
  void Flag(int e, int16_t type, int16_t geom = 1) {
    t.m.ElemPipeworkFlag[e] = t.m.PipeworkPresent = 1, t.m.ElemGeomCode[e] = geom, records[e] = PipeRec{type, 7, 2.5f};
  }
  // Writes the ".XEP" file (its first bytesKept bytes; none for 0) and the
  // section; the lines after its heading block.
  Lines Rows(size_t bytesKept = 100000) {
    TestModel model;
    model.pipework = records;
    Bytes bytes = PipeworkCoefficientFile(model);
    bytes.data.resize(std::min(bytes.size(), bytesKept));
    if (bytesKept > 0) WriteFile(t.s.ModelPath + ".XEP", bytes);
    return WritePipeworkCoefficients(t.ctx.settings, t.ctx.model, t.ctx.listing, t.ctx.files), t.Out(8);
  }
};

}  // namespace

TEST(Pipework, TypeNamesAndCodesThatRepeatThePreviousName) {
  const int16_t types[] = {5, 11, 12, 16, 4, 0, 2, 3, -3};
  PipeworkRun run(9);
  for (int e = 1; e <= 9; ++e) run.Flag(e, types[e - 1]);
  Lines rows = run.Rows();
  for (std::string& row : rows) row = row.substr(0, 25);
  // A nine-character name ends past column 18: the node goes on a new line.
  EXPECT_EQ(rows, (Lines{"1                 7   2.5", "2         Tee 11  7   2.5", "3         Conn 12 7   2.5",
                         "4         UserDef16", "                  7   2.5", "5         UserDef16",
                         "                  7   2.5", "6         UserDef16", "                  7   2.5",
                         "7         MITRE2  7   2.5", "8         SCELBOW37   2.5", "9         SCELBOW37   2.5", ""}));
}

TEST(Pipework, MissingOrShortCoefficientFileReadsZeros) {
  // Element 11's record ends inside its first value, or there is no file.
  for (size_t kept : {24 * 10 + 6, 0}) {
    PipeworkRun run(11);
    run.Flag(2, 1);
    run.Flag(11, 0);  // type 0 keeps the previous name
    EXPECT_EQ(run.Rows(kept), (kept ? Lines{PipeRow("2", "BEND1", "7", "2.5"), PipeRow("11", "BEND1", "7", "0.0"), ""}
                                    : Lines{PipeRow("2", "", "0", "0.0"), PipeRow("11", "", "0", "0.0"), ""}));
  }
}

TEST(Pipework, GeometricCodeOutsideItsTableStopsWithTheRowBegun) {
  PipeworkRun run(6);
  run.Flag(1, 1);
  run.Flag(4, 9, 3);  // the table holds codes 0..2
  run.Flag(6, 1);
  EXPECT_EQ(Fault([&] { run.Rows(); }), "index");
  EXPECT_EQ(run.t.Out(8), (Lines{PipeRow("1", "BEND1", "7", "2.5"), PipeRow("4", "Tee 9", "7", "2.5", "")}));
}

TEST(Pipework, EmptyLinesWithoutPipeworkInFullAndBriefMode) {
  for (int16_t brief : {0, 1}) {
    PipeworkRun run(1);
    run.t.s.BriefModelData = brief, run.Rows(0);
    EXPECT_EQ(run.t.ctx.listing.Pending(), brief ? "\r\n" : "\r\n\r\n");
  }
}

TEST(PipeworkData, MissingOrShortXpm) {
  TempDir dir;
  SectionContext t;
  t.s.ModelPath = dir.path + "/FRAME";
  t.s.PhysicalPropertyCount = 1, t.s.MaterialPropertyCount = 2, t.Allocate();
  t.m.MaterialPropertyTable[2].MatName = "ALU     ";
  WriteMaterialProperties(t.ctx.settings, t.ctx.model, t.ctx.listing, t.ctx.files);
  EXPECT_EQ(t.Out().size(), 7u);  // the material table alone

  // Cut inside material 2's third head value: 1 and 0.85 remain.
  Bytes data;
  for (int i = 0; i < 7 + 64; ++i) data.F32(0);
  data.F32(1).F32(0.85f).F32(137).data.resize(28 + 256 + 10);
  WriteFile(t.s.ModelPath + ".XPM", data);
  t.ctx.files.listings.clear(), t.ctx.listing.Discard(),
      WritePipeworkData(t.ctx.settings, t.ctx.model, t.ctx.listing, t.ctx.files);
  Lines out = t.Out(10);
  ASSERT_EQ(out.size(), 6u);  // no thermal point
  EXPECT_EQ(out[0], Cols().At(1, " 2 ").At(6, "ALU     ").At(16, "    1.000E+00    8.500E-01")
                        .At(42, Repeat("    0.000E+00", 2)).line);
}

TEST(PipeworkData, PositionOverflowStopsTheListingQuietly) {
  // Material 129's block would start at 28 + 1 + 256 x 128 = 32797.
  TestModel m;
  m.AddNode(0, 0, 0), m.geoms.push_back(GeomRec{}), m.mats.resize(130), m.materialBlocks.resize(130);
  m.writeXpm = true, m.materialBlocks[1].head = {1, 1, 1, 1};
  TestInstall install;
  install.WriteModel(m);
  RunResult r = RunInProcess(install, {"1/0/0/0/0/0/0/0/0/0/0//"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.stderrText, "");
  Lines lines = ListingLines(install.Listing());
  ASSERT_GE(lines.size(), 5u);
  EXPECT_EQ(lines[lines.size() - 5], "*** MATERIAL RELATED EXTENDED DATA ***");
  EXPECT_EQ(lines.back().substr(0, 3), " 1 ");
}

TEST(ConstantsTables, FourDigitCodesAndIcValuesOfSeveralDigits) {
  SectionContext t;
  t.s.SpringPropertyCount = 1000, t.Allocate();
  t.m.IcPropertyCount = 1, t.m.IcConstantTable.Size(1);
  t.m.IcConstantTable[1] = {0, 1, 10, -5, 123, 32767, -32768};
  WriteConstantsTables(t.ctx.settings, t.ctx.model, t.ctx.listing);
  Lines out = t.Out(5 + 998);
  ASSERT_EQ(out.size(), 3u + 6u);
  // Three digits end on column 5: the kind stays at column 6; four end past it.
  const std::string rest = Cols().At(6, " 0 ").At(12, Repeat(kZero, 6)).At(80, " 0 ");
  EXPECT_EQ(Lines(out.begin(), out.begin() + 3), (Lines{" 999 " + rest.substr(5), " 1000 ", rest}));
  EXPECT_EQ(out[8], Cols().At(1, " 1 ").At(10, "0      1      10      -5      123      32767      -32768      ").line);
}

TEST(RestrainedNodes, TenCharacterLabelsPushTheCodesToANewLine) {
  SectionContext t(23456);
  t.s.RestrainedNodeCount = 2, t.Allocate();
  t.m.RestraintTable[1].RestrainedNode = 12345, t.m.RestraintTable[2].RestrainedNode = 23456;
  t.m.NodeGroup[12345] = 67, t.m.NodeGroup[23456] = 678;
  WriteRestrainedNodes(t.ctx.settings, t.ctx.model, t.ctx.listing);
  const std::string codes = Repeat("         0", 6);
  EXPECT_EQ(t.Out(5),
            (Lines{"12345-G67" + codes, "23456-G678", std::string(9, ' ') + codes, "", std::string(105, '=')}));
}
