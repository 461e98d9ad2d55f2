#pragma once
// Group ordering shared by the model data sections: the stable ordering
// of labels by group.
#include <cstdint>
#include <string_view>

#include "base/checked.h"

namespace orvant {

// The visiting order of a group range pass: order is sized to positions
// 1..n holding labels 1..n, every group 0 of labels 1..n becomes NoGroup
// (for the rest of the run), and the order is sorted by group.
void BuildGroupOrder(Table<int16_t>& order, Table<int16_t>& groups, long long n);

// Reorders positions 1..n of order so that key(order(j)) ascends; equal
// keys keep their relative order (the order of a full exchange sort).
void SortByGroup(Table<int16_t>& order, const Table<int16_t>& key, long long n);

}  // namespace orvant
