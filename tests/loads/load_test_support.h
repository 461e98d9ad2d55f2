#pragma once
// A run context for load case tests: a model of 20 nodes, 30 elements (25 is
// undefined, 30 is a solid) and 5 geometric codes, its files in a temporary
// directory, the load case record created, the listing kept in memory.
#include <memory>
#include <string>
#include <vector>

#include "loads/load_cases.h"
#include "run/run_context.h"
#include "support/model_builder.h"

namespace orvant::testing {

struct LoadContext {
  TempDir dir;
  std::unique_ptr<RunContext> ctx = std::make_unique<RunContext>();

  LoadContext() {
    RunSettings& s = ctx->settings;
    s.ModelPath = dir.path + "/FRAME";
    s.ModelName = "FRAME";
    s.AnalysisDescription = "Test frame";
    s.DateCreated = "01/02/2026";
    s.TimeCreated = "10:20:30";
    s.MaxNodeLabel = 20;
    s.MaxElementLabel = 30;
    s.PhysicalPropertyCount = 5;
    s.MaterialPropertyCount = 1;
    s.SelectedLoadCases.Size(s.MaxLoadLabel);
    s.SelectedCombinations.Size(s.MaxLoadLabel);
    s.ListResultsSetSummary = 0;
    AllocateModelTables(s, ctx->model);
    for (int n = 1; n <= s.MaxNodeLabel; ++n) ctx->model.NodeExists[n] = 1;
    for (int e = 1; e <= s.MaxElementLabel; ++e) {
      ctx->model.ElemNode1[e] = 1;
      ctx->model.ElemNode2[e] = 2;
    }
    ctx->model.ElemNode1[25] = 3;
    ctx->model.ElemNode2[25] = 3;
    ctx->model.SolidElemType[30] = 1;
    ResetLoadCaseRecord(*ctx);
  }

  RunContext& operator*() { return *ctx; }
  RunContext* operator->() { return ctx.get(); }
  LoadCaseRecord& record() { return ctx->loads; }
  std::string File(const std::string& extension) const { return dir.path + "/FRAME" + extension; }
  void WriteModelText(const std::string& extension, const std::string& text) const {
    WriteFile(File(extension), text);
  }
  void Parse(const std::string& line, int16_t headerOnly = 0) { ParseLoadCaseLine(*ctx, line, headerOnly); }
  std::vector<std::string> Lines() const { return ListingLines(ctx->listing.buffer); }
};

}  // namespace orvant::testing
