#include "merivan/platform/locale/icu_locale_items.h"

#include <unicode/dcfmtsym.h>
#include <unicode/dtfmtsym.h>
#include <unicode/smpdtfmt.h>
#include <unicode/uloc.h>

#include <cstring>
#include <memory>

#include "merivan/platform/locale/icu_pattern.h"

namespace merivan::platform {

namespace {

// ICU reads the calendar from the locale keyword: japanese and roc give
// their own patterns with era fields. Every other calendar type shows
// Gregorian years, so it takes the Gregorian patterns even where ICU's
// default calendar is another (Thai Buddhist, Islamic, Persian); the Korean
// era has no ICU calendar either. Numbers are written with ASCII digits,
// so the decimal mark is that of the Latin digits (Arabic has its own).
icu::Locale IcuLocaleOf(const PosixLocale& locale) {
  const char* calendar = locale.calendarType == CAL_JAPAN    ? "japanese"
                         : locale.calendarType == CAL_TAIWAN ? "roc"
                                                             : "gregorian";
  const std::string name = locale.base + "@calendar=" + calendar + ";numbers=latn";
  return icu::Locale(name.c_str());
}

// ICU answers an unknown language from its default locale or its root
// data; only data of the language asked for counts. The valid locale tells
// which was chosen (the actual one may be an alias: "no" serves "nb").
bool Known(const icu::DateFormatSymbols& symbols, const icu::Locale& asked, UErrorCode status) {
  if (U_FAILURE(status)) return false;
  const icu::Locale valid = symbols.getLocale(ULOC_VALID_LOCALE, status);
  return U_SUCCESS(status) && std::strcmp(valid.getLanguage(), asked.getLanguage()) == 0;
}

std::string Utf8(const icu::UnicodeString& text) {
  std::string out;
  text.toUTF8String(out);
  return out;
}

std::optional<icu::UnicodeString> Pattern(const icu::Locale& locale, bool time,
                                          icu::DateFormat::EStyle style) {
  std::unique_ptr<icu::DateFormat> format(time ? icu::DateFormat::createTimeInstance(style, locale)
                                               : icu::DateFormat::createDateInstance(style, locale));
  auto* simple = dynamic_cast<icu::SimpleDateFormat*>(format.get());
  if (!simple) return std::nullopt;
  icu::UnicodeString pattern;
  simple->toPattern(pattern);
  return pattern;
}

std::optional<std::string> Symbol(const icu::Locale& locale, LCTYPE item) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::DateFormatSymbols symbols(locale, status);
  if (U_FAILURE(status)) return std::nullopt;
  int32_t count = 0;
  using S = icu::DateFormatSymbols;
  if (item == LOCALE_S1159 || item == LOCALE_S2359) {
    const icu::UnicodeString* marks = symbols.getAmPmStrings(count);
    const int index = item == LOCALE_S1159 ? 0 : 1;
    return count > index ? std::optional(Utf8(marks[index])) : std::nullopt;
  }
  if (item >= LOCALE_SMONTHNAME1 && item <= LOCALE_SABBREVMONTHNAME12) {
    const bool abbreviated = item >= LOCALE_SABBREVMONTHNAME1;
    const int index = static_cast<int>(item - (abbreviated ? LOCALE_SABBREVMONTHNAME1 : LOCALE_SMONTHNAME1));
    // Windows gives the nominative forms, ICU's stand-alone ones.
    const icu::UnicodeString* months =
        symbols.getMonths(count, S::STANDALONE, abbreviated ? S::ABBREVIATED : S::WIDE);
    return index < count ? std::optional(Utf8(months[index])) : std::nullopt;
  }
  if (item >= LOCALE_SDAYNAME1 && item <= LOCALE_SABBREVDAYNAME7) {
    const bool abbreviated = item >= LOCALE_SABBREVDAYNAME1;
    // Windows counts from Monday (1) to Sunday (7); ICU from Sunday (1).
    const int monday0 = static_cast<int>(item - (abbreviated ? LOCALE_SABBREVDAYNAME1 : LOCALE_SDAYNAME1));
    const int index = monday0 == 6 ? 1 : monday0 + 2;
    const icu::UnicodeString* days =
        symbols.getWeekdays(count, S::STANDALONE, abbreviated ? S::ABBREVIATED : S::WIDE);
    return index < count ? std::optional(Utf8(days[index])) : std::nullopt;
  }
  return std::nullopt;
}

}  // namespace

LCID IcuLcidOf(const PosixLocale& locale) { return uloc_getLCID(locale.base.c_str()); }

std::string IcuLocaleNameOf(LCID lcid) {
  char name[ULOC_FULLNAME_CAPACITY];
  UErrorCode status = U_ZERO_ERROR;
  const int32_t length = uloc_getLocaleForLCID(lcid, name, sizeof name, &status);
  if (U_FAILURE(status) || length <= 0 || length >= static_cast<int32_t>(sizeof name)) return "";
  return std::string(name, static_cast<size_t>(length));
}

std::optional<std::string> IcuLocaleItem(const PosixLocale& posix, LCTYPE item) {
  const icu::Locale locale = IcuLocaleOf(posix);
  {
    // One probe decides whether ICU knows the language at all.
    UErrorCode status = U_ZERO_ERROR;
    const icu::DateFormatSymbols probe(locale, status);
    if (!Known(probe, locale, status)) return std::nullopt;
  }
  switch (item) {
    case LOCALE_SDECIMAL: {
      UErrorCode status = U_ZERO_ERROR;
      const icu::DecimalFormatSymbols symbols(locale, status);
      if (U_FAILURE(status)) return std::nullopt;
      return Utf8(symbols.getSymbol(icu::DecimalFormatSymbols::kDecimalSeparatorSymbol));
    }
    case LOCALE_SDATE: {
      const auto pattern = Pattern(locale, false, icu::DateFormat::kShort);
      if (!pattern) return std::nullopt;
      const std::string separator = DateSeparatorOf(*pattern);
      return separator.empty() ? std::nullopt : std::optional(separator);
    }
    case LOCALE_SSHORTDATE:
    case LOCALE_SLONGDATE: {
      const auto pattern = Pattern(
          locale, false, item == LOCALE_SSHORTDATE ? icu::DateFormat::kShort : icu::DateFormat::kLong);
      if (!pattern) return std::nullopt;
      return ConvertIcuDatePattern(*pattern);
    }
    case LOCALE_STIME:
    case LOCALE_ITIME:
    case LOCALE_ITLZERO:
    case LOCALE_ITIMEMARKPOSN: {
      const auto pattern = Pattern(locale, true, icu::DateFormat::kMedium);
      if (!pattern) return std::nullopt;
      const TimePatternFacts facts = AnalyzeIcuTimePattern(*pattern);
      if (item == LOCALE_STIME)
        return facts.separator.empty() ? std::nullopt : std::optional(facts.separator);
      const int value = item == LOCALE_ITIME     ? facts.itime
                        : item == LOCALE_ITLZERO ? facts.itlzero
                                                 : facts.itimemarkposn;
      return std::to_string(value);
    }
    case LOCALE_ICALENDARTYPE:
      return std::to_string(posix.calendarType);
    default:
      return Symbol(locale, item);
  }
}

}  // namespace merivan::platform
