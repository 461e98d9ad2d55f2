#pragma once
// The model tables: indexed from 0, index 0 not filled from the model files,
// sized once from the model size values. Springs and couples share the
// element-indexed connectivity and group tables at MaxElementLabel + label.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/checked.h"
#include "base/group_codes.h"

namespace orvant {

struct RunSettings;

struct Restraint {
  int16_t RestrainedNode{};
  std::array<int16_t, 7> Codes{};  // positions 1..6: Tx Ty Tz Rx Ry Rz
};

struct GeometricProperty {
  std::string DesignationPrefix = "   ";  // 3 characters as stored
  int32_t DesignationNumber{};
  float GeomArea{}, GeomIy{}, GeomIz{}, GeomJ{}, GeomDiam{}, GeomWallThick{};
  std::array<float, 5> StressLz{};  // points 1..4
  std::array<float, 5> StressLy{};
  float GeomAz{}, GeomAy{}, GeomZt{};
  int16_t SectionType{};
  float GeomSz{}, GeomSy{}, GeomSx{};
};

struct MaterialProperty {
  float MatE{}, MatG{}, MatDensity{}, MatPoisson{}, MatCoefExp{}, MatYieldStress{}, MatUltimateStress{};
  std::string MatName = "        ";  // 8 characters as stored
};

// The element connectivity file as loaded: its element offset records
// follow the last element and spring/couple record, from offsetsStart to
// the end of the file.
struct ConnectivityFileBytes {
  std::vector<unsigned char> bytes;
  size_t offsetsStart{};
};

struct ModelTables {
  // Nodes (0..MaxNodeLabel).
  Table<int16_t> NodeExists{{}, "NodeExists"};
  Table<float> NodeX{{}, "NodeX"}, NodeY{{}, "NodeY"}, NodeZ{{}, "NodeZ"};
  Table<int16_t> NodeCoordSystem{{}, "NodeCoordSystem"};
  Table<std::array<float, 3>> NodeDefCoords{{}, "NodeDefCoords"};

  // Restraints (0..RestrainedNodeCount + 1).
  Table<Restraint> RestraintTable{{}, "RestraintTable"};

  // Coordinate systems: [system 0..20][field 0..9].
  std::array<std::array<float, 10>, 21> CoordSystemTable{};

  // Elements (0..MaxElementLabel + 1); connectivity and groups also hold the
  // springs/couples (0..MaxElementLabel + 1 + MaxSpringLabel).
  Table<int16_t> ElemNode1{{}, "ElemNode1"}, ElemNode2{{}, "ElemNode2"}, ElemNode3{{}, "ElemNode3"};
  Table<float> ElemRotation{{}, "ElemRotation"};
  Table<int16_t> ElemGeomCode{{}, "ElemGeomCode"}, ElemMatCode{{}, "ElemMatCode"},
      ElemReleaseZ{{}, "ElemReleaseZ"}, ElemReleaseY{{}, "ElemReleaseY"},
      ElemTaperCode{{}, "ElemTaperCode"}, ElemPipeworkFlag{{}, "ElemPipeworkFlag"};
  Table<int16_t> ElemType{{}, "ElemType"}, ElemCoCode{{}, "ElemCoCode"};
  Table<float> ElemBendRadius{{}, "ElemBendRadius"};
  Table<float> ElemLength{{}, "ElemLength"};

  // Solid elements (0..MaxElementLabel + 1), connectivity positions 0..8.
  Table<int16_t> SolidElemType{{}, "SolidElemType"}, SolidNodeCount{{}, "SolidNodeCount"};
  Table<std::array<int16_t, 9>> SolidNodes{{}, "SolidNodes"};

  // Springs/couples (0..MaxSpringLabel).
  Table<float> SpringRotation{{}, "SpringRotation"};
  Table<int16_t> SpringRefElement{{}, "SpringRefElement"}, SpringPropCode{{}, "SpringPropCode"},
      SpringCoordSystem{{}, "SpringCoordSystem"};

  // IC and RC constants (0..count), positions 0..6.
  int16_t IcPropertyCount{};
  int16_t RcPropertyCount{};
  Table<std::array<int16_t, 7>> IcConstantTable{{}, "IcConstantTable"};
  Table<std::array<float, 7>> RcConstantX{{}, "RcConstantX"}, RcConstantY{{}, "RcConstantY"};

  // Spring property codes (0..SpringPropertyCount): kind, K1..K6 at
  // positions 1..6, CO code.
  Table<int16_t> SpringKind{{}, "SpringKind"};
  Table<std::array<float, 7>> SpringK{{}, "SpringK"};
  Table<int16_t> SpringCo{{}, "SpringCo"};

  // Property tables (0..PhysicalPropertyCount, 0..MaterialPropertyCount).
  Table<GeometricProperty> GeometricPropertyTable{{}, "GeometricPropertyTable"};
  Table<MaterialProperty> MaterialPropertyTable{{}, "MaterialPropertyTable"};

  // Group set membership: nodes 0..MaxNodeLabel, elements and springs/couples
  // 0..MaxElementLabel + 1 + MaxSpringLabel. 0 = none.
  Table<int16_t> NodeGroup{{}, "NodeGroup"};
  Table<int16_t> ElementGroup{{}, "ElementGroup"};

  // Per geometric code totals, computed once after loading.
  Table<float> TotLength{{}, "TotLength"}, TotMass{{}, "TotMass"};
  float TotalMass{};
  int16_t PipeworkPresent{};

  ConnectivityFileBytes ConnectivityFile;
};

// Sizes every table of a new model from the label maxima and counts of the
// run settings (the IC and RC constants are sized as their file is read).
// Label maxima whose index arithmetic does not fit 16 bits fail.
void AllocateModelTables(const RunSettings& settings, ModelTables& model);

// Releases the tables that the load cases do not use (they use only the
// element connectivity, the solid element types, node existence and the
// group tables), once the model data is listed.
void ReleaseTablesNotUsedByLoads(ModelTables& model);

}  // namespace orvant
