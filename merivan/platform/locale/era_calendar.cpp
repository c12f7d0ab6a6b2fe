#include "merivan/platform/locale/era_calendar.h"

#include <unicode/gregocal.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>

#include <memory>


namespace merivan::platform {

namespace {

constexpr double kMsPerDay = 86'400'000.0;
// The first days Windows shows in the Japanese (Meiji 1) and Taiwanese
// (Republic year 1) calendars.
constexpr SystemDate kMeiji{1868, 9, 8};
constexpr SystemDate kRepublic{1912, 1, 1};

bool Before(const SystemDate& a, const SystemDate& b) {
  if (a.year != b.year) return a.year < b.year;
  if (a.month != b.month) return a.month < b.month;
  return a.day < b.day;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

// Texts of one date at noon UTC in the locale's calendar, one per ICU
// pattern; the formatter is built once for all of them, since building it
// costs far more than formatting.
class IcuDateTexts {
 public:
  IcuDateTexts(const std::string& localeName, const SystemDate& date)
      : format_(icu::UnicodeString("G"), icu::Locale(localeName.c_str()), status_),
        when_(static_cast<double>(DaysSinceEpoch(date)) * kMsPerDay + kMsPerDay / 2) {
    if (U_SUCCESS(status_)) format_.setTimeZone(*icu::TimeZone::getGMT());
  }

  std::optional<std::string> Text(const char* pattern) {
    if (U_FAILURE(status_)) return std::nullopt;
    format_.applyPattern(icu::UnicodeString(pattern));
    icu::UnicodeString text;
    format_.format(when_, text);
    std::string out;
    text.toUTF8String(out);
    return out;
  }

 private:
  UErrorCode status_ = U_ZERO_ERROR;
  icu::SimpleDateFormat format_;
  UDate when_;
};

std::optional<EraDate> IcuEraDate(const PosixLocale& locale, const char* calendar,
                                  const SystemDate& date) {
  IcuDateTexts texts(locale.base + "@calendar=" + calendar, date);
  auto era = texts.Text("G");
  auto year = texts.Text("y");
  if (!era || !year || year->empty()) return std::nullopt;
  int64_t value = 0;
  for (char c : *year) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return EraDate{*era, value};
}

constexpr SystemDate kFirstDay{1, 1, 1};
constexpr SystemDate kLastDay{9999, 12, 31};

// The days where ICU's era of a calendar changes, found by halving the
// spans whose two ends lie in different eras: some twenty looks per era.
class EraBoundaries {
 public:
  EraBoundaries(const std::string& localeName, std::vector<SystemDate>& starts)
      : calendar_(icu::Calendar::createInstance(icu::TimeZone::getGMT()->clone(),
                                                icu::Locale(localeName.c_str()), status_)),
        gregorian_(icu::TimeZone::getGMT()->clone(), status_),
        starts_(starts) {}

  bool Ok() const { return U_SUCCESS(status_) && calendar_; }
  void Find(int64_t fromDay, int64_t toDay) { Split(fromDay, EraAt(fromDay), toDay, EraAt(toDay)); }

 private:
  int32_t EraAt(int64_t day) {
    calendar_->setTime(static_cast<double>(day) * kMsPerDay + kMsPerDay / 2, status_);
    return calendar_->get(UCAL_ERA, status_);
  }
  // Eras only move forward, so equal ends mean no change between them.
  void Split(int64_t lo, int32_t eraLo, int64_t hi, int32_t eraHi) {
    if (eraLo == eraHi || U_FAILURE(status_)) return;
    if (hi - lo == 1) {
      starts_.push_back(DateOf(hi));
      return;
    }
    const int64_t mid = lo + (hi - lo) / 2;
    const int32_t eraMid = EraAt(mid);
    Split(lo, eraLo, mid, eraMid);
    Split(mid, eraMid, hi, eraHi);
  }
  SystemDate DateOf(int64_t day) {
    gregorian_.setTime(static_cast<double>(day) * kMsPerDay + kMsPerDay / 2, status_);
    return {gregorian_.get(UCAL_EXTENDED_YEAR, status_), gregorian_.get(UCAL_MONTH, status_) + 1,
            gregorian_.get(UCAL_DATE, status_)};
  }

  UErrorCode status_ = U_ZERO_ERROR;
  std::unique_ptr<icu::Calendar> calendar_;
  icu::GregorianCalendar gregorian_;
  std::vector<SystemDate>& starts_;
};

}  // namespace

std::vector<SystemDate> EraStarts(const PosixLocale& locale, int calendarType) {
  if (calendarType != CAL_JAPAN) return {calendarType == CAL_TAIWAN ? kRepublic : kFirstDay};
  std::vector<SystemDate> starts{kMeiji};
  EraBoundaries boundaries(locale.base + "@calendar=japanese", starts);
  if (boundaries.Ok()) boundaries.Find(DaysSinceEpoch(kMeiji), DaysSinceEpoch(kLastDay));
  return starts;
}

bool IsValidDate(const SystemDate& date) {
  return date.year >= 1 && date.year <= 9999 && date.month >= 1 && date.month <= 12 &&
         date.day >= 1 && date.day <= DaysInMonth(date.year, date.month);
}

int64_t DaysSinceEpoch(const SystemDate& date) {
  // Civil date to days (H. Hinnant's algorithm).
  const int64_t y = date.year - (date.month <= 2 ? 1 : 0);
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t mp = date.month > 2 ? date.month - 3 : date.month + 9;
  const int64_t doy = (153 * mp + 2) / 5 + date.day - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

std::optional<EraDate> EraDateOf(const PosixLocale& locale, int calendarType,
                                 const SystemDate& date, const char* gregorianEra) {
  if (!IsValidDate(date)) return std::nullopt;
  switch (calendarType) {
    case CAL_JAPAN:
      if (Before(date, kMeiji)) return std::nullopt;
      return IcuEraDate(locale, "japanese", date);
    case CAL_TAIWAN:
      if (Before(date, kRepublic)) return std::nullopt;
      return IcuEraDate(locale, "roc", date);
    case CAL_KOREA:
      return EraDate{"단기", date.year + 2333};
    default: {
      if (gregorianEra) return EraDate{gregorianEra, date.year};
      // The Gregorian era also where ICU's default calendar is another.
      auto era = IcuDateTexts(locale.base + "@calendar=gregorian", date).Text("G");
      if (!era) return std::nullopt;
      return EraDate{*era, date.year};
    }
  }
}

}  // namespace merivan::platform
