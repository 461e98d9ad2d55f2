#include "views/view_options.h"

namespace orvant {

const char* ViewName(View view) {
  switch (view) {
    case View::kXy: return "xy";
    case View::kYz: return "yz";
    case View::kXz: return "xz";
    case View::kIso: break;
  }
  return "iso";
}

}  // namespace orvant
