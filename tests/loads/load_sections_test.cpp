// Load sections at the edges of their rules, beyond what the example
// listings reach: long labels and values, dropped rows and their comments,
// axis codes switching between global and local axes, and temperature and
// pressure lines giving only some of their values.
#include <gtest/gtest.h>

#include "loads/load_sections.h"
#include "loads/load_test_support.h"

using namespace orvant;
using namespace orvant::testing;
using Lines = std::vector<std::string>;

namespace {

// A case of labels up to 12345 holding `loadLines` and listed by the load
// sections, after `model` has changed the model.
struct Sections : LoadContext {
  Lines lines;
  explicit Sections(std::initializer_list<const char*> loadLines, void (*model)(ModelTables&) = nullptr)
      : LoadContext(12345, 12345) {
    for (const char* line : loadLines) Parse(line);
    if (model) model(ctx->model);
    WriteLoadSections(ctx->settings, ctx->model, Parsed(), ctx->comments, ctx->listing, ctx->files);
    lines = Listed();
  }
  // The rows: titles, column headings and empty lines left out.
  Lines Rows() const {
    Lines rows;
    for (size_t i = 0; i < lines.size(); ++i)
      if (!lines[i].empty() && lines[i].rfind("***", 0) && (i < 2 || lines[i - 2].rfind("***", 0))) rows.push_back(lines[i]);
    return rows;
  }
  // The label and axis text (columns 1 to 13) of each row of a section.
  Lines Axes(const std::string& title) const {
    Lines out;
    for (const std::string& row : SectionRows(lines, title, 1)) out.push_back(Collapsed(row.substr(0, 13)));
    return out;
  }
};

const std::string kE0 = "  0.000E+00", kZeros = Repeat(kE0, 6), kOne = "  1.000E+00" + Repeat(kE0, 5);

}  // namespace

TEST(LoadSections, LongLabelsAndWideValues) {
  const Lines rows = Sections(
      {"ND,1234,1", "ND,12345,1", "EP,12345,1,1.5", "EP,1234,2,1.5", "UDL,10000", "TEPR,1234,20,,20,1",
       "NT,12345,1234567.5", "NT,4,12345678", "NT,10,-0.25"},
      [](ModelTables& m) {
        m.NodeGroup[1234] = m.NodeGroup[12345] = m.ElementGroup[12345] = m.ElementGroup[10000] = 12345;
        m.ElementGroup[1234] = 17170;
        m.NodeGroup[4] = 1;
      }).Rows();
  // Labels longer than their column end the line; nodal temperature labels
  // are cut at 10, and a value wider than its field loses its leading digits.
  EXPECT_EQ(rows, (Lines{"1234-G12345" + kOne, "12345-G12345", Repeat(" ", 11) + kOne, "12345-G12345",
                         "           Gl    1.5" + kZeros, "1234-G17170Lo    1.5" + kZeros, "10000-G12345",
                         "           Gl      0.0 Full Span" + kZeros, "1234-G17170",
                         "      " "         20.00" "     0.000E+00" "     1.000E+00" "         20.00",
                         "12345-G123" "1234567.50" "    " "4-G1      " "2345678.00" "    " "10        " "     -0.25" "    "}));
}

TEST(LoadSections, DroppedRowsPassTheirCommentOn) {
  const Lines rows = Sections({"COM one", "NF,8,1", "COM two", "NF,8,1", "NF,5,1", "NF,6,1", "ND,8,1", "EP,25,1,1",
                                    "EP,15,1,2.5", "ED,25,1", "ED,23", "ED,17,2", "PUDL,2,0,7", "TEPR,8,,,,1.5"},
                              [](ModelTables& m) { m.NodeExists[8] = 0; }).Rows();
  // A prescribed displacement on a missing node is listed; the comment of a
  // dropped row goes to the next row that carries it.
  EXPECT_EQ(rows, (Lines{Record("two"), "8          " + kOne, Record("two"), "5          " + kOne, "6          " + kOne,
                         Record("two"), "15         Gl    2.5" + kZeros, Record("two"),
                         "17         Lo      1.0 Full Span" + kZeros}));
}

