#include <gtest/gtest.h>

#include <string>

#include "merivan/format/date_time_text.h"
#include "merivan/format/number_text.h"
#include "merivan/format/test_settings_scope.h"
#include "merivan/platform/locale/codepage.h"
#include "merivan/platform/locale/locale_info.h"

namespace merivan {
namespace {

constexpr int32_t k5March2002 = 730914;
constexpr int32_t k1May2019 = 737180;
constexpr int32_t k140509 = (14 * 3600 + 5 * 60 + 9) * 1000;

// The separators, patterns and AM/PM texts a locale should give.
struct Items {
  char decimal;
  char date;
  char time;
  const char* shortDate;
  const char* longDate;
  const char* shortTime;
  const char* longTime;
  const char* am;
  const char* pm;
};

void ExpectItems(const Items& e, const std::string& where) {
  const TRegionalSettings& s = RegionalSettings;
  EXPECT_EQ(s.DecimalMark, e.decimal) << where;
  EXPECT_EQ(s.DateMark, e.date) << where;
  EXPECT_EQ(s.TimeMark, e.time) << where;
  EXPECT_EQ(s.ShortDatePattern, e.shortDate) << where;
  EXPECT_EQ(s.LongDatePattern, e.longDate) << where;
  EXPECT_EQ(s.ShortTimePattern, e.shortTime) << where;
  EXPECT_EQ(s.LongTimePattern, e.longTime) << where;
  EXPECT_EQ(s.AmText, e.am) << where;
  EXPECT_EQ(s.PmText, e.pm) << where;
}

class RegionalSettingsTest : public ::testing::Test {
 protected:
  testing_support::SettingsScope scope_;
};

TEST_F(RegionalSettingsTest, DefaultsWithoutALocale) {
  for (const char* name : {"", "C", "POSIX"}) {
    if (*name)
      scope_.Load({{"LC_ALL", name}});
    else
      scope_.Load({});
    ExpectItems({'.', '/', ':', "m/d/yy", "mmmm d, yyyy", "h:mm AMPM", "h:mm:ss AMPM", "am", "pm"},
                name);
    const TRegionalSettings& s = RegionalSettings;
    EXPECT_EQ(s.MonthNamesShort[1], "Jan");
    EXPECT_EQ(s.MonthNamesLong[12], "December");
    EXPECT_EQ(s.DayNamesShort[1], "Sun");
    EXPECT_EQ(s.DayNamesLong[7], "Saturday");
    EXPECT_EQ(s.PrimaryLanguage, 0x09);
    EXPECT_EQ(s.SubLanguage, 0);
    EXPECT_TRUE(s.LeadBytes.none());
    EXPECT_EQ(DateTimeText("", k5March2002, k140509), "3/5/02 2:05:09 pm");
    EXPECT_EQ(DateTimeText("h:mm AMPM", k5March2002, 30 * 60000), "12:30 am");
  }
}

// Each item falls back on its own: with only the numeric locale set, the
// decimal mark is Czech while every time item and name fails to its default.
TEST_F(RegionalSettingsTest, FailedItemsFallBackOneByOne) {
  scope_.Load({{"LC_TIME", "C"}, {"LC_NUMERIC", "cs_CZ.UTF-8"}});
  ExpectItems({',', '/', ':', "m/d/yy", "mmmm d, yyyy", "h:mm AMPM", "h:mm:ss AMPM", "am", "pm"},
              "numeric only");
  const TRegionalSettings& s = RegionalSettings;
  EXPECT_EQ(s.MonthNamesLong[2], "February");
  EXPECT_EQ(s.DayNamesShort[1], "Sun");
  EXPECT_EQ(s.PrimaryLanguage, 0x05);
  EXPECT_EQ(DateTimeText("", k5March2002, k140509), "3/5/02 2:05:09 pm");
  EXPECT_EQ(FloatText(1234.5), "1234,5");
}

TEST_F(RegionalSettingsTest, Czech) {
  scope_.Load({{"LANG", "cs_CZ.UTF-8"}});
  ExpectItems({',', '.', ':', "d.M.yyyy", "d. MMMM yyyy", "h:mm", "h:mm:ss", "dop.", "odp."},
              "cs_CZ");
  const TRegionalSettings& s = RegionalSettings;
  EXPECT_EQ(s.MonthNamesLong[1], "leden");
  EXPECT_EQ(s.MonthNamesLong[2], "\xFAnor");
  EXPECT_EQ(s.MonthNamesShort[12], "pro");
  EXPECT_EQ(s.MonthNamesShort[3], "b\xF8" "e");
  EXPECT_EQ(s.DayNamesLong[1], "ned\xECle");
  EXPECT_EQ(s.DayNamesLong[2], "pond\xECl\xED");
  EXPECT_EQ(s.DayNamesShort[7], "so");
  EXPECT_EQ(s.PrimaryLanguage, 0x05);
  EXPECT_EQ(s.SubLanguage, 0x01);
  EXPECT_EQ(DateTimeText("", k5March2002, k140509), "5.3.2002 14:05:09");
  EXPECT_EQ(DateTimeText("", k5March2002, 500), "5.3.2002");
  EXPECT_EQ(DateTimeText("dddddd", k5March2002, 0), "5. b\xF8" "ezen 2002");
  EXPECT_EQ(DateTimeText("tt", 693594, 32'709'000), "9:05:09");
  EXPECT_EQ(FloatText(1234.5), "1234,5");
  EXPECT_EQ(FixedPointText(125000), "12,5");
}

TEST_F(RegionalSettingsTest, UnitedStates) {
  scope_.Load({{"LANG", "en_US.UTF-8"}});
  ExpectItems({'.', '/', ':', "M/d/yyyy", "dddd, MMMM d, yyyy", "h:mm AMPM", "h:mm:ss AMPM", "AM",
               "PM"},
              "en_US");
  const TRegionalSettings& s = RegionalSettings;
  EXPECT_EQ(s.PrimaryLanguage, 0x09);
  EXPECT_EQ(s.SubLanguage, 0x01);
  EXPECT_EQ(DateTimeText("", k5March2002, k140509), "3/5/2002 2:05:09 PM");
  EXPECT_EQ(DateTimeText("", k5March2002, 30 * 60000), "3/5/2002 12:30:00 AM");
  EXPECT_EQ(DateTimeText("dddddd", k5March2002, 0), "Tuesday, March 5, 2002");
  EXPECT_EQ(FloatText(1234.5), "1234.5");
}

TEST_F(RegionalSettingsTest, OtherTableLocales) {
  struct Case {
    const char* locale;
    Items items;
    const char* text;  // of "" at 5 March 2002 14:05:09
  };
  const Case cases[] = {
      {"de_DE.UTF-8",
       {',', '.', ':', "dd.MM.yyyy", "dddd, d. MMMM yyyy", "hh:mm", "hh:mm:ss", "", ""},
       "05.03.2002 14:05:09"},
      {"en_GB.UTF-8",
       {'.', '/', ':', "dd/MM/yyyy", "dd MMMM yyyy", "hh:mm", "hh:mm:ss", "AM", "PM"},
       "05/03/2002 14:05:09"},
      {"pl_PL.UTF-8",
       {',', '-', ':', "yyyy-MM-dd", "d MMMM yyyy", "hh:mm", "hh:mm:ss", "", ""},
       "2002-03-05 14:05:09"},
      {"hu_HU.UTF-8",
       {',', '.', ':', "yyyy.MM.dd.", "yyyy. MMMM d.", "h:mm", "h:mm:ss", "de.", "du."},
       "2002.03.05. 14:05:09"},
      // The Slovak date separator ". " is longer than one character: the
      // date mark falls back to "/", which its patterns never use.
      {"sk_SK.UTF-8",
       {',', '/', ':', "d. M. yyyy", "d. MMMM yyyy", "h:mm", "h:mm:ss", "", ""},
       "5. 3. 2002 14:05:09"},
  };
  for (const auto& c : cases) {
    scope_.Load({{"LANG", c.locale}});
    ExpectItems(c.items, c.locale);
    EXPECT_EQ(DateTimeText("", k5March2002, k140509), c.text) << c.locale;
  }
}

TEST_F(RegionalSettingsTest, FrenchFromIcu) {
  scope_.Load({{"LANG", "fr_FR.UTF-8"}});
  ExpectItems({',', '/', ':', "dd/MM/yyyy", "d MMMM yyyy", "hh:mm", "hh:mm:ss", "AM", "PM"},
              "fr_FR");
  const TRegionalSettings& s = RegionalSettings;
  EXPECT_EQ(s.MonthNamesLong[2], "f\xE9vrier");
  EXPECT_EQ(s.MonthNamesShort[8], "ao\xFBt");
  EXPECT_EQ(s.DayNamesLong[1], "dimanche");
  EXPECT_EQ(s.PrimaryLanguage, 0x0C);
  EXPECT_EQ(DateTimeText("", k5March2002, k140509), "05/03/2002 14:05:09");
  EXPECT_EQ(DateTimeText("dddddd", k5March2002, 0), "5 mars 2002");
}

TEST_F(RegionalSettingsTest, JapaneseEraRewrite) {
  scope_.Load({{"LANG", "ja_JP.UTF-8@calendar=japanese"}});
  const TRegionalSettings& s = RegionalSettings;
  const auto sjis = [](const char* utf8) { return platform::Utf8ToCodePage(utf8, 932); };
  EXPECT_EQ(s.PrimaryLanguage, 0x11);
  EXPECT_EQ(s.LeadBytes.count(), 60u);
  EXPECT_TRUE(s.LeadBytes[0x81] && s.LeadBytes[0xFC] && !s.LeadBytes[0xA0]);
  EXPECT_EQ(s.ShortDatePattern, "geeee/M/d");
  EXPECT_EQ(s.LongDatePattern, sjis("gggeeee年M月d日"));
  EXPECT_EQ(DateTimeText("", k5March2002, k140509), sjis("平14/3/5 14:05:09"));
  EXPECT_EQ(DateTimeText("dddddd", k5March2002, 0), sjis("平成14年3月5日"));
  EXPECT_EQ(DateTimeText("ggg e ee eeee", k1May2019, 0), sjis("令和 1 01 1"));
  EXPECT_EQ(DateTimeText("g", k1May2019, 0), sjis("令"));
  // Before Meiji the era calendar has no text.
  EXPECT_EQ(DateTimeText("[gg][ee]", 1, 0), "[][]");
}

TEST_F(RegionalSettingsTest, JapaneseGregorianDropsEraLetters) {
  scope_.Load({{"LANG", "ja_JP.UTF-8"}});
  EXPECT_EQ(RegionalSettings.PrimaryLanguage, 0x11);
  EXPECT_EQ(RegionalSettings.ShortDatePattern, "yyyy/MM/dd");
  EXPECT_EQ(DateTimeText("", k5March2002, k140509), "2002/03/05 14:05:09");
}

TEST_F(RegionalSettingsTest, TaiwanAndKoreanEras) {
  scope_.Load({{"LANG", "zh_TW.UTF-8@calendar=roc"}});
  EXPECT_EQ(RegionalSettings.PrimaryLanguage, 0x04);
  EXPECT_EQ(RegionalSettings.SubLanguage, 0x01);
  EXPECT_EQ(RegionalSettings.ShortDatePattern, "gggeeee/M/d");
  EXPECT_EQ(DateTimeText("ggg eeee", k5March2002, 0), platform::Utf8ToCodePage("民國 91", 950));

  scope_.Load({{"LANG", "ko_KR.UTF-8@calendar=korean"}});
  EXPECT_EQ(RegionalSettings.PrimaryLanguage, 0x12);
  EXPECT_EQ(RegionalSettings.ShortDatePattern, "ee. M. d.");
  EXPECT_EQ(DateTimeText("ggg eeee ee e", k5March2002, 0),
            platform::Utf8ToCodePage("단기 4335 35 35", 949));
}

TEST_F(RegionalSettingsTest, ReloadRereadsItemsButKeepsNames) {
  scope_.Load({{"LANG", "cs_CZ.UTF-8"}});
  scope_.Environment().Set({{"LANG", "en_US.UTF-8"}});
  ASSERT_TRUE(platform::SetThreadLocale(0x040C));
  ReloadRegionalSettings();
  EXPECT_EQ(platform::GetThreadLocale(), 0x0409u);
  ExpectItems({'.', '/', ':', "M/d/yyyy", "dddd, MMMM d, yyyy", "h:mm AMPM", "h:mm:ss AMPM", "AM",
               "PM"},
              "reloaded en_US");
  const TRegionalSettings& s = RegionalSettings;
  EXPECT_EQ(s.MonthNamesLong[2], "\xFAnor");
  EXPECT_EQ(s.DayNamesLong[1], "ned\xECle");
  // The language facts of the era rules stay those of start-up.
  EXPECT_EQ(s.PrimaryLanguage, 0x05);
  EXPECT_EQ(s.SubLanguage, 0x01);
}

}  // namespace
}  // namespace merivan
