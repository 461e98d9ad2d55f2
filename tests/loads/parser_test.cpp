// The load case line parser: fields, defaults, text lines, comments,
// acceptance tests and the failures it raises.
#include <gtest/gtest.h>

#include "loads/comment_file.h"
#include "loads/load_test_support.h"

using namespace orvant;
using namespace orvant::testing;

namespace {

std::string Padded(const std::string& text, size_t width) { return text + std::string(width - text.size(), ' '); }

}  // namespace

TEST(LoadCaseFields, BlankReachedAndEmptyFields) {
  float f[21];
  std::string keyword;
  std::string line = "ND,12,0.001, , ,-10101,2E1";
  EXPECT_EQ(SplitFields(line, keyword, f), 6);
  EXPECT_EQ(keyword, "ND");
  EXPECT_EQ(line, "ND,12,0.001, , ,-10101,2E1,");
  EXPECT_EQ(f[1], 12.0f);
  EXPECT_EQ(f[2], 0.001f);
  EXPECT_EQ(f[3], NoValue);  // exactly one blank
  EXPECT_EQ(f[5], NoValue);  // written as the marker itself
  EXPECT_EQ(f[6], 20.0f);
  for (int i = 7; i <= 20; ++i) EXPECT_EQ(f[i], NoValue) << i;  // not reached

  // An empty piece (the appended comma after a trailing one) reads as 0;
  // text that is no number reads as 0; two blanks are not a blank field.
  line = "NF,5,abc,  ,";
  EXPECT_EQ(SplitFields(line, keyword, f), 4);
  EXPECT_EQ(f[2], 0.0f);
  EXPECT_EQ(f[3], 0.0f);
  EXPECT_EQ(f[4], 0.0f);
  EXPECT_EQ(f[5], NoValue);

  line = "ND";
  EXPECT_EQ(SplitFields(line, keyword, f), 0);
  EXPECT_EQ(keyword, "ND");
}

TEST(LoadCaseFields, TwentyFieldsFitATwentyFirstIsAnIndexError) {
  float f[21];
  std::string keyword;
  std::string twenty = "ESTR";
  for (int i = 1; i <= 20; ++i) twenty += "," + std::to_string(i);
  std::string line = twenty;
  EXPECT_EQ(SplitFields(line, keyword, f), 20);
  EXPECT_EQ(f[20], 20.0f);
  line = twenty + ",21";
  EXPECT_THROW(SplitFields(line, keyword, f), IndexFault);
  // A trailing comma after twenty fields makes a 22nd piece.
  line = twenty + ",";
  EXPECT_THROW(SplitFields(line, keyword, f), IndexFault);

  LoadContext t;
  EXPECT_THROW(t.Parse("ND,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1"), IndexFault);
  EXPECT_THROW(t.Parse("ND,1" + std::string(20, ',')), IndexFault);  // 19 filled and one empty
}

