#pragma once
#include <cstdint>

namespace orvant {

// The group that a group range pass gives an ungrouped entity for the rest
// of the run: it sorts after every real group and prints no suffix.
constexpr int16_t NoGroup = 17171;

}  // namespace orvant
