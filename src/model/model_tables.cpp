#include "model/model_tables.h"

#include "settings/run_settings.h"

namespace orvant {

void AllocateModelTables(const RunSettings& s, ModelTables& m) {
  const long long ne = s.MaxElementLabel, ns = s.MaxSpringLabel, nn = s.MaxNodeLabel;
  const long long nr = s.RestrainedNodeCount, ng = s.PhysicalPropertyCount;
  const long long nm = s.MaterialPropertyCount, nk = s.SpringPropertyCount;
  if (ne < 0 || ns < 0 || nn < 0 || nr < 0 || ng < 0 || nm < 0 || nk < 0)
    throw RunFault("model size file holds a negative label maximum or count");
  // Element-indexed tables reach MaxElementLabel + 1 + MaxSpringLabel, which
  // must stay a 16-bit index.
  const long long allElements = Narrow16(ne + 1 + ns);
  Narrow16(nr + 1);

  m.NodeExists.Size(nn);
  m.NodeX.Size(nn);
  m.NodeY.Size(nn);
  m.NodeZ.Size(nn);
  m.NodeCoordSystem.Size(nn);
  m.NodeDefCoords.Size(nn);
  m.NodeGroup.Size(nn);

  m.RestraintTable.Size(nr + 1);

  m.ElemNode1.Size(allElements);
  m.ElemNode2.Size(allElements);
  m.ElemNode3.Size(allElements);
  m.ElementGroup.Size(allElements);

  for (Table<int16_t>* t : {&m.ElemGeomCode, &m.ElemMatCode, &m.ElemReleaseZ, &m.ElemReleaseY, &m.ElemTaperCode,
                            &m.ElemPipeworkFlag, &m.ElemType, &m.ElemCoCode, &m.SolidElemType, &m.SolidNodeCount})
    t->Size(ne + 1);  // equivalent: constant (the entry after the highest element's is never read)
  for (Table<float>* t : {&m.ElemRotation, &m.ElemBendRadius, &m.ElemLength}) t->Size(ne + 1);  // equivalent: constant (as above)
  m.SolidNodes.Size(ne + 1);  // equivalent: constant (as above)

  m.SpringRotation.Size(ns);
  m.SpringRefElement.Size(ns);
  m.SpringPropCode.Size(ns);
  m.SpringCoordSystem.Size(ns);

  m.SpringKind.Size(nk);
  m.SpringK.Size(nk);
  m.SpringCo.Size(nk);

  m.GeometricPropertyTable.Size(ng);
  m.MaterialPropertyTable.Size(nm);
  m.TotLength.Size(ng);
  m.TotMass.Size(ng);
}

namespace {

template <class... Tables>
void ReleaseAll(Tables&... tables) {
  (tables.Release(), ...);  // memory only: the load case pass reads none of them
}

}  // namespace

void ReleaseTablesNotUsedByLoads(ModelTables& m) {
  ReleaseAll(m.NodeX, m.NodeY, m.NodeZ, m.NodeCoordSystem, m.NodeDefCoords, m.RestraintTable, m.SpringRotation,
             m.SpringRefElement, m.SpringPropCode, m.SpringCoordSystem, m.SpringKind, m.SpringK, m.SpringCo,
             m.SolidNodeCount, m.SolidNodes, m.GeometricPropertyTable, m.MaterialPropertyTable);
}

}  // namespace orvant
