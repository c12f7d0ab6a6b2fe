#include "merivan/platform/window/secret_text.h"

#include <gtest/gtest.h>

#include <string>

namespace merivan::platform {
namespace {

TEST(SecretText, BytesCharactersAndBackSpace) {
  SecretText text("a\xC5\xBE");  // "až"
  text.Append("\xF0\x9F\x94\x91");  // a key, four bytes
  EXPECT_EQ(text.View(), "a\xC5\xBE\xF0\x9F\x94\x91");
  EXPECT_EQ(text.CharacterCount(), 3u);
  text.RemoveLastCharacter();
  EXPECT_EQ(text.View(), "a\xC5\xBE");
  text.RemoveLastCharacter();
  text.RemoveLastCharacter();
  EXPECT_TRUE(text.Empty());
  text.RemoveLastCharacter();
  EXPECT_TRUE(text.Empty());
}

TEST(SecretText, GrowsPastItsFirstBuffer) {
  SecretText text;
  std::string expected;
  for (int i = 0; i < 200; ++i) {
    const char c = static_cast<char>('a' + i % 26);
    text.Append(std::string_view(&c, 1));
    expected += c;
  }
  EXPECT_EQ(text.View(), expected);
}

TEST(SecretText, MovesLeaveNothingBehind) {
  SecretText first("geheim");
  SecretText second(std::move(first));
  EXPECT_TRUE(first.Empty());  // NOLINT(bugprone-use-after-move): the point of the test
  EXPECT_EQ(second.View(), "geheim");
  SecretText third("other");
  third = std::move(second);
  EXPECT_TRUE(second.Empty());  // NOLINT(bugprone-use-after-move)
  EXPECT_EQ(third.View(), "geheim");
  third.Clear();
  EXPECT_TRUE(third.Empty());
  third.Append("again");
  EXPECT_EQ(third.View(), "again");
}

}  // namespace
}  // namespace merivan::platform
