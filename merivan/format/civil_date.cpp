#include "merivan/format/civil_date.h"

namespace merivan::format_detail {

CivilDate DecodeDayNumber(int32_t dayNumber) {
  if (dayNumber < 1) return {0, 0, 0, 0};
  // Days to civil date over 400-year eras (H. Hinnant's algorithm), counted
  // from 1 March of year 0: day numbers from 1 on are all past it, so
  // unsigned 32-bit arithmetic serves, which divides fastest.
  const uint32_t z = static_cast<uint32_t>(dayNumber) + 305;
  const uint32_t era = z / 146097;
  const uint32_t doe = z - era * 146097;
  const uint32_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const uint32_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const uint32_t mp = (5 * doy + 2) / 153;
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const int64_t year = static_cast<int64_t>(yoe) + static_cast<int64_t>(era) * 400 + (month <= 2 ? 1 : 0);
  return {year, month, day, dayNumber % 7 + 1};
}

}  // namespace merivan::format_detail
