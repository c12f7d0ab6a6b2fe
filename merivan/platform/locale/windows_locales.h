#pragma once
// The values Windows itself gives for the locales of our users, so that
// their texts match what the program wrote on Windows. Texts are UTF-8.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "merivan/platform/locale/locale_info.h"

namespace merivan::platform {

struct WindowsLocale {
  const char* base;  // "cs_CZ"
  int lcid;
  const char* decimal;
  const char* dateSeparator;
  const char* timeSeparator;
  const char* shortDate;
  const char* longDate;
  const char* am;
  const char* pm;
  int itime;          // 1 = 24-hour clock
  int itlzero;        // 1 = hours with a leading zero
  int itimemarkposn;  // 1 = AM/PM before the time
  const char* era;    // the Gregorian era name of the "gg" picture
  std::array<const char*, 12> monthsShort;
  std::array<const char*, 12> monthsLong;
  std::array<const char*, 7> daysShort;  // Sunday first
  std::array<const char*, 7> daysLong;
};

// The entry for "cs_CZ" and the like; a bare language ("cs") finds the
// language's first entry. nullptr when the table has none.
const WindowsLocale* FindWindowsLocale(std::string_view base);

// The item's text as Windows gives it; nullopt for items the regional
// settings do not read.
std::optional<std::string> WindowsLocaleItem(const WindowsLocale& locale, LCTYPE item,
                                             int calendarType);

}  // namespace merivan::platform
