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

const char* UpName(Up up) {
  switch (up) {
    case Up::kX: return "x";
    case Up::kY: return "y";
    case Up::kZ: break;
  }
  return "z";
}

}  // namespace orvant
