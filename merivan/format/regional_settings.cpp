// LoadRegionalSettings and its reload: the user's locale items, with the
// defaults that apply when the platform answers nothing.
#include "merivan/format/regional_settings.h"

#include <string_view>

#include "merivan/format/era_pattern.h"
#include "merivan/format/era_text.h"
#include "merivan/format/locale_reader.h"
#include "merivan/platform/locale/codepage.h"
#include "merivan/platform/locale/dbcs.h"
#include "merivan/platform/locale/english_names.h"
#include "merivan/platform/locale/locale_info.h"

namespace merivan {

TRegionalSettings RegionalSettings;

namespace {

namespace pl = platform;
using format_detail::LocaleReader;

std::string TimePattern(const LocaleReader& reader, std::string_view body) {
  const std::string hour = reader.Number(pl::LOCALE_ITLZERO, "0", 0) != 0 ? "hh" : "h";
  std::string prefix;
  std::string suffix;
  if (reader.Number(pl::LOCALE_ITIME, "0", 0) == 0) {
    if (reader.Number(pl::LOCALE_ITIMEMARKPOSN, "0", 0) != 0)
      prefix = "AMPM ";
    else
      suffix = " AMPM";
  }
  return prefix + hour + std::string(body) + suffix;
}

// The locale facts of the era rules, read once at start-up like the names.
void LoadFacts(TRegionalSettings& s) {
  const pl::LCID locale = pl::GetThreadLocale();
  s.PrimaryLanguage = locale == 0 ? 0x09 : static_cast<int>(locale & 0x3FF);
  s.SubLanguage = static_cast<int>((locale >> 10) & 0x3F);
  s.LeadBytes.reset();
  if (pl::DbcsEnabled()) s.LeadBytes = pl::LeadBytesOf(pl::AnsiCodePage());
}

// Separators, patterns, AM/PM texts and eras: what a settings change rereads.
void LoadItems(TRegionalSettings& s) {
  const LocaleReader reader(pl::GetThreadLocale());
  s.DecimalMark = reader.Character(pl::LOCALE_SDECIMAL, '.');
  s.DateMark = reader.Character(pl::LOCALE_SDATE, '/');
  s.TimeMark = reader.Character(pl::LOCALE_STIME, ':');
  const int calendar = reader.Number(pl::LOCALE_ICALENDARTYPE, "1", 1);
  s.ShortDatePattern = format_detail::EraRewrite(reader.Text(pl::LOCALE_SSHORTDATE, "m/d/yy"),
                                                 calendar, s.PrimaryLanguage, s.LeadBytes);
  s.LongDatePattern = format_detail::EraRewrite(reader.Text(pl::LOCALE_SLONGDATE, "mmmm d, yyyy"),
                                                calendar, s.PrimaryLanguage, s.LeadBytes);
  s.AmText = reader.Text(pl::LOCALE_S1159, "am");
  s.PmText = reader.Text(pl::LOCALE_S2359, "pm");
  s.ShortTimePattern = TimePattern(reader, ":mm");
  s.LongTimePattern = TimePattern(reader, ":mm:ss");
  s.Eras = format_detail::LoadEraTable();
}

void LoadNames(TRegionalSettings& s) {
  const LocaleReader reader(pl::GetThreadLocale());
  for (int i = 1; i <= 12; ++i) {
    s.MonthNamesShort[i] = reader.Name(pl::LOCALE_SABBREVMONTHNAME1 + i - 1, pl::kEnglishMonthsShort[i - 1]);
    s.MonthNamesLong[i] = reader.Name(pl::LOCALE_SMONTHNAME1 + i - 1, pl::kEnglishMonthsLong[i - 1]);
  }
  for (int j = 1; j <= 7; ++j) {
    const pl::LCTYPE shortItem =
        j == 1 ? pl::LOCALE_SABBREVDAYNAME7 : pl::LOCALE_SABBREVDAYNAME1 + j - 2;
    const pl::LCTYPE longItem = j == 1 ? pl::LOCALE_SDAYNAME7 : pl::LOCALE_SDAYNAME1 + j - 2;
    s.DayNamesShort[j] = reader.Name(shortItem, pl::kEnglishDaysShort[j - 1]);
    s.DayNamesLong[j] = reader.Name(longItem, pl::kEnglishDaysLong[j - 1]);
  }
}

}  // namespace

void LoadRegionalSettings() {
  LoadFacts(RegionalSettings);
  LoadItems(RegionalSettings);
  LoadNames(RegionalSettings);
}

void ReloadRegionalSettings() {
  pl::SetThreadLocale(pl::LOCALE_USER_DEFAULT);
  LoadItems(RegionalSettings);
}

}  // namespace merivan