TEST(LoadCaseParser, BlankAndUnreachedFieldsTakeTheKeywordDefaults) {
  LoadContext t;
  LoadCaseRecord& r = t.record();
  t.Parse("ND,12,0.001,,,0,0,0");
  t.Parse("ND,12,1");
  ASSERT_EQ(r.prescribedDisplacements.count, 2);
  const PrescribedDisplacement& a = r.prescribedDisplacements.entries[1];
  EXPECT_EQ(a.node, 12);
  EXPECT_EQ(a.value[1], 0.001f);
  EXPECT_EQ(a.value[2], 0.0f);
  EXPECT_EQ(a.value[3], 0.0f);
  const PrescribedDisplacement& b = r.prescribedDisplacements.entries[2];
  EXPECT_EQ(b.value[1], 1.0f);
  for (int j = 2; j <= 6; ++j) EXPECT_EQ(b.value[j], 0.0f);

  t.Parse("NF,5,1000,0,0,0,0,0,");
  t.Parse("NF,6,,,,,,,12.5");
  ASSERT_EQ(r.nodalLoads.count, 2);
  EXPECT_EQ(r.nodalLoads.entries[1].value[1], 1000.0f);
  EXPECT_EQ(r.nodalLoads.entries[1].mass, 0.0f);
  EXPECT_EQ(r.nodalLoads.entries[2].mass, 12.5f);

  t.Parse("ED,7");
  t.Parse("UDL,7,0,-2.5,0");
  ASSERT_EQ(r.distributedLoads.count, 2);
  const DistributedLoad& ed = r.distributedLoads.entries[1];
  EXPECT_EQ(ed.axes, 0);
  EXPECT_EQ(ed.startLength, 1.0f);
  EXPECT_EQ(ed.finishLength, 0.0f);
  EXPECT_EQ(ed.wy1, 0.0f);
  const DistributedLoad& udl = r.distributedLoads.entries[2];
  EXPECT_EQ(udl.axes, 1);
  EXPECT_EQ(udl.startLength, 0.0f);
  EXPECT_EQ(udl.finishLength, 0.0f);
  EXPECT_EQ(udl.wx1, 0.0f);
  EXPECT_EQ(udl.wy1, -2.5f);
  EXPECT_EQ(udl.wy2, -2.5f);
  EXPECT_EQ(udl.wz2, 0.0f);

  // A trailing comma ends the line with an empty field, 0 and not blank:
  // the start length is 0, not its default 1.0.
  t.Parse("ED,8,2,");
  t.Parse("ED,8,2,,");
  EXPECT_EQ(r.distributedLoads.entries[3].startLength, 0.0f);
  EXPECT_EQ(r.distributedLoads.entries[4].startLength, 1.0f);
  EXPECT_EQ(r.distributedLoads.entries[4].axes, 2);

  // -10101 is the no-value marker: position 0, and a blank axes field 1.
  t.Parse("EP,9,1,-10101,5");
  t.Parse("EP,9,,2.5");
  ASSERT_EQ(r.pointLoads.count, 2);
  EXPECT_EQ(r.pointLoads.entries[1].position, 0.0f);
  EXPECT_EQ(r.pointLoads.entries[1].value[1], 5.0f);
  EXPECT_EQ(r.pointLoads.entries[2].axes, 1);
  EXPECT_EQ(r.pointLoads.entries[2].position, 2.5f);

  // Blank face and kind are 1; a solid element only.
  t.Parse("FP,30,,,100");
  t.Parse("FP,29,1,1,100");
  ASSERT_EQ(r.faceLoads.count, 1);
  EXPECT_EQ(r.faceLoads.entries[1].face, 1);
  EXPECT_EQ(r.faceLoads.entries[1].faceKind, 1);
  EXPECT_EQ(r.faceLoads.entries[1].value[1], 100.0f);

  // Acceleration blanks are 0; the saved centre of force keeps the marker.
  t.Parse("ACCEL,,-9.81");
  EXPECT_EQ(r.acceleration[0], 0.0f);
  EXPECT_EQ(r.acceleration[1], -9.81f);
  EXPECT_EQ(r.acceleration[2], 0.0f);
  t.Parse("COF,1,2");
  EXPECT_EQ(r.centreOfForce[2], 2.0f);
  EXPECT_EQ(r.centreOfForce[3], NoValue);
  EXPECT_EQ(r.centreOfForce[9], NoValue);

  t.Parse("NT,3,25");
  t.Parse("NT,4");
  ASSERT_EQ(r.nodalTemperatures.count, 2);
  EXPECT_EQ(r.nodalTemperatures.entries[1].temperature, 25.0f);
  EXPECT_EQ(r.nodalTemperatures.entries[2].temperature, 0.0f);
}

TEST(LoadCaseParser, KeywordsMatchInAnyCaseButExactly) {
  LoadContext t;
  LoadCaseRecord& r = t.record();
  t.Parse("nd,3,1");
  ASSERT_EQ(r.prescribedDisplacements.count, 1);
  EXPECT_EQ(r.prescribedDisplacements.entries[1].node, 3);
  t.Parse(" ND,3,1");
  t.Parse("ND ,3,1");
  t.Parse("NDX,3,1");
  t.Parse("");
  t.Parse("ND");  // node blank: out of range
  EXPECT_EQ(r.prescribedDisplacements.count, 1);
}

TEST(LoadCaseParser, OutOfRangeEntitiesAreDroppedWhole) {
  LoadContext t;
  LoadCaseRecord& r = t.record();
  t.Parse("ND,0,1");
  t.Parse("ND,21,1");
  t.Parse("NF,-3,1");
  t.Parse("EP,31,1");
  t.Parse("UDL,25,1");  // ElemNode1 = ElemNode2: undefined element
  t.Parse("UDL,24,1");
  t.Parse("TEPR,31,50");
  t.Parse("PTEMP,6,40");
  t.Parse("PPRESS,0,1");
  EXPECT_EQ(r.prescribedDisplacements.count, 0);
  EXPECT_EQ(r.nodalLoads.count, 0);
  EXPECT_EQ(r.pointLoads.count, 0);
  EXPECT_EQ(r.distributedLoads.count, 1);
  EXPECT_EQ(r.distributedLoads.entries[1].element, 24);
  EXPECT_EQ(r.elementTempPressCount, 0);
  EXPECT_EQ(r.propertyTempPressGiven, 0);
  // 0.5 rounds to the even neighbour 0; 1.5 to 2.
  t.Parse("ND,0.5,1");
  t.Parse("ND,1.5,1");
  ASSERT_EQ(r.prescribedDisplacements.count, 1);
  EXPECT_EQ(r.prescribedDisplacements.entries[1].node, 2);
  // Whole numbers beyond 16 bits overflow.
  EXPECT_THROW(t.Parse("ND,40000,1"), RunFault);
  EXPECT_THROW(t.Parse("EP,3,70000"), RunFault);
}

