// The load case pass: every load case of the model in label order, each with
// its header block, parameters block, load sections and closing lines.
#include "base/file_system.h"
#include "listing/listing.h"
#include "loads/comment_file.h"
#include "loads/load_case.h"
#include "loads/load_case_reader.h"
#include "loads/load_cases.h"
#include "loads/load_sections.h"
#include "model/model_tables.h"
#include "settings/run_settings.h"

namespace orvant {

namespace {

void WriteCaseHeader(const RunSettings& s, const LoadCase& r, Listing& out) {
  out.End();
  out.Line(":");
  out.Line("===================   L O A D     C A S E       D A T A  ==================");
  out.End();
  out.Text("Model: ").Text(s.ModelName).Column(65).Text("Reference: Date:").Text(s.DateCreated);
  out.Text(" Time:").Text(s.TimeCreated).End();
  out.End();
  out.Text("Analysis Desc.:").Text(s.AnalysisDescription).End();
  out.End();
  out.Text("Load Case No:").Int(r.label).Column(37).Text("Reference: Date:").Text(r.dateText);
  out.Text(" Time:").Text(r.timeText).End();
  out.End();
  out.Text("Description :").Text(r.description).End();
  if (!r.scaseText.empty()) out.Line(r.scaseText);
  out.End();
}

void WriteCount(Listing& out, const char* label, int16_t count) {
  if (count > 0) out.Text(label).NextZone().Int(count).End();
}

void WriteParameters(const LoadCase& r, Listing& out) {
  out.Line("**** Load Case Parameters ****");
  out.End();
  WriteCount(out, "Number of Prescibed Displacements    ", r.prescribedDisplacements.count);
  WriteCount(out, "Number of Loaded Nodes               ", r.nodalLoads.count);
  WriteCount(out, "Number of Element Point Loads        ", r.pointLoads.count);
  WriteCount(out, "Number of Element Distributed Loads  ", r.distributedLoads.count);
  WriteCount(out, "Number of Element Press/Temp Defin   ", r.elementTempPressCount);
  WriteCount(out, "Number of FE Face/Edge Loads         ", r.faceLoads.count);
  WriteCount(out, "Number of Nodal Temperatures (FE)    ", r.nodalTemperatures.count);
  out.End();
}

}  // namespace

void WriteLoadCasePass(const RunSettings& s, const ModelTables& m, LoadCaseReader& reader, CommentFile& c,
                       Listing& out, FileSystem& files) {
  out.End();
  out.Rule();

  // Every table of the case is created empty at the capacity, even when no
  // case is listed.
  reader.Restart(false);
  if (s.ListLoadCases == 0) return;
  while (const LoadCase* r = reader.Next()) {
    WriteCaseHeader(s, *r, out);
    WriteParameters(*r, out);
    WriteLoadSections(s, m, *r, c, out, files);
    WriteCaseEnd(s, *r, out);
  }
}

}  // namespace orvant
