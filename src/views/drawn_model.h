#pragma once
// What the picture draws and the VTK file exports, taken from the model
// tables as loaded, by the rules the model data sections list by: nodes
// that exist; elements whose first two nodes differ (as lines from the
// first to the second node; the third only orients them); solids of a
// non-zero type (as their nodes); springs/couples whose first node is above
// 0; restrained nodes. The group selections of the listing do not apply:
// the whole model is drawn.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvant {

struct ModelTables;
struct RunSettings;

struct DrawnModel {
  // Points: the existing nodes in label order, each with its global
  // Cartesian position, group and restraint codes (Tx Ty Tz Rx Ry Rz, all 0
  // when the node is not restrained).
  std::vector<int16_t> nodeLabels;
  std::vector<std::array<float, 3>> positions;
  std::vector<int16_t> nodeGroups;
  std::vector<std::array<int16_t, 6>> restraints;

  // Elements that are not solids, as lines between two points.
  struct Line {
    int16_t label{};
    int32_t a{}, b{};
    int16_t type{}, geom{}, mat{}, group{};
  };
  std::vector<Line> lines;

  // Solid elements: their points are solidPoints[first .. first + count).
  struct Solid {
    int16_t label{};
    int32_t first{}, count{};
    int16_t type{}, geom{}, mat{}, group{};
  };
  std::vector<Solid> solids;
  std::vector<int32_t> solidPoints;

  // Springs/couples: a == b for one to ground.
  struct Spring {
    int16_t label{};
    int32_t a{}, b{};
    int16_t group{};
  };
  std::vector<Spring> springs;

  // Restrained nodes (points) in the order of the restraint table.
  std::vector<int32_t> supports;

  // Listed elements, solids, springs/couples and restrained nodes that name
  // a node which is not a point (a label out of range, a node that does not exist or one
  // with a coordinate that is not a finite number): they are not drawn.
  int notDrawn{};

  // Elements and solids drawn.
  size_t ElementCount() const { return lines.size() + solids.size(); }
};

DrawnModel CollectDrawnModel(const RunSettings& settings, const ModelTables& model);

}  // namespace orvant
