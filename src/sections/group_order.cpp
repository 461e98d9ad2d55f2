#include "sections/group_order.h"

#include <algorithm>

#include "settings/run_settings.h"

namespace orvant {

namespace {

struct KeyedLabel {
  int16_t key;
  int16_t label;
};

// Reorders the labels so that their keys ascend; labels of equal keys keep
// their order (the order of a full exchange sort that swaps only on
// strictly smaller keys).
void SortByGroup(std::vector<KeyedLabel>& labels) {
  std::stable_sort(labels.begin(), labels.end(), [](const KeyedLabel& a, const KeyedLabel& b) { return a.key < b.key; });
}

}  // namespace

// Outside group range mode the nodes, elements and solid elements list
// only groups above -1, whatever the group limit of the settings.
GroupSelection SectionGroupSelection(const RunSettings& s) {
  const bool range = s.GroupRangeMode == 1;
  return {range, range ? s.GroupLimit : -1, s.GroupFilter, s.GroupedOnly == 1};
}

GroupSelection ElementLineGroupSelection(const RunSettings& s) {
  const bool range = s.GroupRangeMode == 1;
  return {range, range ? s.GroupLimit : GroupSelection::kNoLimit, 0, s.GroupedOnly == 1};
}

GroupSelection GroupFilterOnly(const RunSettings& s) { return {false, GroupSelection::kNoLimit, s.GroupFilter, false}; }

SelectedLabels SelectByGroup(const GroupSelection& how, const Table<int16_t>& groups, int16_t n) {
  SelectedLabels selected;
  if (how.rangeMode) {
    std::vector<KeyedLabel> keyed;
    keyed.reserve(static_cast<size_t>(std::max<int>(n, 0)));  // equivalent: constant (room only)
    for (int i = 1; i <= n; ++i) {
      const int16_t key = how.Key(groups[i]);
      if (key <= how.limit) keyed.push_back({key, static_cast<int16_t>(i)});
    }
    SortByGroup(keyed);
    selected.groupOrder.reserve(keyed.size());  // equivalent: statement (room only)
    for (const KeyedLabel& k : keyed) selected.groupOrder.push_back(k.label);
  }
  if (!how.groupedOnly) {
    selected.labelOrder.reserve(static_cast<size_t>(std::max<int>(n, 0)));  // equivalent: constant (room only)
    for (int i = 1; i <= n; ++i)
      if (how.Admits(groups[i])) selected.labelOrder.push_back(static_cast<int16_t>(i));
  }
  return selected;
}

}  // namespace orvant
