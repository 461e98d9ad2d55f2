#pragma once
// The moment a listing is dated. Engineers compare the listings of model
// revisions with diff, so a run may be given its moment the way reproducible
// builds are: SOURCE_DATE_EPOCH, seconds since 1970-01-01 00:00:00 UTC.
#include <string>

namespace orvant {

struct ListingMoment {
  std::string date;  // "dd/mm/yyyy"
  std::string time;  // "HH:MM:SS"
};

// The largest moment that a four-digit year can show: 31/12/9999 23:59:59.
inline constexpr long long kLastListingSecond = 253402300799;

// sourceDateEpoch is SOURCE_DATE_EPOCH's value, or null when it is unset:
// then the moment is now, in local time. Set, it must be digits only (no
// sign, no blanks, not empty), a number of seconds from 0 to
// kLastListingSecond, and the moment is that second in UTC; anything else
// throws RunFault.
ListingMoment ListingMomentFrom(const char* sourceDateEpoch);

}  // namespace orvant
