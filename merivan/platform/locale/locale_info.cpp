#include "merivan/platform/locale/locale_info.h"

#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "merivan/platform/locale/codepage.h"
#include "merivan/platform/locale/date_picture.h"
#include "merivan/platform/locale/dbcs.h"
#include "merivan/platform/locale/era_calendar.h"
#include "merivan/platform/locale/icu_locale_items.h"
#include "merivan/platform/locale/posix_locale.h"
#include "merivan/platform/locale/windows_locales.h"

namespace merivan::platform {

namespace {

// Windows keeps a locale per thread; this is its stand-in. The user
// default means "follow the environment".
thread_local LCID threadLocale = LOCALE_USER_DEFAULT;

LCID LcidOf(const PosixLocale& locale) {
  if (const WindowsLocale* known = FindWindowsLocale(locale.base)) return static_cast<LCID>(known->lcid);
  const LCID id = IcuLcidOf(locale);
  // A language without a Windows id still answers, as the neutral user default.
  return id != 0 ? id : LOCALE_USER_DEFAULT;
}

LCID UserDefaultLcid() {
  std::optional<PosixLocale> locale = UserLocale(LocaleCategory::Time);
  if (!locale) locale = UserLocale(LocaleCategory::Numeric);
  return locale ? LcidOf(*locale) : 0;
}

// The locale that answers for `lcid` in the category; none for 0 and for
// ids nobody knows.
std::optional<PosixLocale> LocaleFor(LCID lcid, LocaleCategory category) {
  if (lcid == 0) return std::nullopt;
  if (lcid == LOCALE_USER_DEFAULT || lcid == LOCALE_SYSTEM_DEFAULT || lcid == UserDefaultLcid())
    return UserLocale(category);
  const std::string name = IcuLocaleNameOf(lcid);
  return name.empty() ? std::nullopt : ParsePosixLocale(name);
}

LocaleCategory CategoryOf(LCTYPE item) {
  return item == LOCALE_SDECIMAL ? LocaleCategory::Numeric : LocaleCategory::Time;
}

std::optional<std::string> ItemUtf8(const PosixLocale& locale, LCTYPE item) {
  if (const WindowsLocale* known = FindWindowsLocale(locale.base))
    return WindowsLocaleItem(*known, item, locale.calendarType);
  return IcuLocaleItem(locale, item);
}

int CopyOut(const std::string& utf8, char* buffer, int size) {
  const std::string ansi = Utf8ToCodePage(utf8, AnsiCodePage());
  const int needed = static_cast<int>(ansi.size()) + 1;
  if (size == 0) return needed;
  if (!buffer || size < needed) return 0;
  std::memcpy(buffer, ansi.data(), ansi.size());
  buffer[ansi.size()] = '\0';
  return needed;
}

}  // namespace

LCID GetThreadLocale() {
  return threadLocale == LOCALE_USER_DEFAULT ? UserDefaultLcid() : threadLocale;
}

bool SetThreadLocale(LCID locale) {
  if (locale == LOCALE_USER_DEFAULT || locale == LOCALE_SYSTEM_DEFAULT) {
    threadLocale = LOCALE_USER_DEFAULT;
    return true;
  }
  if (locale == 0 || IcuLocaleNameOf(locale).empty()) return false;
  threadLocale = locale;
  return true;
}

int GetLocaleInfoA(LCID lcid, LCTYPE item, char* buffer, int size) {
  if (size < 0) return 0;
  const std::optional<PosixLocale> locale = LocaleFor(lcid, CategoryOf(item));
  if (!locale) return 0;
  const std::optional<std::string> text = ItemUtf8(*locale, item);
  return text ? CopyOut(*text, buffer, size) : 0;
}

int GetDateFormatA(LCID lcid, uint32_t flags, const SystemDate& date, const char* picture,
                   char* buffer, int size) {
  if (size < 0 || !picture || !IsValidDate(date)) return 0;
  const std::optional<PosixLocale> locale = LocaleFor(lcid, LocaleCategory::Time);
  if (!locale) return 0;
  const int calendar = (flags & DATE_USE_ALT_CALENDAR) ? locale->calendarType : CAL_GREGORIAN;
  // A locale nobody has data for has no calendar texts either.
  if (!ItemUtf8(*locale, LOCALE_ICALENDARTYPE)) return 0;
  const WindowsLocale* known = FindWindowsLocale(locale->base);
  const std::optional<EraDate> era = EraDateOf(*locale, calendar, date, known ? known->era : nullptr);
  if (!era) return 0;
  const std::string text = FormatDatePicture(
      picture, date, *era, calendar != CAL_GREGORIAN,
      [&locale](LCTYPE item) { return ItemUtf8(*locale, item); });
  return CopyOut(text, buffer, size);
}

std::vector<SystemDate> EraStartDates(LCID lcid) {
  const std::optional<PosixLocale> locale = LocaleFor(lcid, LocaleCategory::Time);
  if (!locale || !ItemUtf8(*locale, LOCALE_ICALENDARTYPE)) return {};
  return EraStarts(*locale, locale->calendarType);
}

bool DbcsEnabled() { return IsDoubleByteCodePage(AnsiCodePage()); }

}  // namespace merivan::platform
