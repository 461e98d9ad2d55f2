#pragma once
// The group selection shared by the model data sections: which labels a
// section lists under the group filter, grouped-only and group range modes,
// and in which order.
#include <cstdint>
#include <limits>
#include <vector>

#include "base/checked.h"
#include "base/group_codes.h"

namespace orvant {

struct RunSettings;

struct GroupSelection {
  static constexpr int kNoLimit = std::numeric_limits<int>::min();

  // Group range mode: a group-order pass over the groups up to the limit
  // comes first, and an ungrouped entity counts as NoGroup.
  bool rangeMode{};
  // The label-order pass lists only groups above the limit.
  int limit = kNoLimit;
  // Above 0: the label-order pass lists this group only.
  int16_t filter{};
  // No label-order pass.
  bool groupedOnly{};

  // The group an entity is selected and ordered by.
  int16_t Key(int16_t group) const { return rangeMode && group == 0 ? NoGroup : group; }
  // Whether the label-order pass lists an entity of this group (the whole
  // test of the sections that select by the filter alone).
  bool Admits(int16_t group) const {
    const int16_t key = Key(group);
    return key > limit && (filter <= 0 || key == filter);
  }
};

// Nodes, elements and solid elements: outside group range mode the
// label-order pass leaves out negative groups.
GroupSelection SectionGroupSelection(const RunSettings& s);
// The element line data: outside group range mode neither a positive group
// filter nor a negative group narrows it.
GroupSelection ElementLineGroupSelection(const RunSettings& s);
// The element offsets and pipework coefficients: a positive group filter
// alone, in label order.
GroupSelection GroupFilterOnly(const RunSettings& s);

// The labels of one table that a section lists, pass by pass.
struct SelectedLabels {
  std::vector<int16_t> groupOrder;  // ascending group, ties by ascending label
  std::vector<int16_t> labelOrder;  // ascending label
};

// Labels 1..n of a table whose groups are groups(1..n). Whether a label
// has an entity at all is for the caller to check.
SelectedLabels SelectByGroup(const GroupSelection& how, const Table<int16_t>& groups, int16_t n);

}  // namespace orvant
