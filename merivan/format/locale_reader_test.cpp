#include <gtest/gtest.h>

#include "merivan/format/locale_reader.h"
#include "merivan/platform/locale/test_locale_environment.h"

namespace merivan::format_detail {
namespace {

namespace pl = platform;

TEST(LocaleReaderTest, ItemRules) {
  testing_support::LocaleEnvironment env;
  env.Set({{"LANG", "cs_CZ.UTF-8"}});
  const LocaleReader reader(pl::GetThreadLocale());
  EXPECT_EQ(reader.Character(pl::LOCALE_SDECIMAL, '.'), ',');
  // An item longer than one character does not fit the character buffer.
  EXPECT_EQ(reader.Character(pl::LOCALE_S1159, '/'), '/');
  EXPECT_EQ(reader.Text(pl::LOCALE_S1159, "am"), "dop.");
  EXPECT_EQ(reader.Text(0x9999, "fallback"), "fallback");
  EXPECT_EQ(reader.Number(pl::LOCALE_ITIME, "0", 0), 1);
  EXPECT_EQ(reader.Number(pl::LOCALE_SSHORTDATE, "0", 0), 0);
  EXPECT_EQ(reader.Number(pl::LOCALE_SSHORTDATE, "1", 1), 1);
  EXPECT_EQ(reader.Number(0x9999, "1", 7), 1);
  EXPECT_EQ(reader.Number(0x9999, "12x", 7), 7);
  EXPECT_EQ(reader.Number(0x9999, "", 7), 7);
  EXPECT_EQ(reader.Number(0x9999, "-3", 7), -3);
  EXPECT_EQ(reader.Number(0x9999, "99999999999", 7), 7);
  EXPECT_EQ(reader.Name(pl::LOCALE_SMONTHNAME1, "January"), "leden");
  EXPECT_EQ(reader.Name(0x9999, "January"), "January");

  // Slovak Windows has empty AM/PM texts: a text item keeps them empty, a
  // name item would fall back, a character item gives NUL.
  env.Set({{"LANG", "sk_SK.UTF-8"}});
  const LocaleReader slovak(pl::GetThreadLocale());
  EXPECT_EQ(slovak.Text(pl::LOCALE_S1159, "am"), "");
  EXPECT_EQ(slovak.Name(pl::LOCALE_S1159, "am"), "am");
  EXPECT_EQ(slovak.Character(pl::LOCALE_S1159, '/'), '\0');
}

}  // namespace
}  // namespace merivan::format_detail
