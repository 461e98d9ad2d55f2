#include "listing/labels.h"

#include <algorithm>

#include "base/group_codes.h"
#include "listing/fast_digits.h"
#include "listing/listing.h"

namespace orvant {

namespace {

// The label with its group suffix at p; returns the end. A sign and 19
// digits, the suffix, 5 digits at most.
char* PutGroupLabel(char* p, long long label, int16_t group, std::string_view suffix) {
  const bool negative = label < 0;
  if (negative) *p++ = '-';
  p = PutUnsigned(p, negative ? 0 - static_cast<uint64_t>(label) : static_cast<uint64_t>(label));
  if (group > 0 && group != NoGroup) {
    p = std::copy(suffix.begin(), suffix.end(), p);  // "-G" or "G"
    p = PutUnsigned(p, static_cast<uint64_t>(group));
  }
  return p;
}

}  // namespace

// The label is built whole, in place, and written as one item.
void WriteGroupLabel(Listing& listing, long long label, int16_t group, std::string_view suffix) {
  char* p = listing.Room(32 + suffix.size());  // equivalent: constant, arithmetic (26 characters and a suffix of 2 at most)
  listing.Took(PutGroupLabel(p, label, group, suffix));
}

void WriteGroupLabelIn(Listing& listing, long long label, int16_t group, int width) {
  char* const start = listing.Room(34 + static_cast<size_t>(width));  // equivalent: constant (28 characters at most)
  char* p = PutGroupLabel(start, label, group, "-G");
  char* const end = start + width;
  if (p < end) std::fill(p, end, ' ');  // equivalent: boundary (nothing to fill either way)
  listing.Took(end);
}

}  // namespace orvant
