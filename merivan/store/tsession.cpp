#include "merivan/store/tsession.h"

namespace merivan {

void TSession::AddPassword(platform::SecretText password) { passwords_.push_back(std::move(password)); }

std::vector<std::string_view> TSession::Passwords() const {
  std::vector<std::string_view> views;
  views.reserve(passwords_.size());
  for (const platform::SecretText& p : passwords_) views.push_back(p.View());
  return views;
}

bool TSession::AskPassword(const std::string& tableNameUtf8, bool afterWrongPassword) {
  if (!prompt_) return false;
  std::optional<platform::SecretText> answer = prompt_(tableNameUtf8, afterWrongPassword);
  if (!answer) return false;
  AddPassword(std::move(*answer));
  return true;
}

}  // namespace merivan
