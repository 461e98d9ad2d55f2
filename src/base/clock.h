#pragma once
// The clock: the date and time the listing's title block shows.
#include <string>

namespace orvant {

// Current local date "dd/mm/yyyy" and time "HH:MM:SS".
std::string CurrentDate();
std::string CurrentTime();

}  // namespace orvant
