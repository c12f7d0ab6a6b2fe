#pragma once
// Dates and times as text by a pattern of the regional settings' language;
// the empty pattern means "c".
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "merivan/format/date_pattern.h"

namespace merivan {

// The whole text is cut at this many bytes.
constexpr size_t kDateTimeTextMax = 256;

// day: day number (day 1 = 1 January of year 1, proleptic Gregorian);
// ms: milliseconds since midnight (0 to 86,399,999). Writes the text at
// `out`, which has room for kDateTimeTextMax bytes, and returns its end.
char* DateTimeText(const DatePattern& pattern, int32_t day, int32_t ms, char* out);
// The same for a pattern read just for this call; replaces `out`.
void DateTimeText(std::string_view pattern, int32_t day, int32_t ms, std::string& out);
std::string DateTimeText(std::string_view pattern, int32_t day, int32_t ms);

}  // namespace merivan
