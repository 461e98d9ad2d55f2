#pragma once
// The two kinds of run-time failure. Exactly two handlers catch them: the
// start-up handler and the listing handler.
#include <stdexcept>
#include <string>

namespace orvant {

// A table index that the data drove out of range (the listing shows the
// "Load label too high" message for it).
struct IndexFault : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Every other run-time failure: 16-bit overflow, a missing required file,
// a short read, a value of the wrong kind, a failed write.
struct RunFault : std::runtime_error {
  using std::runtime_error::runtime_error;
};

}  // namespace orvant
