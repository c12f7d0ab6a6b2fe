#pragma once
// The date pictures of GetDateFormatA: g/gg era, y and yy (the year without
// century, yy with a leading zero), yyyy, M to MMMM, d to dddd, quoted text; other characters as written.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "merivan/platform/locale/era_calendar.h"
#include "merivan/platform/locale/locale_info.h"

namespace merivan::platform {

// `item` looks up month and day names (UTF-8). `eraYears` tells that the
// year is an era year, which yyyy shows without filling up to four digits.
// UTF-8 result.
std::string FormatDatePicture(std::string_view picture, const SystemDate& date,
                              const EraDate& era, bool eraYears,
                              const std::function<std::optional<std::string>(LCTYPE)>& item);

}  // namespace merivan::platform
