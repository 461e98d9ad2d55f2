#pragma once
// One load case as the picture draws it and the VTK file exports it: the
// entries that the listing lists (by the rules of loads/listed_loads.h),
// each placed on the drawn model, with the text the listing prints for it.
// An entry that the listing leaves out, or that has no place on the drawn
// model (a node that is not a point, an element that is not a line, a
// solid that is not drawn), is counted as left out and not drawn.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "views/drawn_model.h"

namespace orvant {

struct RunSettings;
struct ModelTables;
struct LoadCase;
struct ListedText;

using Vector3 = std::array<float, 3>;

// The kinds of load, in the order the title counts them.
enum LoadKind {
  kNodalDisplacement,  // ND
  kNodalLoad,          // NF
  kPointLoad,          // EP
  kDistributedLoad,    // ED, UDL
  kFaceLoad,           // FP
  kCodeUdl,            // PUDL, by code
  kCodeTempPress,      // PTEMP, PPRESS, by code
  kElementTempPress,   // TEPR
  kNodalTemperature,   // NT
  kGravity,            // ACCEL
  kSavedTotal,         // LSUM, COF
  kLoadKinds
};

// "ND", "NF", "EP", "ED/UDL", "FP", "PUDL", "PTEMP/PPRESS", "TEPR", "NT",
// "ACCEL", "LSUM/COF".
const char* LoadKindName(LoadKind kind);

struct DrawnCase {
  int16_t label{};
  std::string description;

  // ND at a point: the translation (rotations are in the title only).
  struct Displacement {
    int32_t point{};
    Vector3 translation{};
    std::string title;
  };
  std::vector<Displacement> displacements;

  // NF at a point: force, moment and mass (each 0 when not given).
  struct NodalLoad {
    int32_t point{};
    Vector3 force{}, moment{};
    float mass{};
    std::string title;
  };
  std::vector<NodalLoad> nodalLoads;

  // EP and ED/UDL on a line, from and to its fractions of the line's length
  // from its first node (equal for a point load): the force (EP) or the
  // intensities at from and at to (ED), and the moment (EP). Loads in local
  // axes are not oriented: only their place and title are drawn.
  struct ElementLoad {
    int32_t line{};
    bool local{};
    float from{}, to{};
    Vector3 start{}, finish{}, moment{};
    std::string title;
  };
  std::vector<ElementLoad> pointLoads, distributedLoads;

  // PUDL: a code's X, Y, Z intensities on every line of the code.
  struct CodeUdl {
    int16_t code{};
    Vector3 intensity{};
    std::vector<int32_t> lines;
    std::string title;
  };
  std::vector<CodeUdl> codeUdls;

  // FP on a solid (the model files do not say which of its nodes make the
  // face, so the solid is what is shaded).
  struct FaceLoad {
    int32_t solid{};
    std::string title;
  };
  std::vector<FaceLoad> faceLoads;

  // Temperatures and internal pressures of cells (lines, then solids, in
  // the VTK file's order): PTEMP/PPRESS for every cell of a code, TEPR for
  // one element (drawn over its code's). A temperature is given when it is
  // not 0 (for TEPR, also when the opposite-surface one is not), a
  // pressure when it is not 0.
  struct CellValues {
    std::vector<int32_t> cells;
    float temperature{}, pressure{};
    bool hasTemperature{}, hasPressure{};
    std::string title;
  };
  std::vector<CellValues> codeTempPress, elementTempPress;

  // NT at a point.
  struct NodalTemperature {
    int32_t point{};
    float temperature{};
    std::string title;
  };
  std::vector<NodalTemperature> nodalTemperatures;

  // ACCEL, when listed.
  bool gravity{};
  Vector3 acceleration{};
  std::string gravityTitle;

  // LSUM and COF, when listed: the saved total force components placed at
  // their centres of force, components at the same centre summed.
  struct Total {
    Vector3 at{}, force{};
  };
  std::vector<Total> totals;
  std::string totalsTitle;

  // Per kind: entries (codes for PUDL and PTEMP/PPRESS) drawn and left out;
  // drawn loads in local axes.
  std::array<int, kLoadKinds> drawn{}, leftOut{};
  int local{};
};

// The case as drawn on the model. Without texts the titles stay empty (the
// VTK file has no use for them).
DrawnCase CollectDrawnCase(const RunSettings& settings, const ModelTables& model, const DrawnModel& drawn,
                           const LoadCase& lc, ListedText* texts);

}  // namespace orvant
