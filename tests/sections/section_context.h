#pragma once
// In-memory run context for the section tests: the listing is never opened,
// so everything written stays in its buffer.
#include <algorithm>
#include <memory>
#include <tuple>

#include "base/faults.h"
#include "run/run_context.h"
#include "sections/sections.h"
#include "support/model_builder.h"

namespace sectiontest {

using namespace orvant;
using namespace orvant::testing;
using Lines = std::vector<std::string>;

struct SectionContext {
  std::unique_ptr<RunContext> owned = std::make_unique<RunContext>();
  RunContext& ctx = *owned;
  RunSettings& s = owned->settings;
  ModelTables& m = owned->model;
  // Tables sized for these label maxima; for other counts set them and Allocate again.
  explicit SectionContext(int16_t nodes = 0, int16_t elements = 0, int16_t springs = 0) {
    std::tie(s.MaxNodeLabel, s.MaxElementLabel, s.MaxSpringLabel) = std::tie(nodes, elements, springs);
    Allocate();
  }
  void Allocate() { AllocateModelTables(s, m); }
  // As the run sets them: a negative filter is group range mode up to -filter.
  void Filter(int16_t filter, int16_t groupedOnly = 0) {
    s.GroupFilter = filter;
    s.GroupedOnly = groupedOnly;
    s.GroupRangeMode = filter < 0;
    s.GroupLimit = static_cast<int16_t>(filter < 0 ? -filter : 1);
  }
  // The lines written, less the first `skip` (headings).
  Lines Out(size_t skip = 0) const {
    Lines all = ListingLines(ctx.listing.Pending());
    return Lines(all.begin() + static_cast<long>(std::min(skip, all.size())), all.end());
  }
};

// An expected line: texts placed from 1-based columns (overlaps throw).
struct Cols {
  std::string line;
  Cols& At(size_t column, const std::string& text) { return line.append(column - 1 - line.size(), ' ') += text, *this; }
  operator std::string() const { return line; }
};

inline std::string Repeat(const std::string& text, int n) { return n > 0 ? text + Repeat(text, n - 1) : ""; }

// Runs f; the kind of failure it threw, "" for none.
template <class F>
std::string Fault(F f) {
  try { f(); } catch (const IndexFault&) { return "index"; } catch (const RunFault&) { return "run"; }
  return "";
}

}  // namespace sectiontest
