#include <gtest/gtest.h>

#include "merivan/platform/locale/posix_locale.h"
#include "merivan/platform/locale/test_locale_environment.h"

namespace merivan::platform {
namespace {

TEST(PosixLocaleTest, ParsesNames) {
  struct Case {
    const char* name;
    const char* base;
    const char* language;
    const char* territory;
    int calendar;
  };
  const Case cases[] = {
      {"cs_CZ.UTF-8", "cs_CZ", "cs", "CZ", 1},
      {"de_DE@euro", "de_DE", "de", "DE", 1},
      {"de_DE.ISO-8859-15@euro", "de_DE", "de", "DE", 1},
      {"fr", "fr", "fr", "", 1},
      {"ja_JP.UTF-8@calendar=japanese", "ja_JP", "ja", "JP", 3},
      {"zh_TW@calendar=roc", "zh_TW", "zh", "TW", 4},
      {"ko_KR.UTF-8@calendar=korean", "ko_KR", "ko", "KR", 5},
      {"en_US@calendar=gregorian", "en_US", "en", "US", 1},
      {"ja_JP@collation=x;calendar=japanese", "ja_JP", "ja", "JP", 3},
  };
  for (const auto& c : cases) {
    const auto parsed = ParsePosixLocale(c.name);
    ASSERT_TRUE(parsed) << c.name;
    EXPECT_EQ(parsed->base, c.base) << c.name;
    EXPECT_EQ(parsed->language, c.language) << c.name;
    EXPECT_EQ(parsed->territory, c.territory) << c.name;
    EXPECT_EQ(parsed->calendarType, c.calendar) << c.name;
  }
  for (const char* none : {"", "C", "POSIX", "C.UTF-8", "POSIX.UTF-8", ".UTF-8", "_CZ"})
    EXPECT_FALSE(ParsePosixLocale(none)) << none;
}

TEST(PosixLocaleTest, ChoosesTheVariableByPosixRules) {
  testing_support::LocaleEnvironment env;
  env.Set({{"LANG", "de_DE.UTF-8"}, {"LC_TIME", "cs_CZ.UTF-8"}});
  EXPECT_EQ(LocaleVariable(LocaleCategory::Time), "cs_CZ.UTF-8");
  EXPECT_EQ(LocaleVariable(LocaleCategory::Numeric), "de_DE.UTF-8");
  EXPECT_EQ(LocaleVariable(LocaleCategory::Ctype), "de_DE.UTF-8");
  env.Set({{"LANG", "de_DE.UTF-8"}, {"LC_NUMERIC", "en_US.UTF-8"}, {"LC_ALL", "fr_FR.UTF-8"}});
  EXPECT_EQ(LocaleVariable(LocaleCategory::Numeric), "fr_FR.UTF-8");
  EXPECT_EQ(UserLocale(LocaleCategory::Time)->base, "fr_FR");
  // An empty variable counts as unset.
  env.Set({{"LC_ALL", ""}, {"LC_TIME", "C"}, {"LANG", "cs_CZ.UTF-8"}});
  EXPECT_FALSE(UserLocale(LocaleCategory::Time));
  EXPECT_EQ(UserLocale(LocaleCategory::Numeric)->base, "cs_CZ");
  env.Set({});
  EXPECT_EQ(LocaleVariable(LocaleCategory::Time), "");
  EXPECT_FALSE(UserLocale(LocaleCategory::Time));
}

}  // namespace
}  // namespace merivan::platform
