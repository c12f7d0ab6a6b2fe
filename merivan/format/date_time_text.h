#pragma once
// Dates and times as text by a pattern of the regional settings' language;
// the empty pattern means "c".
#include <cstdint>
#include <string>
#include <string_view>

namespace merivan {

// day: day number (day 1 = 1 January of year 1, proleptic Gregorian);
// ms: milliseconds since midnight (0 to 86,399,999). Replaces `out`.
void DateTimeText(std::string_view pattern, int32_t day, int32_t ms, std::string& out);
std::string DateTimeText(std::string_view pattern, int32_t day, int32_t ms);

}  // namespace merivan