TEST(LoadCaseParser, CountsPastTheCapacityAreIndexErrors) {
  LoadContext t;
  LoadCaseRecord& r = t.record();
  ASSERT_EQ(r.capacity, 504);  // LoadItemCapacity 502 + 2
  for (int i = 1; i <= 504; ++i) t.Parse("NF,1,1");
  EXPECT_EQ(r.nodalLoads.count, 504);
  EXPECT_THROW(t.Parse("NF,1,1"), IndexFault);
  for (int i = 1; i <= 504; ++i) t.Parse("ED,1,1");
  EXPECT_THROW(t.Parse("UDL,1,1"), IndexFault);
}

TEST(LoadCaseParser, TextLinesTakeTheirCharacterPositions) {
  LoadContext t;
  LoadCaseRecord& r = t.record();
  t.Parse("LDESC Frame under wind   ");
  EXPECT_EQ(r.description, "Frame under wind");
  r.description.clear();
  t.Parse("LDESC,Frame under wind");
  EXPECT_EQ(r.description, "Frame under wind");
  t.Parse("ldesc Lower Case Kept");
  EXPECT_EQ(r.description, "Lower Case Kept");
  std::string seventy(70, 'x');
  for (int i = 0; i < 70; ++i) seventy[i] = static_cast<char>('A' + i % 26);
  t.Parse("LDESC " + seventy);
  EXPECT_EQ(r.description, seventy.substr(0, 55));
  t.Parse("LDESC");
  EXPECT_EQ(r.description, "");

  t.Parse("LDATE 12/03/2025");
  t.Parse("LTIME 08:15:00  ");
  t.Parse("SCASE Second line, with commas,,");
  t.Parse("AMBT 20.5");
  t.Parse("AMBTX");
  EXPECT_EQ(r.dateText, "12/03/2025");
  EXPECT_EQ(r.timeText, "08:15:00");
  EXPECT_EQ(r.scaseText, "Second line, with commas,,");
  EXPECT_EQ(r.ambientTemperature, 0.0f);
  t.Parse("AMBT=21");
  EXPECT_EQ(r.ambientTemperature, 21.0f);
}

TEST(LoadCaseParser, HeaderOnlyModeTakesTextLinesAndComments) {
  LoadContext t;
  LoadCaseRecord& r = t.record();
  t.Parse("ND,3,1", 1);
  t.Parse("LDESC Header only", 1);
  t.Parse("COM Still written", 1);
  EXPECT_EQ(r.prescribedDisplacements.count, 0);
  EXPECT_EQ(r.description, "Header only");
  EXPECT_EQ(r.commentCounter, 1);
  EXPECT_EQ(ReadCommentRecord(*t, 1), Padded("Still written", 100));
}

TEST(LoadCaseParser, CommentsAreNumberedAndCarriedByTheNextEntries) {
  LoadContext t;
  LoadCaseRecord& r = t.record();
  t.Parse("ND,1,1");
  t.Parse("COM Wind from north   ");
  t.Parse("ND,2,1");
  t.Parse("com second");
  t.Parse("NF,2,1");
  t.Parse("TEPR,4,30");
  t.Parse("UDL,4,1");
  EXPECT_EQ(r.commentCounter, 2);
  EXPECT_EQ(r.prescribedDisplacements.entries[1].commentNo, 0);
  EXPECT_EQ(r.prescribedDisplacements.entries[2].commentNo, 1);
  EXPECT_EQ(r.nodalLoads.entries[1].commentNo, 2);
  EXPECT_EQ(r.elementTempPress[4].commentNo, 2);
  EXPECT_EQ(r.distributedLoads.entries[1].commentNo, 0);  // UDL carries none
  EXPECT_EQ(ReadCommentRecord(*t, 1), Padded("Wind from north", 100));
  EXPECT_EQ(ReadCommentRecord(*t, 2), Padded("second", 100));

  // A comment text is examined as a line in its own right.
  t.Parse("COM LDESC From a comment");
  EXPECT_EQ(r.description, "From a comment");
  EXPECT_EQ(ReadCommentRecord(*t, 3), Padded("LDESC From a comment", 100));
  // Cut at 100 characters; a bare COM is an empty comment.
  t.Parse("COM " + std::string(120, 'c'));
  EXPECT_EQ(ReadCommentRecord(*t, 4), std::string(100, 'c'));
  t.Parse("COM");
  EXPECT_EQ(r.commentCounter, 5);
  EXPECT_EQ(ReadCommentRecord(*t, 5), std::string(100, ' '));
}

