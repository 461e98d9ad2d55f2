// Model data sections of models written by the builder and listed by a run, for what the example
// listings do not reach: coordinate systems without a name of their own, codes used only through a
// taper, the stress points of the less common pipe sections, thermal tables at their full length,
// labels too long for their columns, the solid elements' group range pass, the pipework type names,
// element line data records, and group ordering of two and three labels.
#include <gtest/gtest.h>

#include "support/model_builder.h"

using namespace orvant::testing;
using Lines = std::vector<std::string>;

namespace {

const std::string kModelData = "1/0/0/0/0/0/0/0/0/0/0/";
const std::string kE0 = "  0.000E+00";

std::string Repeat(const std::string& text, int n) { return n > 0 ? text + Repeat(text, n - 1) : ""; }

// An expected line: texts placed from 1-based columns.
struct Cols {
  std::string line;
  Cols& At(size_t column, const std::string& text) { return line.append(column - 1 - line.size(), ' ') += text, *this; }
  operator std::string() const { return line; }
};

// Lists the model's data (and the model's text files given by extension); the listing's lines.
Lines ListModel(const TestModel& m, const std::string& options = kModelData,
                const std::map<std::string, std::string>& texts = {}) {
  TestInstall install;
  install.WriteModel(m);
  for (const auto& [extension, text] : texts) install.WriteModelText(extension, text);
  RunResult r = RunInProcess(install, {options});
  EXPECT_EQ(r.status, 0) << r.stderrText;
  return ListingLines(install.Listing());
}

// Nodes 1..n on a line, beams between neighbours (the last to node 1).
TestModel Beams(int nodes, int elements) {
  TestModel m;
  for (int n = 1; n <= nodes; ++n) m.AddNode(static_cast<float>(n), 0, 0);
  for (int e = 1; e <= elements; ++e) m.AddElement(e, e % nodes + 1, 1, 1, 1.0f);
  m.geoms.push_back(GeomRec{}), m.mats.push_back(MatRec{});
  return m;
}

// The first word of each row of a section.
Lines Labels(const Lines& listing, const std::string& heading, size_t skip) {
  Lines first;
  for (const std::string& row : SectionRows(listing, heading, skip)) first.push_back(row.substr(0, row.find(' ')));
  return first;
}

}  // namespace

namespace {

GeomRec Section(const std::string& prefix, int number, float area, float diam, float lz1) {
  GeomRec g;
  g.prefix = prefix, g.number = number, g.area = area, g.diam = diam, g.wall = diam / 20, g.lz[0] = lz1;
  return g;
}

// Seven geometric codes, density 1: code 3 is used only as the far end of
// a taper, code 4 only by a tapered element of its own, code 7 by nothing.
TestModel TaperedPipes() {
  TestModel m;
  for (int n = 1; n <= 7; ++n) m.AddNode(static_cast<float>(n), 0, 0);
  m.geoms = {GeomRec{},
             Section("UB ", 203, 1, 0, 1),
             Section("CHS", 168, 0.5f, 168.3f, 1),   // a pipe: not in the stress point table
             Section("USD", 0, 3, 0.2f, 2),          // a user defined pipe: listed there
             Section("USD", 77, 5, 0.4f, 3),         // and with a number as well
             Section("usd", 0, 0.25f, 0.1f, 1),      // the prefix is compared exactly
             Section("   ", 0, 2, 0, 1e8f),          // 1E8 + 1 - 1E8 - 8 + 4 + 4: 0 in single precision
             Section("UC ", 305, 9, 0, 9)};
  m.geoms[6].lz[1] = 1, m.geoms[6].ly[1] = -1e8f, m.geoms[6].az = -8, m.geoms[6].ay = 4, m.geoms[6].zt = 4;
  m.mats.push_back(MatRec{.density = 1});
  m.AddElement(1, 2, 1, 1, 10);
  m.AddElement(2, 3, 2, 1, 2);
  m.AddElement(3, 4, 1, 1, 4), m.elements.back().taper = -3;
  m.AddElement(4, 5, 4, 1, 6), m.elements.back().taper = 1;
  m.AddElement(5, 6, 5, 1, 1);
  m.AddElement(6, 7, 6, 1, 1);
  return m;
}

}  // namespace

