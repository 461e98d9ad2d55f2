// Fuzz target: ParseLoadCaseLine and SplitFields. The first bytes choose the
// model's label maxima and the header-only mode; the rest is a load case
// file, parsed line by line as the reader does until a line fails. Counts
// stay within the record's tables, and SplitFields leaves every field it
// does not reach blank.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "loads/load_case.h"
#include "loads/load_case_reader.h"
#include "loads/load_cases.h"
#include "base/faults.h"
#include "run/run_context.h"
#include "support/reference_split.h"
#include "support/split_check.h"
#include "base/text_values.h"
#include "fuzz_support.h"

using namespace orvant;
using orvant::testing::SplitFields;
using orvant::fuzz::Check;

namespace {

template <class T>
void CheckCount(const EntryTable<T>& t) {
  Check(t.count >= 0 && t.count <= t.entries.MaxIndex(), "entry count outside its table");
}

void CheckRecord(const LoadCase& r) {
  CheckCount(r.prescribedDisplacements);
  CheckCount(r.nodalLoads);
  CheckCount(r.nodalTemperatures);
  CheckCount(r.pointLoads);
  CheckCount(r.distributedLoads);
  CheckCount(r.faceLoads);
  for (const CommandLines* c : {&r.interpretedElementCommands, &r.interpretedCoupleCommands}) {
    Check(c->count >= 0 && c->count < 100, "command count outside its slots");
    for (int16_t i = 1; i <= c->count; ++i) Check(c->lines[i].size() == 20, "command line not 20 wide");
  }
  Check(r.description.size() <= 55, "description longer than 55");
  Check(r.elementTempPressCount >= 0, "negative temperature/pressure count");
}

void CheckSplit(std::string line) {
  std::string keyword;
  float f[21];
  std::string copy = line;
  int n;
  try {
    n = SplitFields(copy, keyword, f);
  } catch (const IndexFault&) {
    return;
  }
  Check(n >= 0 && n <= 20, "field count outside 0..20");
  for (int i = n + 1; i <= 20; ++i) Check(f[i] == NoValue, "an unreached field is not blank");
  Check(line.compare(0, keyword.size(), keyword) == 0, "keyword is not the line's start");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  auto ctx = std::make_unique<RunContext>();
  RunSettings& s = ctx->settings;
  s.ModelPath = "/nonexistent-orvant-fuzz/M";  // the comment file stays in memory
  s.MaxNodeLabel = data[0] % 64;
  s.MaxElementLabel = data[1] % 64;
  s.PhysicalPropertyCount = data[2] % 16;
  const int16_t headerOnly = (data[3] & 1) ? 1 : 0;
  AllocateModelTables(s, ctx->model);
  for (int e = 1; e <= s.MaxElementLabel; ++e) {
    ctx->model.ElemNode1[e] = static_cast<int16_t>(e % 3);
    ctx->model.ElemNode2[e] = 1;
    ctx->model.SolidElemType[e] = static_cast<int16_t>(e % 2);
  }
  LoadCase lc;
  CaseParse parse;
  ResetLoadCase(ctx->settings, lc);

  std::string text(reinterpret_cast<const char*>(data) + 4, size - 4);
  LineReader lines(text);
  std::string_view line;
  while (lines.Next(line)) {
    std::string upper(line);
    for (char& c : upper)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (upper.find(",,") == std::string::npos) CheckSplit(upper);
    Check(orvant::testing::QuickSplitDifference(line).empty(), "quick split differs from SplitFields");
    const std::string copy(line);  // the line alone: a read beyond it is caught
    try {
      ParseLoadCaseLine(ctx->settings, ctx->model, parse, lc, copy, headerOnly);
    } catch (const IndexFault&) {
      WriteParsedComments(parse, ctx->comments, ctx->files);
      break;
    } catch (const RunFault&) {
      WriteParsedComments(parse, ctx->comments, ctx->files);
      break;
    }
    WriteParsedComments(parse, ctx->comments, ctx->files);
    CheckRecord(lc);
  }
  CheckRecord(lc);
  return 0;
}