TEST(LoadCaseParser, TemperaturePressureByElementReplacesAndCounts) {
  LoadContext t;
  LoadCaseRecord& r = t.record();
  t.Parse("TEPR,8,60");
  EXPECT_EQ(r.elementTempPressCount, 1);
  EXPECT_EQ(r.elementTempPress[8].temperature, 60.0f);
  EXPECT_EQ(r.elementTempPress[8].oppositeTemperature, 60.0f);
  t.Parse("TEPR,8,,2,,1.5");
  EXPECT_EQ(r.elementTempPressCount, 2);  // replaced, counted again
  EXPECT_EQ(r.elementTempPress[8].temperature, 0.0f);
  EXPECT_EQ(r.elementTempPress[8].intPressure, 2.0f);
  EXPECT_EQ(r.elementTempPress[8].extPressure, 1.5f);
  EXPECT_EQ(r.elementTempPress[8].oppositeTemperature, 0.0f);
  t.Parse("TEPR,9");  // nothing given: stored, not counted
  EXPECT_EQ(r.elementTempPressCount, 2);
  t.Parse("TEPR,9,10,,40");
  EXPECT_EQ(r.elementTempPressCount, 3);
  EXPECT_EQ(r.elementTempPress[9].oppositeTemperature, 40.0f);
}

TEST(LoadCaseParser, PropertyCodeLoads) {
  LoadContext t;
  LoadCaseRecord& r = t.record();
  t.Parse("PUDL,4,-4,1");  // direction outside -3..3
  t.Parse("PUDL,6,1,1");   // code beyond the count
  t.Parse("PUDL,4");       // blank direction
  EXPECT_EQ(r.propertyUdlGiven, 0);
  t.Parse("PUDL,4,2,-5000");
  EXPECT_EQ(r.propertyUdl[4].axesCode, 1);
  t.Parse("PUDL,4,-2,-200");
  t.Parse("PUDL,4,3,9");
  t.Parse("PUDL,4,-1");
  EXPECT_EQ(r.propertyUdlGiven, 1);
  EXPECT_EQ(r.propertyUdl[4].axesCode, 3);  // the last line's direction was negative
  EXPECT_EQ(r.propertyUdl[4].udl[1], 0.0f);
  EXPECT_EQ(r.propertyUdl[4].udl[2], -200.0f);
  EXPECT_EQ(r.propertyUdl[4].udl[3], 9.0f);

  t.Parse("PTEMP,2,40");
  t.Parse("PPRESS,2,,3");
  EXPECT_EQ(r.propertyTempPressGiven, 1);
  EXPECT_EQ(r.propertyTempPress[2].temperature, 40.0f);
  EXPECT_EQ(r.propertyTempPress[2].intPressure, 0.0f);
  EXPECT_EQ(r.propertyTempPress[2].extPressure, 3.0f);
}

TEST(LoadCaseParser, InterpretedCommandsKeepTheSplitLine) {
  LoadContext t;
  LoadCaseRecord& r = t.record();
  t.Parse("ESTR,12,0.001");
  t.Parse("sefo,1,,2");
  t.Parse("SEFO,123456,1.23456789");
  t.Parse("CDISP,5");
  ASSERT_EQ(r.interpretedElementCommands.count, 3);
  EXPECT_EQ(r.interpretedElementCommands.lines[1], "ESTR,12,0.001,      ");
  EXPECT_EQ(r.interpretedElementCommands.lines[2], "SEFO,1, ,2,         ");
  EXPECT_EQ(r.interpretedElementCommands.lines[3], "SEFO,123456,1.234567");
  ASSERT_EQ(r.interpretedCoupleCommands.count, 1);
  EXPECT_EQ(r.interpretedCoupleCommands.lines[1], Padded("CDISP,5,", 20));

  // From the 100th line on the 100th slot is overwritten; 99 are counted.
  for (int i = 2; i <= 105; ++i) t.Parse("CFACT," + std::to_string(i));
  EXPECT_EQ(r.interpretedCoupleCommands.count, 99);
  EXPECT_EQ(r.interpretedCoupleCommands.lines[99], Padded("CFACT,99,", 20));
  EXPECT_EQ(r.interpretedCoupleCommands.lines[100], Padded("CFACT,105,", 20));
}