TEST(LoadSections, AxisCodesOfPointDistributedAndPropertyLoads) {
  const Sections t{
      // Point loads: 1 is global, any other whole number local (0.5 and 1.5 round to the even 0
      // and 2); blank (or the marker) is 1.
      "EP,1,1", "EP,2,0", "EP,3,-1", "EP,4,2", "EP,5", "EP,6,0.5", "EP,7,1.5", "EP,8,-10101", "EP,9,1.4",
      // Distributed loads: 1 global, 2 local, other non-zero codes GP, 0 (and blank) not listed.
      "ED,1,1", "ED,2,2", "ED,3,3", "ED,4,-1", "ED,5,0", "ED,6", "ED,7,2.5", "ED,8,-2", "UDL,9,0,-1", "UDL,1,0,-1,0,2",
      "UDL,2,0,-1,0,0", "UDL,3,,,,3",
      // By code: the last direction's sign decides, 0 counting as global; -3..3 only; no intensity is 0.
      "PUDL,1,-2,-200", "PUDL,1,0,5", "PUDL,2,3,9", "PUDL,2,-1,4", "PUDL,3,4,1", "PUDL,3,-3,0", "PUDL,4,-4,7",
      "PUDL,4,-3,6", "PUDL,4,-2"};
  EXPECT_EQ(t.Axes("*** BEAM ELEMENT POINT LOADS ***"),
            (Lines{"1 Gl", "2 Lo", "3 Lo", "4 Lo", "5 Gl", "6 Lo", "7 Lo", "8 Gl", "9 Gl"}));
  EXPECT_EQ(t.Axes("*** BEAM ELEMENT DISTRIBUTED LOADS ***"),
            (Lines{"1 Gl", "2 Lo", "3 GP", "4 GP", "7 Lo", "8 GP", "9 Gl", "1 Lo", "3 GP"}));
  EXPECT_EQ(SectionRows(t.lines, "*** UDL LOADING BY GEOMETRIC PROPERTY CODE ***", 1),
            (Lines{" 1    G   0.000E+00 -2.000E+02  0.000E+00", " 2    GP  4.000E+00  0.000E+00  9.000E+00",
                   " 4    GP  0.000E+00  0.000E+00  6.000E+00"}));
  // Every distributed load line counts, listed or not.
  EXPECT_EQ(t.lc.pointLoads.count, 9);
  EXPECT_EQ(t.lc.distributedLoads.count, 12);
}

TEST(LoadSections, TemperatureAndPressureLinesGivingSomeOfTheirValues) {
  const Sections t{"TEPR,1,,2", "TEPR,2,,,5", "TEPR,3,,,,1.5", "TEPR,4,,,0", "TEPR,5", "TEPR,6,60", "TEPR,7,-10101,3",
                   "TEPR,8,20,,-10101", "PTEMP,1,40", "PPRESS,2,100", "PPRESS,3,,50", "PTEMP,4", "PPRESS,4,-10101,7"};
  // An external pressure alone, or an opposite-surface temperature of 0 alone,
  // counts as a definition but gives no row; a blank opposite temperature is the temperature.
  auto tepr = [](const std::string& label, const char* t, const char* ip, const char* opposite) {
    return PadTo(label, 7) + t + ip + "     0.000E+00" + opposite;
  };
  const char *t0 = "          0.00", *p0 = "     0.000E+00";
  EXPECT_EQ(SectionRows(t.lines, "*** TEMPERATURE &  INT. PRESSURE LOADING ***", 1),
            (Lines{tepr("1", t0, "     2.000E+00", t0), tepr("2", t0, p0, "          5.00"),
                   tepr("6", "         60.00", p0, "         60.00"), tepr("7", t0, "     3.000E+00", t0),
                   tepr("8", "         20.00", p0, "         20.00")}));
  EXPECT_EQ(t.lc.elementTempPressCount, 7);
  // By code: a temperature or an internal pressure gives a row, an external pressure alone none.
  EXPECT_EQ(SectionRows(t.lines, "*** PRESSURE & TEMP LOADING BY GEOMETRIC PROPERTY CODE ***", 1),
            (Lines{" 1             40.00     0.000E+00     0.000E+00", " 2              0.00     1.000E+02     0.000E+00"}));
}
