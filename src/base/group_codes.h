#pragma once
#include <cstdint>

namespace orvant {

// The group an ungrouped entity counts as in group range mode, where it is
// selected and sorted by this number; a label of this group prints no suffix.
constexpr int16_t NoGroup = 17171;

}  // namespace orvant
