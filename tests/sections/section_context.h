#pragma once
// In-memory run context for the model data section tests: settings filled
// by the test, tables sized from them, an unopened listing whose output
// stays in its buffer.
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "run/run_context.h"
#include "support/model_builder.h"

namespace sectiontest {

struct SectionContext {
  std::unique_ptr<orvant::RunContext> owned = std::make_unique<orvant::RunContext>();
  orvant::RunContext& ctx = *owned;
  orvant::RunSettings& s = owned->settings;
  orvant::ModelTables& m = owned->model;

  // Sizes every model table from the label maxima and counts set in s.
  void Allocate() { orvant::AllocateModelTables(s, m); }
  std::vector<std::string> Lines() const { return orvant::testing::ListingLines(ctx.listing.buffer); }
};

// An expected listing line built from texts placed at 1-based columns.
struct Cols {
  std::string line;
  Cols& At(size_t column, const std::string& text) {
    if (line.size() > column - 1) throw std::logic_error("expected texts overlap at column " + std::to_string(column));
    line.append(column - 1 - line.size(), ' ');
    line += text;
    return *this;
  }
  operator std::string() const { return line; }
};

// The text of a line from a 1-based column, n characters.
inline std::string Slice(const std::string& line, size_t column, size_t n) {
  return column - 1 < line.size() ? line.substr(column - 1, n) : std::string();
}

}  // namespace sectiontest
