#include "loads/load_sections.h"
#include "run/run_context.h"

namespace orvant {

// Each section writes itself only when its count or flag says it has
// content. The sections live in nodal_loads.cpp, beam_loads.cpp and
// code_loads.cpp.
void WriteLoadSections(RunContext& ctx) {
  WritePrescribedDisplacements(ctx);
  WriteNodalLoads(ctx);
  WritePointLoads(ctx);
  WriteDistributedLoads(ctx);
  WriteFaceLoads(ctx);
  WritePropertyUdl(ctx);
  WritePropertyTempPress(ctx);
  WriteElementTempPress(ctx);
  WriteNodalTemperatures(ctx);
}

}  // namespace orvant