TEST(ModelSections, TaperOnlyCodesListedWithoutMassAndStressPointsOfUserDefinedPipesOnly) {
  const Lines listing = ListModel(TaperedPipes());
  // Iz, Iy and J are 0; the mass, the length and (pipes) diameter and wall thickness.
  auto numbers = [](const std::string& mass, const std::string& length, const std::string& pipe = "") {
    return Repeat(kE0, 3) + mass + length + pipe;
  };
  auto second = [](const std::string& area) { return Cols().At(6, " 0 ").At(10, area + Repeat(kE0, 3)).line; };
  const Lines rows = SectionRows(listing, "*** ELEMENT GEOMETRIC PROPERTY TABLE ***", 2);
  ASSERT_EQ(rows.size(), 15u);
  // Codes 3 to 5, after the five lines of codes 1 and 2 (those the example listings show).
  EXPECT_EQ(Lines(rows.begin() + 5, rows.begin() + 12),
            (Lines{Cols().At(1, " 3 ").At(7, "PIPE  USD Prop").At(21, numbers(kE0, "      0.000", "     0.2000    0.01000")),
                   second("  3.000E+00"),
                   Cols().At(1, " 4 ").At(7, "USD 77 "),
                   Cols().At(7, "PIPE  USD Prop").At(21, numbers(kE0, "      0.000", "     0.4000    0.02000")),
                   second("  5.000E+00"),
                   Cols().At(1, " 5 ").At(7, "PIPE").At(21, numbers("  2.500E-01", "      1.000", "     0.1000    0.00500")),
                   second("  2.500E-01")}));
  EXPECT_EQ(rows.back(), "Total Mass =   3.925E+01");  // 10 + 1 + 4 x (3 + 1) / 2 + 6 x (5 + 1) / 2 + 0.25 + 2
  EXPECT_EQ(SectionRows(listing, "*** GEOMETRIC STRESS POINT TABLE ", 2),
            (Lines{Cols().At(1, " 1 ").At(10, "  1.000E+00" + Repeat(kE0, 5)), Cols().At(10, Repeat(kE0, 5)),
                   Cols().At(1, " 3 ").At(10, "  2.000E+00" + Repeat(kE0, 5)), Cols().At(10, Repeat(kE0, 5)),
                   Cols().At(1, " 4 ").At(10, "  3.000E+00" + Repeat(kE0, 5)), Cols().At(10, Repeat(kE0, 5))}));
}

TEST(ModelSections, TaperOnlyCodeListedUnusedCodeNotAndAllFifteenThermalPoints) {
  TestModel m = TaperedPipes();
  m.writeXpm = true;
  m.pipeworkData.resize(8);
  for (int p : {3, 7}) m.pipeworkData[static_cast<size_t>(p)].values = {0, static_cast<float>(p)};
  m.mats.resize(3, MatRec{.name = "STEEL"});
  m.materialBlocks.resize(3);
  auto& first = m.materialBlocks[1].points;  // no head values; points 7 and 9 are all zero or sum to zero
  for (size_t t = 1; t <= 15; ++t) first[t - 1] = {10.0f * static_cast<float>(t), 1e-5f, 2e11f, 1e8f};
  first[6] = {}, first[8] = {5, -5, 0, 0};
  m.materialBlocks[2].points[14] = {400, 2e-5f, 1.5e11f, 9e7f};  // the last point alone
  const Lines listing = ListModel(m);
  EXPECT_EQ(SectionRows(listing, "*** GEOMETRIC RELATED PIPEWORK DATA ***", 1),
            (Lines{Cols().At(1, " 3 ").At(7, "USD 0 " + kE0 + "  3.000E+00" + Repeat(kE0, 5))}));
  // Material and point of each row; the last point of each material in full.
  const Lines thermal = SectionRows(listing, "*** MATERIAL - THERMAL DEPENDENT PROPERTIES ***", 1);
  std::string points;
  for (const std::string& row : thermal) points += Collapsed(row.substr(0, 12)) + "|";
  ASSERT_EQ(points, "1 1|1 2|1 3|1 4|1 5|1 6|1 8|1 10|1 11|1 12|1 13|1 14|1 15|2 15|");
  EXPECT_EQ(thermal.back(),
            Cols().At(1, " 2 ").At(8, " 15 ").At(16, "    4.000E+02    2.000E-05    1.500E+11    9.000E+07").line);
}

