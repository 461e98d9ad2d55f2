// The listing writer: print position, advances, zones, rule line, CR LF and
// the buffered file.
#include <gtest/gtest.h>

#include "listing/listing.h"
#include "run/faults.h"
#include "support/model_builder.h"

using namespace orvant;
using namespace orvant::testing;

TEST(ListingLine, AdvanceToColumnAndPrintZones) {
  Listing l;
  l.Text("12345678901234").Column(12).Text("x").End();
  l.Text("abc").Column(4).Text("d").Column(4).Text("e").End();
  std::string label(35, 'L');
  l.Text(label).NextZone().Int(7).End();
  l.Text("ab").NextZone().Text("z").End();
  l.Text(std::string(14, 'a')).NextZone().Text("z").End();
  l.End();
  EXPECT_EQ(l.buffer,
            "12345678901234\r\n           x\r\n"
            "abcd\r\n   e\r\n" +
                label + std::string(7, ' ') + " 7 \r\n"
                "ab            z\r\n" +
                std::string(14, 'a') + "              z\r\n"
                "\r\n");
  // The number's leading blank of the zone example stands in column 43.
  EXPECT_EQ(l.buffer.find(" 7 ") - l.buffer.find(label), 42u);
}

TEST(ListingLine, RuleLineAndPositionAfterItems) {
  Listing l;
  l.Text("=");
  EXPECT_EQ(l.column, 2);
  l.End();
  EXPECT_EQ(l.column, 1);
  l.Rule();
  EXPECT_EQ(l.buffer, "=\r\n" + std::string(105, '=') + "\r\n");
  l.buffer.clear();
  l.Int(-12).Int(0).Digits(-3).Field(1.5f, "0.00", 6);
  EXPECT_EQ(l.buffer, "-12  0 -3  1.50");
  EXPECT_EQ(l.column, 16);
}

TEST(ListingFile, BufferedWritesKeepALineBeingBuilt) {
  TempDir dir;
  std::string path = dir.path + "/OUT.MTM";
  Listing l;
  l.Open(path);
  std::string big(70000, 'x');
  l.Line(big);
  l.Text("unfinished");
  EXPECT_TRUE(l.Close());
  EXPECT_EQ(ReadFileText(path), big + "\r\nunfinished");
}

TEST(ListingFile, CreatingInAMissingDirectoryFails) {
  Listing l;
  EXPECT_THROW(l.Open("/nonexistent-dir-for-test/X.MTM"), RunFault);
}
