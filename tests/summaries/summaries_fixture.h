#pragma once
// A run context over a temporary model directory for the load case summary
// and the load combinations, with helpers that write case, totals and
// combination files.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "run/run_context.h"
#include "support/model_builder.h"

namespace summaries {

using namespace orvant;
using Lines = std::vector<std::string>;

class SummaryTest : public ::testing::Test {
 protected:
  orvant::testing::TempDir dir;
  std::unique_ptr<RunContext> ctx = std::make_unique<RunContext>();

  void SetUp() override {
    RunSettings& s = ctx->settings;
    s.ModelPath = dir.path + "/BEAM1";
    s.OriginDirectory = dir.path;
    s.MaxLoadLabel = 99;
    s.MaxElementLabel = 4;
    s.MaxNodeLabel = 4;
    s.SelectedLoadCases.Size(s.MaxLoadLabel);
    s.SelectedCombinations.Size(s.MaxLoadLabel);
    AllocateModelTables(s, ctx->model);
  }

  void Write(const std::string& extension, const std::string& content) {
    orvant::testing::WriteFile(ctx->settings.ModelPath + extension, content);
  }
  // A load case file holding its description line.
  void Case(int n, const std::string& description) {
    Write(".L" + std::to_string(n), "LDESC " + description + "\r\nND,1,0.1\r\n");
  }
  // The ".#" file: Fx, Fy, Fz and the two analysis texts.
  void Totals(int n, const std::string& fx, const std::string& fy, const std::string& fz) {
    Write(".#" + std::to_string(n), fx + "," + fy + "," + fz + ",\"Run 1\",\"01/01/2026\"\r\n");
  }
  void Units(int converted) { ctx->settings.ConvertedUnits = static_cast<int16_t>(converted); }

  Lines Listed() const { return orvant::testing::ListingLines(ctx->listing.buffer); }
  void Clear() {
    ctx->listing.buffer.clear();
    ctx->listing.column = 1;
  }
};

// text filled with blanks up to (not including) column.
inline std::string To(const std::string& text, size_t column) {
  std::string s = text;
  if (s.size() < column - 1) s.resize(column - 1, ' ');
  return s;
}

inline Lines From(const Lines& lines, size_t first) {
  if (first >= lines.size()) return {};
  return {lines.begin() + static_cast<long>(first), lines.end()};
}

}  // namespace summaries