TEST(ModelSections, GroupOrderOfTwoAndThreeLabelsInGroupRangeModePositiveFilterAndGroupedOnly) {
  // Group numbers of labels 1..n (0: none), the filter fields, a label with
  // no node and no element; the labels as the sections list them, and (when
  // given) as the offsets, solid elements and pipework list them: every
  // element has an offset record, a solid type and pipework coefficients.
  const struct {
    std::vector<int> nodeGroups, elementGroups;
    std::string filter;
    size_t undefined;
    Lines nodes, elements, byFilter = {};
  } cases[] = {
      {{2, 1}, {1}, "-5/0/", 0, {"2-G1", "1-G2"}, {"1-G1"}},
      {{2, 1, 0}, {3, 1}, "-5/0/", 0, {"2-G1", "1-G2", "3"}, {"2-G1", "1-G3"}},
      {{3, 1, 1}, {0, 2, 2}, "-5/0/", 0, {"2-G1", "3-G1", "1-G3"}, {"2-G2", "3-G2", "1"}},  // ties keep the label order
      {{9, 0, -1}, {9, 1, 9}, "-5/0/", 0, {"3", "1-G9", "2"}, {"2-G1", "1-G9", "3-G9"}},  // above 5: after, by label
      {{1, 2, 1, 1}, {1, 2, 1, 1}, "1/0/", 3, {"1-G1", "4-G1"}, {"1-G1", "4-G1"}, {"1-G1", "3-G1", "4-G1"}},  // group 1 alone
      {{2, 1, 0, 1}, {0, 2, 1, 1}, "-2/1/", 2, {"4-G1", "1-G2"}, {"3-G1", "4-G1"}},        // the range pass alone
  };
  auto triples = [](int kind, const std::vector<int>& groups) {
    std::string text;
    for (size_t i = 1; i <= groups.size(); ++i)
      text += std::to_string(kind) + "," + std::to_string(i) + "," + std::to_string(groups[i - 1]) + "\r\n";
    return text;
  };
  for (const auto& c : cases) {
    TestModel m = Beams(static_cast<int>(c.nodeGroups.size()), static_cast<int>(c.elementGroups.size()));
    if (c.undefined) m.nodes[c.undefined].exists = false, m.elements[c.undefined].n2 = m.elements[c.undefined].n1;
    for (int16_t e = 1; e < static_cast<int16_t>(m.elements.size()); ++e)
      m.elements[e].solidType = m.elements[e].pipework = 1, m.pipework[e] = PipeRec{1}, m.offsets.push_back({e});
    const std::string groupSet = "\"Small\"\r\n" + triples(2, c.nodeGroups) + triples(1, c.elementGroups);
    const Lines listing = ListModel(m, kModelData + "1/" + c.filter, {{".G1", groupSet}});
    EXPECT_EQ(Labels(listing, "*** NODAL COORDINATES ***", 2), c.nodes) << c.filter << groupSet;
    EXPECT_EQ(Labels(listing, "*** ELEMENT DATA ***", 2), c.elements) << c.filter << groupSet;
    if (!c.byFilter.empty()) {
      for (auto [heading, skip] : {std::pair{"*** ELEMENT OFFSET DATA ***", 2}, {"*** SOLID ELEMENT DATA ***", 1},
                                   {"*** PIPEWORK COEFFICIENTS ***", 2}})
        EXPECT_EQ(Labels(listing, heading, skip), c.byFilter) << heading;
    }
  }
}

