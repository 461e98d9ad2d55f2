#pragma once
// Pieces shared by the load sections of a listed case: the section
// opening, the unit row, the comment line above an entry and the unit mode.
#include <cstdint>
#include <string_view>

#include "loads/comment_file.h"
#include "run/run_context.h"

namespace orvant {

// An empty line, the title, an empty line and the column heading.
inline void OpenLoadSection(Listing& listing, std::string_view title, std::string_view heading) {
  listing.End();
  listing.Line(title);
  listing.End();
  listing.Line(heading);
}

// Load values are converted to engineering units.
inline bool ConvertedMode(const RunContext& ctx) { return ctx.settings.ConvertedUnits == 1; }
inline bool MetricUnits(const RunContext& ctx) { return ctx.settings.ImperialUnits == 0; }

// The unit row (only with converted units; metric or imperial), then an
// empty line.
inline void WriteUnitRow(RunContext& ctx, std::string_view metric, std::string_view imperial) {
  if (ConvertedMode(ctx)) ctx.listing.Line(MetricUnits(ctx) ? metric : imperial);
  ctx.listing.End();
}

// The last comment read before an entry is printed once per section, above
// the first entry that carries it.
inline void WriteCommentIfDue(RunContext& ctx, int16_t commentNo) {
  if (commentNo > ctx.loads.lastPrintedComment) PrintCommentRecord(ctx, commentNo);
}

// An element without a span: both end nodes the same.
inline bool UndefinedElement(const RunContext& ctx, int16_t element) {
  return ctx.model.ElemNode1[element] == ctx.model.ElemNode2[element];
}

}  // namespace orvant
