#include "listing/labels.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "base/group_codes.h"
#include "listing/fast_digits.h"
#include "listing/listing.h"

namespace orvant {

// The label is built whole and written as one item (a suffix longer than
// the room, which no section uses, goes as items of its own).
void WriteGroupLabel(Listing& listing, long long label, int16_t group, std::string_view suffix) {
  constexpr size_t kSuffixRoom = 8;
  const bool grouped = group > 0 && group != NoGroup;
  if (label >= 0 && label <= 99999 && suffix.size() <= kSuffixRoom) {
    // The usual label, built in place: at most 5 + 8 + 5 characters.
    char* const start = listing.Room(32);  // equivalent: constant (18 characters at most)
    char* p = PutSmallUnsigned(start, static_cast<uint32_t>(label));
    if (grouped) {
      for (char c : suffix) *p++ = c;  // "-G" or "G"
      p = PutSmallUnsigned(p, static_cast<uint32_t>(group));
    }
    listing.Took(p);
    return;
  }
  char text[24 + kSuffixRoom + 8];  // equivalent: constant (room to spare)
  char* const end = text + sizeof text;
  char* p = std::to_chars(text, end, label).ptr;
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

}  // namespace orvant
