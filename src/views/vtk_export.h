#pragma once
// The model as a legacy VTK file (ASCII, version 3.0), an unstructured grid
// that ParaView and the VTK readers open: a point per existing node; a cell
// per element (a line from its first to its second node), per solid and per
// spring/couple; cell and point data for colouring and selecting.
#include <string>

#include <vector>

#include "views/drawn_loads.h"
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
// "group", "Tx", "Ty", "Tz", "Rx", "Ry", "Rz". Then for each load case,
// the arrays of the kinds it has (N its number):
//   point data "caseN_force", "caseN_moment": the nodal loads' forces and
//     moments summed per node; "caseN_displacement": the prescribed
//     translations summed per node; "caseN_temperature": the nodal
//     temperature (the last one given for the node);
//   cell data "caseN_distributed": per element, the global vector of its
//     distributed and property code loads in global axes, as a mean
//     intensity over its length (a full-span load's own intensity);
//     "caseN_temperature", "caseN_pressure": the element's temperature and
//     internal pressure, by its own (TEPR) or its code's (PTEMP, PPRESS).
// Where a case gives nothing, the value is 0.
std::string VtkFile(const RunSettings& settings, const DrawnModel& drawn, const std::vector<DrawnCase>& cases = {});

}  // namespace orvant
