#pragma once
// The model as a legacy VTK file (ASCII, version 3.0), an unstructured grid
// that ParaView and the VTK readers open: a point per existing node; a cell
// per element (a line from its first to its second node), per solid and per
// spring/couple; cell and point data for colouring and selecting.
#include <string>

#include "views/drawn_model.h"

namespace orvant {

struct RunSettings;

// Cell kinds of the "kind" cell array.
constexpr int kKindElement = 1, kKindSolid = 2, kKindSpring = 3;

// VTK cell types used.
constexpr int kVtkVertex = 1, kVtkLine = 3, kVtkTriangle = 5, kVtkConvexPointSet = 41;

// The cell type of a solid with n nodes: its nodes as a convex point set,
// whose shape does not depend on the order of its corners (which the model
// files do not define); fewer than four nodes as a vertex, line or triangle.
int SolidCellType(int nodeCount);

// The whole file. Cells: elements, then solids, then springs/couples (a
// vertex for one to ground), each in label order. Cell data "label",
// "type", "geom_code", "mat_code", "group", "kind"; point data "label",
// "group", "Tx", "Ty", "Tz", "Rx", "Ry", "Rz".
std::string VtkFile(const RunSettings& settings, const DrawnModel& drawn);

}  // namespace orvant
