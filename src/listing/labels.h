#pragma once
// Labels as the sections print them.
#include <cstdint>
#include <string_view>

namespace orvant {

struct Listing;

// The label in plain decimal; when the group is above 0 and not NoGroup,
// followed by the suffix ("-G" or "G") and the group (12-G3).
void WriteGroupLabel(Listing& listing, long long label, int16_t group, std::string_view suffix = "-G");
// The label with "-G" and its group in exactly `width` characters (0 and
// up): blanks after it, or cut at the width.
void WriteGroupLabelIn(Listing& listing, long long label, int16_t group, int width);

}  // namespace orvant
