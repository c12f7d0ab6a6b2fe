#include <gtest/gtest.h>

#include <string>

#include "merivan/platform/locale/codepage.h"
#include "merivan/platform/locale/dbcs.h"
#include "merivan/platform/locale/locale_info.h"
#include "merivan/platform/locale/test_locale_environment.h"

namespace merivan::platform {
namespace {

// The item as GetLocaleInfoA gives it, or "<fail>".
std::string Item(LCTYPE item, LCID locale = LOCALE_USER_DEFAULT) {
  char buffer[256];
  const int n = GetLocaleInfoA(locale, item, buffer, sizeof buffer);
  if (n <= 0) return "<fail>";
  EXPECT_EQ(buffer[n - 1], '\0');
  return std::string(buffer, static_cast<size_t>(n - 1));
}

std::string DateText(const char* picture, SystemDate date, uint32_t flags = DATE_USE_ALT_CALENDAR) {
  char buffer[256];
  const int n = GetDateFormatA(GetThreadLocale(), flags, date, picture, buffer, sizeof buffer);
  return n <= 0 ? "<fail>" : std::string(buffer, static_cast<size_t>(n - 1));
}

class LocaleInfoTest : public ::testing::Test {
 protected:
  testing_support::LocaleEnvironment env_;
};

TEST_F(LocaleInfoTest, NothingAnswersWithoutALocale) {
  for (const char* name : {"", "C", "POSIX", "C.UTF-8"}) {
    if (*name)
      env_.Set({{"LANG", name}});
    else
      env_.Set({});
    EXPECT_EQ(GetThreadLocale(), 0u) << name;
    for (LCTYPE item : {LOCALE_SDECIMAL, LOCALE_SSHORTDATE, LOCALE_SMONTHNAME1, LOCALE_ITIME,
                        LOCALE_ICALENDARTYPE})
      EXPECT_EQ(Item(item), "<fail>") << name << " item " << item;
    EXPECT_EQ(DateText("gg yyyy", {2002, 3, 5}), "<fail>") << name;
    EXPECT_FALSE(DbcsEnabled());
  }
}

TEST_F(LocaleInfoTest, CzechHasTheWindowsValuesInCp1250) {
  env_.Set({{"LANG", "cs_CZ.UTF-8"}});
  EXPECT_EQ(GetThreadLocale(), 0x0405u);
  const std::pair<LCTYPE, const char*> cases[] = {
      {LOCALE_SDECIMAL, ","},          {LOCALE_SDATE, "."},
      {LOCALE_STIME, ":"},             {LOCALE_SSHORTDATE, "d.M.yyyy"},
      {LOCALE_SLONGDATE, "d. MMMM yyyy"}, {LOCALE_S1159, "dop."},
      {LOCALE_S2359, "odp."},          {LOCALE_ITIME, "1"},
      {LOCALE_ITLZERO, "0"},           {LOCALE_ITIMEMARKPOSN, "0"},
      {LOCALE_ICALENDARTYPE, "1"},     {LOCALE_SMONTHNAME1, "leden"},
      {LOCALE_SMONTHNAME1 + 1, "\xFAnor"}, {LOCALE_SMONTHNAME1 + 2, "b\xF8" "ezen"},
      {LOCALE_SMONTHNAME12, "prosinec"}, {LOCALE_SDAYNAME1, "pond\xECl\xED"},
      {LOCALE_SDAYNAME7, "ned\xECle"}, {LOCALE_SABBREVDAYNAME1 + 1, "\xFAt"},
      {LOCALE_SABBREVDAYNAME7, "ne"},
  };
  for (const auto& [item, text] : cases) EXPECT_EQ(Item(item), text) << "item " << item;
  EXPECT_EQ(Item(0x9999), "<fail>");
}

TEST_F(LocaleInfoTest, TableLocalesHaveTheirWindowsPatterns) {
  struct Case {
    const char* locale;
    LCID lcid;
    const char* decimal;
    const char* shortDate;
    const char* longDate;
    const char* itime;
    const char* itlzero;
    const char* am;
  };
  const Case cases[] = {
      {"cs_CZ.UTF-8", 0x0405, ",", "d.M.yyyy", "d. MMMM yyyy", "1", "0", "dop."},
      {"sk_SK.UTF-8", 0x041B, ",", "d. M. yyyy", "d. MMMM yyyy", "1", "0", ""},
      {"pl_PL.UTF-8", 0x0415, ",", "yyyy-MM-dd", "d MMMM yyyy", "1", "1", ""},
      {"hu_HU.UTF-8", 0x040E, ",", "yyyy.MM.dd.", "yyyy. MMMM d.", "1", "0", "de."},
      {"de_DE.UTF-8", 0x0407, ",", "dd.MM.yyyy", "dddd, d. MMMM yyyy", "1", "1", ""},
      {"en_US.UTF-8", 0x0409, ".", "M/d/yyyy", "dddd, MMMM d, yyyy", "0", "0", "AM"},
      {"en_GB.UTF-8", 0x0809, ".", "dd/MM/yyyy", "dd MMMM yyyy", "1", "1", "AM"},
      {"de_DE@euro", 0x0407, ",", "dd.MM.yyyy", "dddd, d. MMMM yyyy", "1", "1", ""},
      {"cs", 0x0405, ",", "d.M.yyyy", "d. MMMM yyyy", "1", "0", "dop."},
  };
  for (const auto& c : cases) {
    env_.Set({{"LANG", c.locale}});
    EXPECT_EQ(GetThreadLocale(), c.lcid) << c.locale;
    EXPECT_EQ(Item(LOCALE_SDECIMAL), c.decimal) << c.locale;
    EXPECT_EQ(Item(LOCALE_SSHORTDATE), c.shortDate) << c.locale;
    EXPECT_EQ(Item(LOCALE_SLONGDATE), c.longDate) << c.locale;
    EXPECT_EQ(Item(LOCALE_ITIME), c.itime) << c.locale;
    EXPECT_EQ(Item(LOCALE_ITLZERO), c.itlzero) << c.locale;
    EXPECT_EQ(Item(LOCALE_S1159), c.am) << c.locale;
  }
}

TEST_F(LocaleInfoTest, BufferSizes) {
  env_.Set({{"LANG", "cs_CZ.UTF-8"}});
  char buffer[8] = "xxxxxxx";
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_S1159, buffer, 0), 5);
  EXPECT_EQ(buffer[0], 'x');
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_S1159, buffer, 4), 0);
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_S1159, buffer, 5), 5);
  EXPECT_STREQ(buffer, "dop.");
  // A two-byte buffer holds one character and its NUL, nothing longer.
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 2), 2);
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_S2359, buffer, 2), 0);
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_S2359, nullptr, 5), 0);
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_S2359, buffer, -1), 0);
}

