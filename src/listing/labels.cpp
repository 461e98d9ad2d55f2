#include "listing/labels.h"

#include <algorithm>

#include "base/group_codes.h"
#include "listing/fast_digits.h"
#include "listing/listing.h"

namespace orvant {

// The label is built whole, in place, and written as one item.
void WriteGroupLabel(Listing& listing, long long label, int16_t group, std::string_view suffix) {
  // A sign and 19 digits, the suffix, 5 digits at most.
  char* p = listing.Room(32 + suffix.size());  // equivalent: constant (26 characters and the suffix at most)
  const bool negative = label < 0;
  if (negative) *p++ = '-';
  p = PutUnsigned(p, negative ? 0 - static_cast<uint64_t>(label) : static_cast<uint64_t>(label));
  if (group > 0 && group != NoGroup) {
    p = std::copy(suffix.begin(), suffix.end(), p);  // "-G" or "G"
    p = PutUnsigned(p, static_cast<uint64_t>(group));
  }
  listing.Took(p);
}

}  // namespace orvant
