#pragma once
// The process-wide record of the user's regional settings, read from the
// locale at start-up. All texts are bytes in the Windows ANSI code page.
#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

#include "merivan/format/date_pattern.h"

namespace merivan {

// One era of the alternative calendar, as the platform names it, from its
// first day on (a Gregorian date) up to the next era's first day.
struct TEraSpan {
  int64_t firstYear;
  int firstMonth;
  int firstDay;
  bool shown;           // false: the platform has no text for its days
  std::string name;     // the era text ("gg"), ANSI bytes
  int64_t yearOffset;   // Gregorian year minus year within the era
  int yearDigits;       // the era year zero-filled to this many digits ("yyyy")
};

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

  // The eras of the tokens "g" and "e", oldest first, read with the other
  // items: asking the platform for every value would cost far more than
  // the rest of the date.
  std::vector<TEraSpan> Eras;

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
