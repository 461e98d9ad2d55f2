// The load case summary: one line per load case with its description and
// the totals the analysis saved for it, read in header-only mode.
#include "listing/listing.h"
#include "loads/load_case.h"
#include "loads/load_case_reader.h"
#include "loads/load_section_rows.h"
#include "settings/run_settings.h"
#include "summaries/summaries.h"

namespace orvant {

void WriteLoadCaseSummary(const RunSettings& s, LoadCaseReader& reader, Listing& out) {
  reader.Restart(true);

  out.Line(":");
  out.Rule();
  out.Line("                       L O A D   C A S E    S U M M A R Y");
  out.Rule();
  out.Line("*** Load Case Summary  ***");
  out.End();
  out.Text("Case No    Description").Column(75).Text("Fx         Fy         Fz").End();
  out.End();

  // Each case file is read whole: nothing is left open.
  while (const LoadCase* r = reader.Next()) {
    out.Int(r->label).Column(12).Text(r->description).Column(70);
    if (r->savedTotalsPresent == 1) {
      for (float total : r->SavedTotals) WriteLoadValue(out, total, ConvertedMode(s));
      out.End();
    } else {
      out.Line("    ****       ****       ****");
    }
  }
}

}  // namespace orvant
