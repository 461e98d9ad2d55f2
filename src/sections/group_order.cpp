#include "sections/group_order.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "model/model_tables.h"

namespace orvant {

void BuildGroupOrder(Table<int16_t>& order, Table<int16_t>& groups, long long n) {
  order.Size(n);
  for (long long i = 1; i <= n; ++i) {
    order[i] = static_cast<int16_t>(i);
    if (groups[i] == 0) groups[i] = NoGroup;
  }
  SortByGroup(order, groups, n);
}

void SortByGroup(Table<int16_t>& order, const Table<int16_t>& key, long long n) {
  if (n < 2) return;
  // An exchange sort that swaps only on strictly smaller keys is stable:
  // a stable sort by key gives exactly its order.
  std::vector<std::pair<int16_t, int16_t>> keyed;
  keyed.reserve(static_cast<size_t>(n));
  for (long long j = 1; j <= n; ++j) {
    int16_t label = order[j];
    keyed.emplace_back(key[label], label);
  }
  std::stable_sort(keyed.begin(), keyed.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (long long j = 1; j <= n; ++j) order[j] = keyed[static_cast<size_t>(j - 1)].second;
}

}  // namespace orvant
