#include "merivan/platform/locale/message_text.h"

#include <gtest/gtest.h>

#include "merivan/platform/locale/test_locale_environment.h"

namespace merivan::platform {
namespace {

using testing_support::LocaleEnvironment;

TEST(ShownText, ControlBytesAreEscapedAndLongTextCut) {
  LocaleEnvironment environment;
  environment.Set({{"LC_ALL", "cs_CZ.UTF-8"}});
  struct Case {
    std::string in, out;
  } cases[] = {
      {"Jm\xE9no", "Jm\xE9no"},
      {"", ""},
      {std::string("CH\0AR", 5), "CH\\x00AR"},
      {"VARYING\r", "VARYING\\x0D"},
      {"\x07\x0B\x1B[31m\x7F", "\\x07\\x0B\\x1B[31m\\x7F"},
      {std::string(64, 'x'), std::string(64, 'x')},
      {std::string(300, 'x'), std::string(64, 'x') + "\x85"},  // "…" in Windows-1250
      {std::string(62, 'x') + "\x01", std::string(62, 'x') + "\x85"},  // an escape is never cut
  };
  for (const Case& c : cases) EXPECT_EQ(ShownText(c.in), c.out) << c.in;
}

// A double-byte character stays whole: the cut falls before its lead byte.
TEST(ShownText, ACutKeepsDoubleByteCharactersWhole) {
  LocaleEnvironment environment;
  environment.Set({{"LC_ALL", "ja_JP.UTF-8"}});
  const std::string text = std::string(63, 'a') + "\x82\xA0" + "b";
  EXPECT_EQ(ShownText(text), std::string(63, 'a') + "\x81\x63");  // "…" in code page 932
}

}  // namespace
}  // namespace merivan::platform
