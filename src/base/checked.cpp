#include "base/checked.h"

namespace orvant {

void ThrowIndexFault(const char* table, long long index, long long maxIndex) {
  throw IndexFault(std::string(table) + " index " + std::to_string(index) + " outside 0.." +
                   std::to_string(maxIndex));
}

int16_t ToInt16(double value) {
  if (!std::isfinite(value)) throw RunFault("number is not finite");
  double r = std::nearbyint(value);  // default rounding mode: halves to even
  if (r < -32768.0 || r > 32767.0) throw RunFault("number " + std::to_string(value) + " overflows 16 bits");
  return static_cast<int16_t>(r);
}

void ThrowOverflow16(long long v) { throw RunFault("16-bit overflow: " + std::to_string(v)); }

}  // namespace orvant
