#pragma once
// A run context for load case tests: nodes and elements 1..max (element 25
// undefined, 30 a solid), 5 geometric codes, the model's files in a temporary
// directory, a case with its tables created for the parser, a load case
// reader, the listing kept in memory.
#include <memory>
#include <string>
#include <vector>

#include "loads/load_case.h"
#include "loads/load_case_reader.h"
#include "loads/load_cases.h"
#include "run/run_context.h"
#include "support/model_builder.h"

namespace orvant::testing {

inline std::string Repeat(const std::string& text, int n) { return n > 0 ? text + Repeat(text, n - 1) : ""; }
// text filled with blanks up to (not including) column.
inline std::string PadTo(std::string text, size_t column) {
  if (text.size() < column - 1) text.resize(column - 1, ' ');
  return text;
}
// A comment record as printed: 100 characters.
inline std::string Record(const std::string& text) { return PadTo(text, 101); }

// Comment record n (1-based) of the comment file as it stands in memory.
inline std::string CommentRecordOf(const CommentFile& c, int n) {
  const size_t at = static_cast<size_t>(n - 1) * 100;
  return Record(at < c.bytes.size() ? c.bytes.substr(at, 100) : "");
}

struct LoadContext {
  TempDir dir;
  std::unique_ptr<RunContext> ctx = std::make_unique<RunContext>();
  LoadCase lc;  // the case Parse fills
  CaseParse parse;
  LoadCaseReader reader{ctx->settings, ctx->model, ctx->comments, ctx->files};

  explicit LoadContext(int16_t maxNode = 20, int16_t maxElement = 30) {
    RunSettings& s = ctx->settings;
    s.ModelPath = dir.path + "/FRAME";
    s.MaxNodeLabel = maxNode;
    s.MaxElementLabel = maxElement;
    s.PhysicalPropertyCount = 5;
    s.SelectedLoadCases.Size(s.MaxLoadLabel);
    s.SelectedCombinations.Size(s.MaxLoadLabel);
    s.ListResultsSetSummary = 0;
    ctx->comments.path = s.ModelPath + ".LCM";
    AllocateModelTables(s, ctx->model);
    for (int n = 1; n <= maxNode; ++n) ctx->model.NodeExists[n] = 1;
    for (int e = 1; e <= maxElement; ++e) ctx->model.ElemNode2[e] = static_cast<int16_t>(e == 25 ? 0 : 2);
    ctx->model.SolidElemType[30] = 1;
    ResetLoadCase(ctx->settings, lc);
  }

  RunContext& operator*() { return *ctx; }
  RunContext* operator->() { return ctx.get(); }
  std::string File(const std::string& extension) const { return dir.path + "/FRAME" + extension; }
  void WriteModelText(const std::string& extension, const std::string& text) const { WriteFile(File(extension), text); }
  void Parse(const std::string& line, int16_t headerOnly = 0) {
    ParseLoadCaseLine(ctx->settings, ctx->model, parse, lc, line, headerOnly);
    WriteParsedComments(parse, ctx->comments, ctx->files);
  }
  // The case as the lines parsed so far made it, ready to print (as the
  // reader gives it once the whole file is parsed).
  const LoadCase& Parsed() {
    lc.elementTempPress.SortWritten();
    return lc;
  }
  std::vector<std::string> Listed() const { return ListingLines(ctx->listing.Pending()); }
};

}  // namespace orvant::testing
