#include "base/clock.h"

#include <ctime>

namespace orvant {

namespace {

std::string FormatNow(const char* format) {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char buf[32];  // equivalent: constant (10 characters at most)
  size_t n = std::strftime(buf, sizeof buf, format, &local);
  return std::string(buf, n);
}

}  // namespace

std::string CurrentDate() { return FormatNow("%d/%m/%Y"); }
std::string CurrentTime() { return FormatNow("%H:%M:%S"); }

}  // namespace orvant
