#include "views/drawn_model.h"

#include <cmath>

#include "model/model_tables.h"
#include "settings/run_settings.h"

namespace orvant {

namespace {

bool FullyFinite(float x, float y, float z) { return std::isfinite(x) && std::isfinite(y) && std::isfinite(z); }

}  // namespace

DrawnModel CollectDrawnModel(const RunSettings& s, const ModelTables& m) {
  DrawnModel d;
  const long long nn = s.MaxNodeLabel, ne = s.MaxElementLabel;

  // Node label -> point, -1 when the label is not a point.
  std::vector<int32_t> pointOf(static_cast<size_t>(nn + 1), -1);
  for (long long n = 1; n <= nn; ++n) {
    if (m.NodeExists[n] == 0) continue;
    const float x = m.NodeX[n], y = m.NodeY[n], z = m.NodeZ[n];
    if (!FullyFinite(x, y, z)) continue;
    pointOf[static_cast<size_t>(n)] = static_cast<int32_t>(d.nodeLabels.size());
    d.nodeLabels.push_back(static_cast<int16_t>(n));
    d.positions.push_back({x, y, z});
    d.nodeGroups.push_back(m.NodeGroup[n]);
  }
  d.restraints.assign(d.nodeLabels.size(), {});
  auto point = [&pointOf](long long label) -> int32_t {
    return label >= 0 && label < static_cast<long long>(pointOf.size()) ? pointOf[static_cast<size_t>(label)] : -1;
  };

  for (long long e = 1; e <= ne; ++e) {
    const int16_t label = static_cast<int16_t>(e);
    if (m.SolidElemType[e] != 0) {
      DrawnModel::Solid solid{label, static_cast<int32_t>(d.solidPoints.size()), 0, m.ElemType[e],
                              m.ElemGeomCode[e], m.ElemMatCode[e], m.ElementGroup[e]};
      bool drawable = m.SolidNodeCount[e] > 0;
      for (long long k = 1; drawable && k <= m.SolidNodeCount[e]; ++k) {
        const int32_t p = point(At(m.SolidNodes[e], k));
        if (p < 0) drawable = false;
        d.solidPoints.push_back(p);
      }
      if (!drawable) {
        d.solidPoints.resize(static_cast<size_t>(solid.first));
        ++d.notDrawn;
        continue;
      }
      solid.count = static_cast<int32_t>(d.solidPoints.size()) - solid.first;
      d.solids.push_back(solid);
      continue;
    }
    const int16_t n1 = m.ElemNode1[e], n2 = m.ElemNode2[e];
    if (n1 == n2) continue;
    const int32_t a = point(n1), b = point(n2);
    if (a < 0 || b < 0) {
      ++d.notDrawn;
      continue;
    }
    d.lines.push_back({label, a, b, m.ElemType[e], m.ElemGeomCode[e], m.ElemMatCode[e], m.ElementGroup[e]});
  }

  // Springs/couples are held at MaxElementLabel + label.
  for (long long sp = 1; sp <= s.MaxSpringLabel; ++sp) {
    const long long i = ne + sp;
    const int16_t n1 = m.ElemNode1[i], n2 = m.ElemNode2[i];
    if (n1 <= 0) continue;
    const int32_t a = point(n1), b = n1 == n2 ? a : point(n2);
    if (a < 0 || b < 0) {
      ++d.notDrawn;
      continue;
    }
    d.springs.push_back({static_cast<int16_t>(sp), a, b, m.ElementGroup[i]});
  }

  for (long long r = 1; r <= s.RestrainedNodeCount; ++r) {
    const Restraint& entry = m.RestraintTable[r];
    const int32_t p = point(entry.RestrainedNode);
    if (p < 0) {
      ++d.notDrawn;
      continue;
    }
    d.supports.push_back(p);
    for (int c = 1; c <= 6; ++c) d.restraints[static_cast<size_t>(p)][static_cast<size_t>(c - 1)] = entry.Codes[static_cast<size_t>(c)];
  }
  return d;
}

}  // namespace orvant