TEST_F(LocaleInfoTest, ItemsFollowTheirCategory) {
  env_.Set({{"LANG", "de_DE.UTF-8"}, {"LC_TIME", "cs_CZ.UTF-8"}, {"LC_NUMERIC", "en_US.UTF-8"}});
  EXPECT_EQ(GetThreadLocale(), 0x0405u);
  EXPECT_EQ(Item(LOCALE_SDECIMAL), ".");
  EXPECT_EQ(Item(LOCALE_SSHORTDATE), "d.M.yyyy");
  env_.Set({{"LANG", "de_DE.UTF-8"}, {"LC_TIME", "cs_CZ.UTF-8"}, {"LC_ALL", "en_GB.UTF-8"}});
  EXPECT_EQ(Item(LOCALE_SSHORTDATE), "dd/MM/yyyy");
  // Time items in the C locale fail while the numeric locale still answers.
  env_.Set({{"LC_TIME", "C"}, {"LC_NUMERIC", "cs_CZ.UTF-8"}});
  EXPECT_EQ(Item(LOCALE_SSHORTDATE), "<fail>");
  EXPECT_EQ(Item(LOCALE_SDECIMAL), ",");
}

TEST_F(LocaleInfoTest, CharactersTheCodePageLacksBecomeQuestionMarks) {
  env_.Set({{"LC_CTYPE", "en_US.UTF-8"}, {"LC_TIME", "cs_CZ.UTF-8"}});
  EXPECT_EQ(AnsiCodePage(), 1252);
  EXPECT_EQ(Item(LOCALE_SMONTHNAME1 + 2), "b?ezen");
  EXPECT_EQ(Item(LOCALE_SMONTHNAME1 + 1), "\xFAnor");
}

