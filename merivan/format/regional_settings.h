#pragma once
// The process-wide record of the user's regional settings, read from the
// locale at start-up. All texts are bytes in the Windows ANSI code page.
#include <array>
#include <bitset>
#include <string>

#include "merivan/format/date_pattern.h"

namespace merivan {

struct TRegionalSettings {
  char DecimalMark = '.';
  char DateMark = '/';
  char TimeMark = ':';
  // Read into their steps whenever one is set (date_pattern.h).
  DatePattern ShortDatePattern{"m/d/yy"};
  DatePattern LongDatePattern{"mmmm d, yyyy"};
  DatePattern ShortTimePattern{"h:mm AMPM"};
  DatePattern LongTimePattern{"h:mm:ss AMPM"};
  std::string AmText = "am";
  std::string PmText = "pm";
  std::array<std::string, 13> MonthNamesShort;  // index 1 = January
  std::array<std::string, 13> MonthNamesLong;
  std::array<std::string, 8> DayNamesShort;  // index 1 = Sunday
  std::array<std::string, 8> DayNamesLong;

  // Locale facts kept for the era rules.
  int PrimaryLanguage = 0x09;
  int SubLanguage = 0;
  std::bitset<256> LeadBytes;  // double-byte lead bytes of the ANSI code page
};

extern TRegionalSettings RegionalSettings;

// Fills RegionalSettings from the user's locale; called once at start-up.
void LoadRegionalSettings();

// The reload that a settings-change broadcast triggers: thread locale reset
// to the user default, separators, patterns and AM/PM texts reread; the
// month and day names and the locale facts of the era rules are kept.
void ReloadRegionalSettings();

}  // namespace merivan