TEST(ModelSections, SolidsInGroupRangeModeLabelsTooLongForTheirColumnsAndANodeThatDoesNotExist) {
  TestModel m;  // nodes 4, 5, 7, 8 and 12345; node 6 does not exist
  m.nodes.resize(12346, NodeRec{false});
  for (int n : {4, 5, 7, 8, 12345}) m.nodes[static_cast<size_t>(n)] = NodeRec{};
  m.restraints = {{5, {}}, {12345, {}}};
  m.elements.resize(4);
  const std::vector<int16_t> nodes[] = {{}, {12345, 7, 8}, {4, 7, 6}, {4, 5}};
  for (size_t e = 1; e <= 3; ++e) m.elements[e].solidType = 8, m.elements[e].releaseZ = 3, m.elements[e].solidNodes = nodes[e];
  m.elements[3].rotation = -12.5f;
  const std::string groups = "\"G\"\r\n1,2,5\r\n1,3,1\r\n2,4,3\r\n2,5,67\r\n2,12345,1234\r\n";
  const Lines listing = ListModel(m, kModelData + "1/-2/0/", {{".G1", groups}});
  // The group range pass first (bare codes, nodes from column 47 with "-G"), then label order.
  const std::string codes = Cols().At(12, "8-3").At(17, "0").At(22, "0").At(26, "   0.00 0.000").line.substr(4);
  EXPECT_EQ(SectionRows(listing, "*** SOLID ELEMENT DATA ***", 1),
            (Lines{Cols().At(1, "3-G1").At(12, "8-3").At(22, " 0 ").At(27, " 0 ").At(31, " -12.50").At(38, "12.500")
                       .At(47, "4-G3").At(56, "5-G67"),
                   // "12345G1234" ends past column 50: the other nodes go on a new line.
                   Cols().At(1, "1   " + codes).At(42, "12345G1234"), Cols().At(51, "7").At(60, "8"),
                   // Node 6 does not exist: listed by its label all the same.
                   Cols().At(1, "2-G5" + codes).At(42, "4G3").At(51, "7").At(60, "6")}));
  // A label and group past column 10 push the restraint codes to a new line.
  const std::string free = Repeat("         0", 6);
  EXPECT_EQ(SectionRows(listing, "*** RESTRAINED NODES ***  ( 1-Fixed  0-Free )", 1),
            (Lines{"5-G67    " + free, "12345-G1234", std::string(9, ' ') + free}));
}

TEST(ModelSections, PipeworkTypesAndCoordinateSystemKindsThatRepeatThePreviousName) {
  TestModel m = Beams(9, 9);
  m.coordSystems[3] = {1, 0, 0, 0, 0, 0, 0, 0, 0, 1}, m.coordSystems[9] = {7, 0, 0, 0, 0, 0, 0, 0, 0, 1};
  m.geoms[1].diam = 168.3f, m.geoms[1].wall = 7.11f;
  const int16_t types[] = {5, 11, 12, 16, 4, 0, 2, 3, -3};
  for (size_t e = 1; e <= 9; ++e) m.elements[e].pipework = 1, m.pipework[static_cast<int>(e)] = PipeRec{types[e - 1], 7, 2.5f};
  const Lines listing = ListModel(m);
  EXPECT_EQ(SectionRows(listing, "*** CO-ORDINATE SYSTEMS ***", 3).back(),  // kind 7 has no name of its own
            Cols().At(1, "9").At(4, "Cylindrical").At(25, "7" + Repeat("       0.0000", 6)).line);
  Lines rows = SectionRows(listing, "*** PIPEWORK COEFFICIENTS ***", 2);
  for (std::string& row : rows) row = row.substr(0, 25);
  // A nine-character name ends past column 18: the node goes on a new line.
  EXPECT_EQ(rows, (Lines{"1                 7   2.5", "2         Tee 11  7   2.5", "3         Conn 12 7   2.5",
                         "4         UserDef16", "                  7   2.5", "5         UserDef16",
                         "                  7   2.5", "6         UserDef16", "                  7   2.5",
                         "7         MITRE2  7   2.5", "8         SCELBOW37   2.5", "9         SCELBOW37   2.5"}));
}

TEST(ModelSections, ElementLineDataRecords) {
  // "ME" in any case; a later record replaces an earlier one; items in double quotes are taken without
  // them, numbers too; undefined elements (4) are stored but not listed; a positive filter does not narrow.
  TestModel m = Beams(2, 6);
  m.elements[4].n1 = m.elements[4].n2 = 0;
  const std::string text = "Head\r\nme,5,1,2,3,4,5\r\nMe,2,9,9,9,9,9\r\nME,4,1,1,1,1,1\r\nmE,2,-1.5,0,100,2,-0.5\r\n"
                           "\"ME\",\"3\",\"1\" x,2,\t\"3\",4\t,\"5\"\r\nTail\r\n";
  const std::string groups = "\"G\"\r\n1,2,4\r\n1,3,2\r\n1,4,1\r\n1,6,1\r\n";
  const std::string f = "    1.000    2.000    3.000    4.000    5.000";
  EXPECT_EQ(SectionRows(ListModel(m, "1/0/0/0/0/0/0/0/0/1/0/1/3/0/", {{".G1", groups}, {".ELN", text}}), "FRAME.ELN", 0),
            (Lines{"Head", "Tail", "2-G4        -1.500    0.000  100.000    2.000   -0.500", "3-G2     " + f, "5        " + f}));
}
