#include "merivan/store/tsession.h"

#include <gtest/gtest.h>

namespace merivan {
namespace {

using platform::SecretText;

TEST(TSession, PasswordsServeInTheOrderGiven) {
  TSession session;
  EXPECT_TRUE(session.Passwords().empty());
  session.AddPassword(SecretText("prvni"));
  const std::string_view first = session.Passwords()[0];
  for (int i = 0; i < 40; ++i) session.AddPassword(SecretText("heslo " + std::to_string(i)));
  ASSERT_EQ(session.Passwords().size(), 41u);
  EXPECT_EQ(session.Passwords()[0], "prvni");
  EXPECT_EQ(first.data(), session.Passwords()[0].data()) << "an earlier view stays valid";
  EXPECT_EQ(session.Passwords()[40], "heslo 39");
  session.RemoveAllPasswords();
  EXPECT_TRUE(session.Passwords().empty());
}

TEST(TSession, TheQuestionsAnswerJoinsThePasswords) {
  TSession session;
  EXPECT_FALSE(session.AskPassword("a.db", false)) << "no question to ask";
  std::vector<std::pair<std::string, bool>> asked;
  std::vector<std::optional<std::string>> answers = {"tajne", std::nullopt};
  session.SetPasswordPrompt([&](const std::string& table, bool afterWrong) -> std::optional<SecretText> {
    asked.emplace_back(table, afterWrong);
    const std::optional<std::string> answer = answers[asked.size() - 1];
    if (!answer) return std::nullopt;
    return SecretText(*answer);
  });
  EXPECT_TRUE(session.AskPassword("chráněná.db", false));
  EXPECT_FALSE(session.AskPassword("chráněná.db", true));
  EXPECT_EQ(asked, (std::vector<std::pair<std::string, bool>>{{"chráněná.db", false}, {"chráněná.db", true}}));
  EXPECT_EQ(session.Passwords(), std::vector<std::string_view>{"tajne"});
}

}  // namespace
}  // namespace merivan
