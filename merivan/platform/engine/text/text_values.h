#pragma once
// Values of a text table as their field data areas. Dates, times and
// timestamps are read in these fixed forms (whatever the user's locale):
//   date       YYYY-MM-DD, D.M.YYYY or M/D/YYYY (one or two digit day and month)
//   time       H:MM, H:MM:SS or H:MM:SS.fff (24-hour), optionally followed by AM or PM
//   timestamp  a date, then blanks or a "T", then a time; or a date alone
// Numbers use "." as decimal mark; Booleans are T/TRUE/Y/YES/1 or F/FALSE/N/NO/0.
#include <cstdint>
#include <optional>
#include <string_view>

#include "merivan/platform/engine/text/text_schema.h"

namespace merivan::engine {

std::optional<int32_t> ParseTextDate(std::string_view text);
std::optional<int32_t> ParseTextTime(std::string_view text);  // milliseconds since midnight
std::optional<double> ParseTextTimestamp(std::string_view text);  // day * 86400000 + ms

// Fills `area` from the column's text; false for a null value (an empty
// text, or one that does not read as the column's type).
bool DecodeTextValue(const TextColumn& column, std::string_view text, uint8_t* area);

}  // namespace merivan::engine
