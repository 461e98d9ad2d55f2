// Load sections filled by parsing load lines: units, labels, axis texts, dropped rows, temperatures.
#include <gtest/gtest.h>

#include "loads/load_sections.h"
#include "loads/load_test_support.h"

using namespace orvant;
using namespace orvant::testing;
using Lines = std::vector<std::string>;

namespace {

// A context of labels up to 12345 holding the parsed lines.
struct Sections : LoadContext {
  explicit Sections(std::initializer_list<const char*> loadLines) : LoadContext(12345, 12345) {
    for (const char* line : loadLines) Parse(line);
  }
  // The listed lines without titles, column headings and empty lines.
  Lines Rows() const {
    Lines lines = Listed(), rows;
    for (size_t i = 0; i < lines.size(); ++i)
      if (!lines[i].empty() && lines[i].rfind("***", 0) && (i < 2 || lines[i - 2].rfind("***", 0)))
        rows.push_back(lines[i]);
    return rows;
  }
};

const std::string kE0 = "  0.000E+00", kE1 = "  1.000E+00", kZeros = Repeat(kE0, 6), kOne = kE1 + Repeat(kE0, 5);

}  // namespace

TEST(LoadSections, ImperialUnitRowsAndValues) {
  Sections t{"ND,7,0.002,-0.0125,0,0.001234,0,-0.5", "NF,5,1000,-2500,0,0,123456,-0.4,12.5", "EP,15,1,2.5,0,-10000",
             "ED,21,2,0.5,3.0,0,0,-1000,-3000,0,0", "FP,30,-2,3,100,-2500,0,1.5", "PUDL,4,-3,-200"};
  t->settings.ConvertedUnits = t->settings.ImperialUnits = 1;
  WriteLoadSections(t->settings, t->model, t.Parsed(), t->comments, t->listing, t->files);
  const std::string kips = "kips       kips       kips       kip-ins    kip-ins   kip-ins";
  // The mass is never converted; intensities, pressures and PUDL are shown as stored.
  EXPECT_EQ(t.Rows(), (Lines{
      "                  ins         ins        ins        Rad         Rad       Rad",
      "7          " "       0.00" "      -0.01" "       0.00" "    0.00123" "    0.00000" "   -0.50000",
      "                 " + kips,
      "5          " "       1.00" "      -2.50" "       0.00" "       0.00" "     123.46" "       0.00" "  1.250E+01",
      "                          " + kips,
      "15         Gl" "    2.5" "       0.00" "     -10.00" "       0.00" "       0.00" "       0.00" "       0.00",
      "                                      lbs/ins   lbs/ins    lbs/ins   lbs/ins    lbs/ins    lbs/ins",
      "21         Lo      0.5      3.0 " "       0.00" "       0.00" "   -1000.00" "   -3000.00" "       0.00"
      "       0.00",
      "                            Lbs/       Lbs/       Lbs/       Lbs/ ",
      "30         2   3   " "     100.00" "   -2500.00" "       0.00" "       1.50",
      " 4    GP" "      0.000" "      0.000" "   -200.000"}));
}

