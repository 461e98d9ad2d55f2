#pragma once
// Pieces shared by the load sections of a listed case and the summaries:
// the section opening, the unit row, the comment line above an entry, the
// unit mode and the field of a load value.
#include <cstdint>
#include <string_view>

#include "base/file_system.h"
#include "listing/listing.h"
#include "loads/comment_file.h"
#include "loads/load_case.h"
#include "model/model_tables.h"
#include "settings/run_settings.h"

namespace orvant {

// An empty line, the title, an empty line and the column heading.
inline void OpenLoadSection(Listing& listing, std::string_view title, std::string_view heading) {
  listing.End();
  listing.Line(title);
  listing.End();
  listing.Line(heading);
}

// Load values are converted to engineering units.
inline bool ConvertedMode(const RunSettings& s) { return s.ConvertedUnits == 1; }
inline bool MetricUnits(const RunSettings& s) { return s.ImperialUnits == 0; }

// A load value in its 11-character field: as stored, in exponent form; or,
// converted, divided by `divisor` (N to kN: 1000) in the fixed form.
inline void WriteLoadValue(Listing& out, float value, bool converted, float divisor = 1000.0f,
                           const FieldPattern& fixed = "######0.00") {
  if (converted)
    out.Field(value / divisor, fixed, 11);
  else
    out.Field(value, "0.000E+00", 11);
}

// The unit row (only with converted units; metric or imperial), then an
// empty line.
inline void WriteUnitRow(const RunSettings& s, Listing& out, std::string_view metric, std::string_view imperial) {
  if (ConvertedMode(s)) out.Line(MetricUnits(s) ? metric : imperial);
  out.End();
}

// A section opened with its unit row (units: metric, imperial).
inline void OpenLoadSection(const RunSettings& s, Listing& out, std::string_view title, std::string_view heading,
                            const std::string_view (&units)[2]) {
  OpenLoadSection(out, title, heading);
  WriteUnitRow(s, out, units[0], units[1]);
}

// The last comment read before an entry is printed once per section, above
// the first entry that carries it.
struct SectionComments {
  CommentFile& comments;
  FileSystem& files;
  int16_t lastPrinted = 0;

  void Above(Listing& out, int16_t commentNo) {
    if (commentNo <= lastPrinted) return;
    PrintCommentRecord(comments, out, files, commentNo);
    lastPrinted = commentNo;
  }
};

}  // namespace orvant
