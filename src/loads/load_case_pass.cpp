// The load case pass: every load case of the model in label order, each with
// its header block, parameters block, load sections and closing lines.
#include "base/checked.h"
#include "base/file_system.h"
#include "listing/listing.h"
#include "loads/comment_file.h"
#include "loads/load_case_record.h"
#include "loads/load_cases.h"
#include "loads/load_sections.h"
#include "model/model_tables.h"
#include "settings/run_settings.h"

namespace orvant {

namespace {

// The load sections use only the element connectivity, the solid element
// types, node existence and the group tables; the rest goes.
void ReleaseModelTables(ModelTables& m) {
  m.NodeX.Release();
  m.NodeY.Release();
  m.NodeZ.Release();
  m.NodeCoordSystem.Release();
  m.NodeDefCoords.Release();
  m.RestraintTable.Release();
  m.SpringRotation.Release();
  m.SpringRefElement.Release();
  m.SpringPropCode.Release();
  m.SpringCoordSystem.Release();
  m.SpringKind.Release();
  m.SpringK.Release();
  m.SpringCo.Release();
  m.SolidNodeCount.Release();
  m.SolidNodes.Release();
  m.GeometricPropertyTable.Release();
  m.MaterialPropertyTable.Release();
}

void WriteCaseHeader(const RunSettings& s, const LoadCaseRecord& r, Listing& out) {
  out.End();
  out.Line(":");
  out.Line("===================   L O A D     C A S E       D A T A  ==================");
  out.End();
  out.Text("Model: ").Text(s.ModelName).Column(65).Text("Reference: Date:").Text(s.DateCreated);
  out.Text(" Time:").Text(s.TimeCreated).End();
  out.End();
  out.Text("Analysis Desc.:").Text(s.AnalysisDescription).End();
  out.End();
  out.Text("Load Case No:").Int(s.CurrentLoadCase).Column(37).Text("Reference: Date:").Text(r.dateText);
  out.Text(" Time:").Text(r.timeText).End();
  out.End();
  out.Text("Description :").Text(r.description).End();
  if (!r.scaseText.empty()) out.Line(r.scaseText);
  out.End();
}

void WriteCount(Listing& out, const char* label, int16_t count) {
  if (count > 0) out.Text(label).NextZone().Int(count).End();
}

void WriteParameters(const LoadCaseRecord& r, Listing& out) {
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

void WriteLoadCasePass(RunSettings& s, ModelTables& m, LoadCaseRecord& r, CommentFile& c, Listing& out,
                       FileSystem& files) {
  out.End();
  out.Rule();

  ReleaseModelTables(m);

  // Every table of the record created empty at the capacity. The comment
  // counter is the reader's alone: it keeps its value here.
  int16_t commentCounter = r.commentCounter;
  ResetLoadCaseRecord(s, r);
  r.commentCounter = commentCounter;

  s.CurrentLoadCase = 0;
  if (s.ListLoadCases != 0) {
    for (;;) {
      ReadNextLoadCase(s, m, r, c, files);
      if (s.CurrentLoadCase > s.MaxLoadLabel) break;
      WriteCaseHeader(s, r, out);
      WriteParameters(r, out);
      WriteLoadSections(s, m, r, c, out, files);
      WriteCaseEnd(s, r, out, files);
      if (s.CurrentLoadCase <= s.MaxLoadLabel) s.CurrentLoadCase = Add16(s.CurrentLoadCase, 1);
    }
  }
}

}  // namespace orvant
