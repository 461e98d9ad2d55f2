#include "base/source_date.h"

#include <ctime>
#include <string_view>

#include "base/faults.h"
#include "base/clock.h"

namespace orvant {

namespace {

// The value as part of a message, however long it is (the message shows
// control characters as "?").
std::string Shown(std::string_view value) {
  constexpr size_t kShown = 40;
  const std::string out(value.substr(0, kShown));
  return value.size() > kShown ? out + "..." : out;
}

std::string FormatUtc(const std::tm& utc, const char* format) {
  char buf[32];  // equivalent: constant (10 characters at most)
  const size_t n = std::strftime(buf, sizeof buf, format, &utc);
  return std::string(buf, n);
}

}  // namespace

ListingMoment ListingMomentFrom(const char* sourceDateEpoch) {
  if (!sourceDateEpoch) return {CurrentDate(), CurrentTime()};
  const std::string_view text = sourceDateEpoch;
  long long seconds = 0;
  bool whole = !text.empty();
  for (size_t i = 0; whole && i < text.size(); ++i) {
    whole = text[i] >= '0' && text[i] <= '9';
    seconds = seconds * 10 + (text[i] - '0');
    whole = whole && seconds <= kLastListingSecond;  // checked at every digit: never overflows
  }
  const std::time_t moment = static_cast<std::time_t>(seconds);
  std::tm utc{};
  if (!whole || moment != seconds || !gmtime_r(&moment, &utc))
    throw RunFault("SOURCE_DATE_EPOCH='" + Shown(text) + "' is not a whole number of seconds since 1970 (0 to " +
                   std::to_string(kLastListingSecond) + ")");
  return {FormatUtc(utc, "%d/%m/%Y"), FormatUtc(utc, "%H:%M:%S")};
}

}  // namespace orvant
