#include "sections/group_order.h"

#include <algorithm>
#include <charconv>
#include <utility>
#include <vector>

#include "listing/listing.h"
#include "model/model_tables.h"

namespace orvant {

// The label is built whole and written as one item (a suffix longer than
// the room, which no section uses, goes as items of its own).
void WriteGroupLabel(Listing& listing, long long label, int16_t group, std::string_view suffix) {
  constexpr size_t kSuffixRoom = 8;
  char text[24 + kSuffixRoom + 8];
  char* const end = text + sizeof text;
  char* p = std::to_chars(text, end, label).ptr;
  const bool grouped = group > 0 && group != NoGroup;
  if (grouped && suffix.size() <= kSuffixRoom) {
    p = std::copy(suffix.begin(), suffix.end(), p);
    p = std::to_chars(p, end, static_cast<int>(group)).ptr;
  }
  listing.Text(std::string_view(text, static_cast<size_t>(p - text)));
  if (grouped && suffix.size() > kSuffixRoom) {
    listing.Text(suffix);
    listing.Digits(group);
  }
}

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