TEST_F(LocaleInfoTest, ThreadLocaleCanBeSetAndReset) {
  env_.Set({{"LANG", "cs_CZ.UTF-8"}});
  EXPECT_TRUE(SetThreadLocale(0x040C));
  EXPECT_EQ(GetThreadLocale(), 0x040Cu);
  EXPECT_EQ(Item(LOCALE_SSHORTDATE, GetThreadLocale()), "dd/MM/yyyy");
  EXPECT_EQ(Item(LOCALE_SDECIMAL, 0x0409), ".");
  EXPECT_FALSE(SetThreadLocale(0));
  EXPECT_FALSE(SetThreadLocale(0xFFFF));
  EXPECT_EQ(GetThreadLocale(), 0x040Cu);
  EXPECT_TRUE(SetThreadLocale(LOCALE_USER_DEFAULT));
  EXPECT_EQ(GetThreadLocale(), 0x0405u);
  EXPECT_EQ(Item(0, LOCALE_SDECIMAL), "<fail>");
}

TEST_F(LocaleInfoTest, OtherLocalesComeFromIcu) {
  env_.Set({{"LANG", "fr_FR.UTF-8"}});
  EXPECT_EQ(GetThreadLocale(), 0x040Cu);
  const std::pair<LCTYPE, const char*> cases[] = {
      {LOCALE_SDECIMAL, ","},          {LOCALE_SDATE, "/"},
      {LOCALE_STIME, ":"},             {LOCALE_SSHORTDATE, "dd/MM/yyyy"},
      {LOCALE_SLONGDATE, "d MMMM yyyy"}, {LOCALE_ITIME, "1"},
      {LOCALE_ITLZERO, "1"},           {LOCALE_ITIMEMARKPOSN, "0"},
      {LOCALE_ICALENDARTYPE, "1"},     {LOCALE_SMONTHNAME1 + 1, "f\xE9vrier"},
      {LOCALE_SABBREVMONTHNAME1, "janv."}, {LOCALE_SDAYNAME1, "lundi"},
      {LOCALE_SDAYNAME7, "dimanche"},  {LOCALE_SABBREVDAYNAME7, "dim."},
  };
  for (const auto& [item, text] : cases) EXPECT_EQ(Item(item), text) << "item " << item;

  env_.Set({{"LANG", "en_AU.UTF-8"}});
  EXPECT_EQ(Item(LOCALE_ITIME), "0");
  EXPECT_EQ(Item(LOCALE_SSHORTDATE), "d/M/yy");

  // ICU serves Bokmål from its alias "no"; that is data of the language.
  env_.Set({{"LANG", "nb_NO.UTF-8"}});
  EXPECT_EQ(Item(LOCALE_SSHORTDATE), "dd.MM.yyyy");
  EXPECT_EQ(Item(LOCALE_SMONTHNAME1), "januar");

  // Calendar type 1 shows Gregorian years, so patterns and era are the
  // Gregorian ones where ICU's default calendar is another.
  env_.Set({{"LANG", "ar_SA.UTF-8"}});
  EXPECT_EQ(Item(LOCALE_SSHORTDATE), "d/M/yyyy");
  // The decimal mark goes with the ASCII digits the number texts use.
  EXPECT_EQ(Item(LOCALE_SDECIMAL), ".");
  env_.Set({{"LANG", "th_TH.UTF-8"}});
  EXPECT_EQ(DateText("gg yyyy", {2002, 3, 5}), Utf8ToCodePage("ค.ศ. 2002", 874));

  // A language ICU does not know answers nothing, like the C locale.
  env_.Set({{"LANG", "xx_YY.UTF-8"}});
  EXPECT_EQ(Item(LOCALE_SSHORTDATE), "<fail>");
  EXPECT_EQ(DateText("gg", {2002, 3, 5}), "<fail>");
}

TEST_F(LocaleInfoTest, GregorianDatePictures) {
  env_.Set({{"LANG", "cs_CZ.UTF-8"}});
  EXPECT_EQ(DateText("gg", {2002, 3, 5}), "n. l.");
  EXPECT_EQ(DateText("yyyy yy y", {2002, 3, 5}), "2002 02 2");
  EXPECT_EQ(DateText("yyyy", {33, 1, 1}), "0033");
  EXPECT_EQ(DateText("d. MMMM yyyy", {2002, 3, 5}), "5. b\xF8" "ezen 2002");
  EXPECT_EQ(DateText("dddd ddd dd MM MMM 'yy'", {2002, 3, 5}), "\xFAter\xFD \xFAt 05 03 b\xF8" "e yy");
  for (SystemDate bad : {SystemDate{2002, 2, 29}, SystemDate{0, 1, 1}, SystemDate{2002, 13, 1},
                         SystemDate{2002, 4, 31}, SystemDate{10000, 1, 1}, SystemDate{2002, 1, 0}})
    EXPECT_EQ(DateText("yyyy", bad), "<fail>") << bad.year << "-" << bad.month << "-" << bad.day;
  EXPECT_EQ(DateText("d", {2000, 2, 29}), "29");
  env_.Set({{"LANG", "en_US.UTF-8"}});
  EXPECT_EQ(DateText("gg yyyy", {2002, 3, 5}), "A.D. 2002");
}

