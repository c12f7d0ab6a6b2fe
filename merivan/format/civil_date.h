#pragma once
// Day numbers (day 1 = 1 January of year 1, proleptic Gregorian) as
// calendar dates.
#include <cstdint>

namespace merivan::format_detail {

struct CivilDate {
  int64_t year;  // 0 for day numbers below 1, as are month and day
  int month;
  int day;
  int weekday;  // 1 = Sunday .. 7 = Saturday; 0 for day numbers below 1
};

CivilDate DecodeDayNumber(int32_t dayNumber);

}  // namespace merivan::format_detail
