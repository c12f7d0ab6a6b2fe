// The era table read at load time gives what asking the platform for each
// date gives, for every era calendar and on both sides of each era's start.
#include "merivan/format/era_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "merivan/format/date_time_text.h"
#include "merivan/format/test_settings_scope.h"
#include "merivan/platform/locale/locale_info.h"

namespace merivan {
namespace {

// Day number of a Gregorian date (day 1 = 1 January of year 1).
int32_t DayNumber(int year, int month, int day) {
  const int y = year - (month <= 2 ? 1 : 0);
  const int era = y / 400;
  const int yoe = y - era * 400;
  const int mp = month > 2 ? month - 3 : month + 9;
  const int doe = yoe * 365 + yoe / 4 - yoe / 100 + (153 * mp + 2) / 5 + day - 1;
  return era * 146097 + doe - 306;
}

// The tokens' texts by the rules, each from its own platform call.
std::string Asked(const char* picture, const format_detail::CivilDate& d) {
  char buffer[256];
  const platform::SystemDate date{static_cast<int>(d.year), d.month, d.day};
  const int n = platform::GetDateFormatA(platform::GetThreadLocale(), platform::DATE_USE_ALT_CALENDAR, date, picture,
                                         buffer, sizeof buffer);
  return n > 0 ? std::string(buffer, static_cast<size_t>(n - 1)) : "";
}

TEST(EraText, TableGivesWhatThePlatformGives) {
  for (const char* locale : {"ja_JP.UTF-8@calendar=japanese", "zh_TW.UTF-8@calendar=roc",
                             "ko_KR.UTF-8@calendar=korean", "en_US.UTF-8", "cs_CZ.UTF-8"}) {
    testing_support::SettingsScope scope;
    scope.Load({{"LANG", locale}});
    ASSERT_FALSE(RegionalSettings.Eras.empty()) << locale;
    std::vector<int32_t> days = {1, DayNumber(9999, 12, 31), DayNumber(2002, 3, 5)};
    for (const TEraSpan& era : RegionalSettings.Eras) {
      const int32_t first = DayNumber(static_cast<int>(era.firstYear), era.firstMonth, era.firstDay);
      for (int32_t d = first - 2; d <= first + 2; ++d) days.push_back(d);
    }
    std::mt19937 random(9);
    for (int i = 0; i < 300; ++i) days.push_back(static_cast<int32_t>(random() % DayNumber(9999, 12, 31)) + 1);
    for (const int32_t day : days) {
      const format_detail::CivilDate d = format_detail::DecodeDayNumber(day);
      const std::string name = Asked("gg", d);
      std::string yy = Asked("yy", d);
      const std::string expected = name + "|" + name + "|" + Asked("yyyy", d) + "|" + yy + "|" +
                                   (yy.size() > 1 && yy[0] == '0' ? yy.substr(1) : yy);
      ASSERT_EQ(DateTimeText("gg|ggg|eeee|ee|e", day, 0), expected) << locale << " day " << day;
    }
  }
}

}  // namespace
}  // namespace merivan
