// The load case summary: one line per load case with its description and
// the totals the analysis saved for it, read in header-only mode.
#include "base/checked.h"
#include "base/file_system.h"
#include "listing/listing.h"
#include "loads/comment_file.h"
#include "loads/load_case_record.h"
#include "loads/load_cases.h"
#include "model/model_tables.h"
#include "settings/run_settings.h"
#include "summaries/summaries.h"

namespace orvant {

void WriteLoadCaseSummary(RunSettings& s, const ModelTables& m, LoadCaseRecord& loads, CommentFile& c, Listing& out,
                          FileSystem& files) {
  s.CurrentLoadCase = 0;
  loads.HeaderOnlyMode = 1;

  out.Line(":");
  out.Rule();
  out.Line("                       L O A D   C A S E    S U M M A R Y");
  out.Rule();
  out.Line("*** Load Case Summary  ***");
  out.End();
  out.Text("Case No    Description").Column(75).Text("Fx         Fy         Fz").End();
  out.End();

  for (;;) {
    ReadNextLoadCase(s, m, loads, c, files);
    if (s.CurrentLoadCase > s.MaxLoadLabel) break;
    out.Int(s.CurrentLoadCase).Column(12).Text(loads.description).Column(70);
    if (loads.savedTotalsPresent == 1) {
      for (float total : loads.SavedTotals) {
        if (s.ConvertedUnits == 1)
          out.Field(total / 1000.0f, "######0.00", 11);
        else
          out.Field(total, "0.000E+00", 11);
      }
      out.End();
    } else {
      out.Line("    ****       ****       ****");
    }
    // The case file was read whole: nothing is left open.
    s.CurrentLoadCase = Add16(s.CurrentLoadCase, 1);
  }

  loads.HeaderOnlyMode = 0;
}

}  // namespace orvant
