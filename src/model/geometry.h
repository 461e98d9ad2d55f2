#pragma once
// Loading the model: the seven geometry and property files, the per-code
// totals, and the group set membership.
#include <cstdint>
#include <optional>
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

// ReadGroupSet in two steps. The lookup uses the file system's listings;
// the reading touches nothing but the file, the group tables and the group
// set's settings, so it may run beside the geometry loader.
struct GroupSetFile {
  std::string name;
  std::string formed;                // its Linux name, for the failure message
  std::optional<std::string> found;  // the file, when it exists
};
GroupSetFile FindGroupSet(RunContext& ctx, const std::string& fileName);
void ReadFoundGroupSet(RunSettings& s, ModelTables& m, const GroupSetFile& file, int16_t nodeLimit,
                       int16_t elementLimit);

}  // namespace orvant
