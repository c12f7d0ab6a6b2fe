#pragma once
// Era and year of a date in the calendar types a locale can carry.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "merivan/platform/locale/locale_info.h"
#include "merivan/platform/locale/posix_locale.h"

namespace merivan::platform {

struct EraDate {
  std::string era;  // UTF-8
  int64_t year;     // year within the era
};

// Whether year/month/day is a real proleptic Gregorian date of years 1 to 9999.
bool IsValidDate(const SystemDate& date);

// Days since 1 January 1970 of a valid date.
int64_t DaysSinceEpoch(const SystemDate& date);

// calendarType 3 (Japanese eras, from Meiji on), 4 (Republic of China, from
// 1912 on) and 5 (Korean Tangun era: year + 2333) through ICU or computed;
// any other type gives the Gregorian era name (`gregorianEra`, else ICU's)
// and year. nullopt for a date the calendar cannot show.
std::optional<EraDate> EraDateOf(const PosixLocale& locale, int calendarType,
                                 const SystemDate& date, const char* gregorianEra);

// The first days of the eras EraDateOf shows for the calendar type, oldest
// first: its era and the offset of its year change only there.
std::vector<SystemDate> EraStarts(const PosixLocale& locale, int calendarType);

}  // namespace merivan::platform
