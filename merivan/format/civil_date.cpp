#include "merivan/format/civil_date.h"

namespace merivan::format_detail {

CivilDate DecodeDayNumber(int32_t dayNumber) {
  if (dayNumber < 1) return {0, 0, 0, 0};
  // Days since 1 March of year 0, from which the months of a year run from
  // March to February. Then Neri and Schneider's Euclidean affine
  // functions: the century, the year within it and the month and day, each
  // by one multiplication and shift where the textbook divides.
  const uint64_t n1 = 4 * (static_cast<uint64_t>(dayNumber) + 305) + 3;
  const uint64_t century = n1 / 146097;
  const uint32_t n2 = static_cast<uint32_t>(n1 % 146097) / 4 * 4 + 3;
  const uint64_t p2 = uint64_t{2939745} * n2;
  const auto yearOfCentury = static_cast<uint32_t>(p2 >> 32);
  const uint32_t dayOfYear = static_cast<uint32_t>(p2) / 2939745 / 4;  // 0 = 1 March
  const uint32_t n3 = 2141 * dayOfYear + 197913;
  const uint32_t month = n3 >> 16;  // 3 = March .. 14 = February
  const bool nextYear = dayOfYear >= 306;  // January or February
  return {static_cast<int64_t>(100 * century + yearOfCentury + (nextYear ? 1 : 0)),
          static_cast<int>(nextYear ? month - 12 : month), static_cast<int>((n3 & 0xFFFF) / 2141 + 1),
          dayNumber % 7 + 1};
}

}  // namespace merivan::format_detail
