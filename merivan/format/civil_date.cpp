#include "merivan/format/civil_date.h"

namespace merivan::format_detail {

namespace {
// Day number of 1 January 1970, the epoch of the conversion below.
constexpr int64_t kUnixEpochDay = 719163;
}  // namespace

CivilDate DecodeDayNumber(int32_t dayNumber) {
  if (dayNumber < 1) return {0, 0, 0, 0};
  // Days to civil date over 400-year eras (H. Hinnant's algorithm).
  const int64_t z = static_cast<int64_t>(dayNumber) - kUnixEpochDay + 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);
  return {year, month, day, dayNumber % 7 + 1};
}

}  // namespace merivan::format_detail
