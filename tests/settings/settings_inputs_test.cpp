// The small inputs that fill the run settings: the option string, config.ini and the model size file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/faults.h"
#include "settings/run_settings.h"
#include "settings/settings_inputs.h"
#include "support/settings_summary.h"

using namespace orvant;
using orvant::testing::Summary;
using Ints = std::vector<int>;

namespace {

std::string Options(const std::string& commandLine) {
  RunSettings s;
  s.ModelPath = "D:\\JOBS\\BEAM1";
  std::string field1;
  try {
    ParseCommandLine(s, commandLine, field1);
    DeriveOptionSettings(s, field1);
  } catch (const RunFault&) {
    return "fail";
  }
  const bool beside = s.ListingPath.rfind(s.ModelPath, 0) == 0;  // the listing path less the model path
  return Summary(s) + "|" + (beside ? s.ListingPath.substr(s.ModelPath.size()) : s.ListingPath);
}

}  // namespace

TEST(OptionString, Fields) {
  const std::string head = "1/1/1/1/0/1/1/1/1/1/0/", flags = "1 0 1 1 1 0 1 1 1 1 1 0 |", mtm = "||||.MTM";
  const std::string plain = "|0 1 0 0 0" + mtm, defaults = "0 0 1 1 1 0 1 1 1 1 1 0 |" + plain;
  const std::pair<std::string, std::string> cases[] = {
      {head, flags + plain}, {"1/0", flags + plain}, {"1/99999", flags + plain},  // text after the last slash is lost
      {"", defaults}, {"x/", defaults}, {"-0/", "0 1 1 1 1 0 1 1 1 1 1 0 |" + plain},
      {"-1/2.5/", "1 1 2 1 1 0 1 1 1 1 1 0 |" + plain}, {"0/3.5/", "0 0 4 1 1 0 1 1 1 1 1 0 |" + plain},
      {"1/-2.5/", "1 0 -2 1 1 0 1 1 1 1 1 0 |" + plain},
      {"-2/0/0/0/1/0/0/0/0/0/1/ 3 /-4/1/ abc /7/9/99/", "2 1 0 0 0 1 0 0 0 0 0 1 | 3 |-4 4 1 1 0|.abc|7|9|.abc.MTM"},
      {head + "/32767/", flags + "|32767 1 0 0 0" + mtm}, {head + "/-3/", flags + "|-3 3 1 0 0" + mtm},
      {head + "///NoNe/", flags + plain}, {head + "///  ABC  /", flags + "|0 1 0 0 0|.ABC|||.ABC.MTM"},
      {head + " - /", flags + " - |0 1 0 0 1" + mtm}, {head + "-1/", flags + "-1|0 1 0 0 0" + mtm},
      {head + "//// 12/  7/", flags + "|0 1 0 0 0||12|7|.MTM"}, {"1/32768/", "fail"}, {head + "/-40000/", "fail"},
  };
  for (const auto& [line, want] : cases) EXPECT_EQ(Options(line), want) << line;
}

TEST(ConfigAndModelSize, FloorsOverflowAndUnquotedCommas) {
  RunSettings s;
  ReadConfig(s, "\"Items\",300\r\n\"a\",1\r\n\"b\",2\r\n\"c\",3\r\n\"d\",4\r\n\"Max\",50\r\n", "config.ini");
  EXPECT_EQ(Ints({s.LoadItemCapacity, s.MaxLoadLabel}), Ints({302, 50}));
  EXPECT_THROW(ReadConfig(s, "Items,32766\nA,0\nB,0\nC,0\nD,0\nMax,500\n", "config.ini"), RunFault);
  EXPECT_THROW(ReadConfig(s, "Items,100\nA,0\nB,0\n", "config.ini"), RunFault);
  // An unquoted comma cuts a text and shifts the values after it.
  ReadModelSize(s, "X\nFRAME\nFirst, second\nunits\ndate\ntime\n5\n0\n8\n0\n1\n1\n0\na\nb\nc\nd\ne\n2\n", "F.XSZ");
  EXPECT_EQ(s.AnalysisDescription + "|" + s.DefinitionUnits + "|" + s.TimeCreated, "First|second|date");
  EXPECT_EQ(Ints({s.MaxElementLabel, s.MaxSpringLabel, s.RestrainedNodeCount, s.ImperialUnits}), Ints({0, 5, 8, 2}));
}
