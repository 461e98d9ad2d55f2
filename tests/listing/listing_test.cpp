// The listing writer: lines, columns, zones and the file written block by block.
#include <gtest/gtest.h>

#include <memory>

#include "listing/listing.h"
#include "base/faults.h"
#include "support/model_builder.h"
#include "support/number_strings.h"

using namespace orvant;
using namespace orvant::testing;
using Lines = std::vector<std::string>;

TEST(ListingLine, AdvanceToColumnAndPrintZones) {
  Listing l;
  l.Text("12345678901234").Column(12).Text("x").End();    // beyond: a new line
  l.Text("abc").Column(4).Text("d").Column(4).Text("e").End();
  l.Text(std::string(35, 'L')).NextZone().Int(7).End();  // next zone at column 43
  l.Text("ab").NextZone().Text("z").End();
  l.Text(std::string(14, 'a')).NextZone().Text("z").End();  // exactly at a zone: the next one
  l.Int(-12).Digits(-3).Field(1.5f, "0.00", 6).Column(14).Text("|").End();  // the column follows every item
  l.Rule();
  EXPECT_EQ(ListingLines(l.Pending()), (Lines{"12345678901234", "           x", "abcd", "   e",
                                           std::string(35, 'L') + std::string(7, ' ') + " 7 ",
                                           "ab            z", std::string(14, 'a') + std::string(14, ' ') + "z",
                                           "-12 -3  1.50 |", std::string(105, '=')}));
}

TEST(ListingFile, BlocksWrittenInOrderWithALineBeingBuiltAndFailuresReported) {
  TempDir dir;
  WriteFile(dir.path + "/OUT.MTM", std::string(4000000, '#'));  // an old, longer listing goes
  Listing l;
  l.Open(dir.path + "/OUT.MTM");
  std::string want;
  l.Line(std::string(1500000, 'x'));  // more than the buffer holds
  want += std::string(1500000, 'x') + "\r\n";
  for (int i = 0; i < 100000; ++i) {  // many blocks
    l.Int(i).Field(static_cast<float>(i) / 8, "#####0.000", 12).End();
    want += " " + std::to_string(i) + " " + FormatRight(static_cast<float>(i) / 8, "#####0.000", 12) + "\r\n";
  }
  l.Text("unfinished");
  EXPECT_TRUE(l.Close());
  const std::string written = ReadFileText(dir.path + "/OUT.MTM");
  EXPECT_TRUE(written == want + "unfinished") << written.size() << " bytes for " << want.size() + 10;
  EXPECT_THROW(Listing().Open(dir.path + "/no-such-dir/X.MTM"), RunFault);
  // A device that takes nothing: a later block reports the failed write,
  // and so does the close.
  Listing full;
  full.Open("/dev/full");
  EXPECT_THROW(for (int i = 0; i < 1000; ++i) full.Line(std::string(10000, 'x')), RunFault);
  EXPECT_FALSE(full.Close());
  Listing dropped;  // opened twice, never closed: the first file is finished, the writer still stops
  dropped.Open(dir.path + "/FIRST.MTM");
  dropped.Line("first");
  dropped.Open(dir.path + "/DROPPED.MTM");
  dropped.Line(std::string(200000, 'y'));
  EXPECT_EQ(ReadFileText(dir.path + "/FIRST.MTM"), "first\r\n");
}