TEST(LoadSections, LongLabelsAxisTextsAndLengths) {
  Sections t{"ND,1234,1", "ND,12345,1", "EP,12345,1,1.5", "EP,1234,2,1.5", "EP,16,1,12.3456", "EP,17,2,0",
             "EP,18,0,100", "EP,19,-1,0.25", "EP,20,3,999.9994", "UDL,10000", "ED,22,5,1.23456,10.5,1", "ED,24,-1",
             "ED,26,3,0,123.4567", "PUDL,3,1,1500", "PUDL,4,-3,-200", "TEPR,1234,20,,20,1", "NT,12345,1234567.5",
             "NT,4,12345678", "NT,10,-0.25"};
  ModelTables& m = t->model;
  m.NodeGroup[1234] = m.NodeGroup[12345] = m.ElementGroup[12345] = m.ElementGroup[10000] = 12345;
  m.ElementGroup[1234] = 17170;
  m.ElementGroup[16] = m.NodeGroup[4] = 1;
  m.ElementGroup[22] = 6;
  WriteLoadSections(t->settings, t->model, t.Parsed(), t->comments, t->listing, t->files);
  // Labels longer than their column end the line; nodal temperature labels
  // are cut at 10, and a value wider than its field loses its leading digits.
  EXPECT_EQ(t.Rows(), (Lines{
      "1234-G12345" + kOne, "12345-G12345", Repeat(" ", 11) + kOne,
      "12345-G12345", "           Gl    1.5" + kZeros, "1234-G17170Lo    1.5" + kZeros,
      "16-G1      Gl 12.346" + kZeros, "17         Lo      ." + kZeros, "18         Lo   100." + kZeros,
      "19         Lo    .25" + kZeros, "20         Lo999.999" + kZeros,
      "10000-G12345", "           Gl      0.0 Full Span" + kZeros, "22-G6      GP    1.235     10.5 " + kOne,
      "24         GP      1.0 Full Span" + kZeros, "26         GP      0.0  123.457 " + kZeros,
      " 3    G   1.500E+03  0.000E+00  0.000E+00", " 4    GP  0.000E+00  0.000E+00 -2.000E+02",
      "1234-G17170", "      " "         20.00" "     0.000E+00" "     1.000E+00" "         20.00",
      "12345-G123" "1234567.50" "    " "4-G1      " "2345678.00" "    " "10        " "     -0.25" "    "}));
}

TEST(LoadSections, DroppedRowsAndTheirComments) {
  Sections t{"COM one", "NF,8,1", "COM two", "NF,8,1", "NF,5,1", "NF,6,1", "ND,8,1", "EP,25,1,1", "EP,15,1,2.5",
             "ED,25,1", "ED,23", "ED,17,2", "PUDL,2,0,7", "TEPR,8,,,,1.5"};
  t->model.NodeExists[8] = 0;
  WriteLoadSections(t->settings, t->model, t.Parsed(), t->comments, t->listing, t->files);
  // A prescribed displacement on a missing node is listed; the comment of a
  // dropped row goes to the next row that carries it.
  EXPECT_EQ(t.Rows(), (Lines{Record("two"), "8          " + kOne, Record("two"), "5          " + kOne,
                             "6          " + kOne, Record("two"), "15         Gl    2.5" + kZeros, Record("two"),
                             "17         Lo      1.0 Full Span" + kZeros}));
}

TEST(LoadSections, NodalTemperaturesFourToALine) {
  auto entry = [](int node, const std::string& value) { return PadTo(std::to_string(node), 11) + value + "    "; };
  Sections t{"NT,1,20.5", "NT,2,41", "NT,3,61.5", "NT,4,82", "NT,5,102.5"};
  const std::string first =
      entry(1, "     20.50") + entry(2, "     41.00") + entry(3, "     61.50") + entry(4, "     82.00");
  WriteNodalTemperatures(t->model, t.Parsed(), t->listing);
  EXPECT_EQ(t.Rows(), (Lines{first, entry(5, "    102.50")}));
  EXPECT_EQ(t->listing.Pending().substr(t->listing.Pending().size() - 8), "50    \r\n");

  // Eight: two full lines, then an empty line.
  for (const char* line : {"NT,6", "NT,7", "NT,8"}) t.Parse(line);
  t->listing.Discard();
  WriteNodalTemperatures(t->model, t.Parsed(), t->listing);
  EXPECT_EQ(t.Rows(), (Lines{first, entry(5, "    102.50") + entry(6, "      0.00") +
                                        entry(7, "      0.00") + entry(8, "      0.00")}));
  EXPECT_EQ(t->listing.Pending().substr(t->listing.Pending().size() - 12), "0.00    \r\n\r\n");
}