TEST_F(LocaleInfoTest, AlternativeCalendars) {
  env_.Set({{"LANG", "ja_JP.UTF-8@calendar=japanese"}});
  EXPECT_EQ(Item(LOCALE_ICALENDARTYPE), "3");
  EXPECT_EQ(DateText("gg", {2002, 3, 5}), Utf8ToCodePage("平成", 932));
  EXPECT_EQ(DateText("yyyy", {2002, 3, 5}), "14");
  EXPECT_EQ(DateText("yy", {2019, 5, 1}), "01");
  EXPECT_EQ(DateText("gg", {2019, 5, 1}), Utf8ToCodePage("令和", 932));
  EXPECT_EQ(DateText("gg yyyy", {1868, 9, 8}), Utf8ToCodePage("明治", 932) + " 1");
  EXPECT_EQ(DateText("gg", {1868, 9, 7}), "<fail>");
  // Without the flag the Gregorian calendar answers.
  EXPECT_EQ(DateText("yyyy", {2002, 3, 5}, 0), "2002");

  env_.Set({{"LANG", "zh_TW.UTF-8@calendar=roc"}});
  EXPECT_EQ(Item(LOCALE_ICALENDARTYPE), "4");
  EXPECT_EQ(DateText("gg yyyy", {2002, 3, 5}), Utf8ToCodePage("民國", 950) + " 91");
  EXPECT_EQ(DateText("gg", {1911, 12, 31}), "<fail>");

  env_.Set({{"LANG", "ko_KR.UTF-8@calendar=korean"}});
  EXPECT_EQ(Item(LOCALE_ICALENDARTYPE), "5");
  EXPECT_EQ(DateText("gg yyyy yy", {2002, 3, 5}), Utf8ToCodePage("단기", 949) + " 4335 35");
}

TEST_F(LocaleInfoTest, DoubleByteCodePages) {
  const auto ranges = [](int codePage) {
    std::string out;
    const auto lead = LeadBytesOf(codePage);
    for (int b = 0; b < 256; ++b) {
      if (lead[b] && (b == 0 || !lead[b - 1])) out += std::to_string(b) + "-";
      if (lead[b] && (b == 255 || !lead[b + 1])) out += std::to_string(b) + " ";
    }
    return out;
  };
  EXPECT_EQ(ranges(932), "129-159 224-252 ");
  EXPECT_EQ(ranges(936), "129-254 ");
  EXPECT_EQ(ranges(949), "129-254 ");
  EXPECT_EQ(ranges(950), "129-254 ");
  EXPECT_EQ(ranges(1250), "");
  EXPECT_EQ(ranges(1252), "");
  env_.Set({{"LANG", "ja_JP.UTF-8"}});
  EXPECT_TRUE(DbcsEnabled());
  env_.Set({{"LANG", "cs_CZ.UTF-8"}});
  EXPECT_FALSE(DbcsEnabled());
}

TEST(CodePageTest, CodePagesOfLocales) {
  const struct {
    const char* locale;
    int ansi;
    int oem;
  } cases[] = {
      {"cs_CZ.UTF-8", 1250, 852}, {"en_US.UTF-8", 1252, 437}, {"en_GB", 1252, 850},
      {"de_DE", 1252, 850},       {"ru_RU", 1251, 866},       {"ja_JP.UTF-8", 932, 932},
      {"zh_CN", 936, 936},        {"zh_TW.UTF-8", 950, 950},  {"ko_KR", 949, 949},
      {"el_GR", 1253, 737},       {"C", 1252, 437},           {"", 1252, 437},
      {"ur_PK", 1256, 850},       {"vi_VN", 1258, 1258},      {"fr_FR", 1252, 850},
      {"en_IE", 1252, 850},       {"sk_SK", 1250, 852},       {"th_TH", 874, 874},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AnsiCodePageOf(c.locale), c.ansi) << c.locale;
    EXPECT_EQ(OemCodePageOf(c.locale), c.oem) << c.locale;
  }
}

}  // namespace
}  // namespace merivan::platform
