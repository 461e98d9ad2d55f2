#pragma once
// Loading the model: the seven geometry and property files, the per-code
// totals, and the group set membership.
#include <cstdint>
#include <optional>
#include <string>

namespace orvant {

struct FileSystem;
struct RunSettings;
struct ModelTables;

// Reads ".XYZ", ".XZY", ".XEC", ".XCO" (when present), ".XEN", ".XEL" and
// ".XE1", in that order, then computes the totals. ".XEC" is left open at
// its element offset records.
void LoadGeometry(RunSettings& s, ModelTables& m, FileSystem& files);

// TotLength, TotMass per geometric code and TotalMass, in single precision,
// added to the new model's zeros.
void ComputeTotals(const RunSettings& settings, ModelTables& model);

// The group set file in two steps: a missing file empties ActiveGroupSet.
// The lookup uses the file system's listings; the reading touches nothing
// but the file, the group tables and the group set's settings, so it may run
// beside the geometry loader.
struct GroupSetFile {
  std::string name;
  std::string formed;                // its Linux name, for the failure message
  std::optional<std::string> found;  // the file, when it exists
};
GroupSetFile FindGroupSet(FileSystem& files, const std::string& fileName);
void ReadFoundGroupSet(RunSettings& s, ModelTables& m, const GroupSetFile& file, int16_t nodeLimit,
                       int16_t elementLimit);

// The geometry and, beside it on a second thread, the group set of
// ModelPath + ".G" + ActiveGroupSet: the model as start-up loads it.
void LoadModel(RunSettings& s, ModelTables& m, FileSystem& files);

}  // namespace orvant
