#include "loads/load_sections.h"

#include "base/file_system.h"
#include "listing/listing.h"
#include "loads/comment_file.h"
#include "loads/load_case.h"
#include "model/model_tables.h"
#include "settings/run_settings.h"

namespace orvant {

// Each section writes itself only when its count or flag says it has
// content. The sections live in nodal_loads.cpp, beam_loads.cpp and
// code_loads.cpp.
void WriteLoadSections(const RunSettings& s, const ModelTables& m, const LoadCase& r, CommentFile& c, Listing& out,
                       FileSystem& files) {
  WritePrescribedDisplacements(s, m, r, c, out, files);
  WriteNodalLoads(s, m, r, c, out, files);
  WritePointLoads(s, m, r, c, out, files);
  WriteDistributedLoads(s, m, r, c, out, files);
  WriteFaceLoads(s, m, r, out);
  WritePropertyUdl(s, r, out);
  WritePropertyTempPress(s, r, out);
  WriteElementTempPress(s, m, r, c, out, files);
  WriteNodalTemperatures(m, r, out);
}

}  // namespace orvant
