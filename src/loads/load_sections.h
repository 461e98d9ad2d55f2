#pragma once
// The load sections of one listed load case, in listing order.

namespace orvant {

struct RunContext;

void WritePrescribedDisplacements(RunContext& ctx);
void WriteNodalLoads(RunContext& ctx);
void WritePointLoads(RunContext& ctx);
void WriteDistributedLoads(RunContext& ctx);
void WriteFaceLoads(RunContext& ctx);
void WritePropertyUdl(RunContext& ctx);
void WritePropertyTempPress(RunContext& ctx);
void WriteElementTempPress(RunContext& ctx);
void WriteNodalTemperatures(RunContext& ctx);

// Every load section above, in order.
void WriteLoadSections(RunContext& ctx);

// Interpreted commands, gravity, saved echo, load summation, ACOM lines and
// the closing line of the case.
void WriteCaseEnd(RunContext& ctx);

}  // namespace orvant
