#pragma once
// Loading the model: the seven geometry and property files, the per-code
// totals, and the group set membership.
#include <cstdint>
#include <string>

namespace orvant {

struct RunContext;
struct RunSettings;
struct ModelTables;

// Reads ".XYZ", ".XZY", ".XEC", ".XCO" (when present), ".XEN", ".XEL" and
// ".XE1", in that order, then computes the totals. ".XEC" is left open at
// its element offset records.
void LoadGeometry(RunContext& ctx);

// TotLength, TotMass per geometric code and TotalMass, in single precision.
void ComputeTotals(const RunSettings& settings, ModelTables& model);

// Reads the group set file; a missing file empties ActiveGroupSet.
void ReadGroupSet(RunContext& ctx, const std::string& fileName, int16_t nodeLimit, int16_t elementLimit);

}  // namespace orvant
