#pragma once
// TSession: what the table store keeps for the whole run. A password given
// once serves every table opened later; when a protected table has none of
// them, the session's password question (the window system's) is asked. A
// database alias asks its login through the session's window system too.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "merivan/platform/window/secret_text.h"
#include "merivan/platform/window/window_system.h"

namespace merivan {

class TSession {
 public:
  // Asks for the password of a table; nullopt when the user cancels or
  // cannot be asked.
  using PasswordPrompt = std::function<std::optional<platform::SecretText>(const std::string& tableNameUtf8,
                                                                         bool afterWrongPassword)>;

  // Adds a password (UTF-8) for the tables opened from now on.
  void AddPassword(platform::SecretText password);
  void RemoveAllPasswords() { passwords_.clear(); }
  // The passwords, oldest first; the views last until RemoveAllPasswords.
  std::vector<std::string_view> Passwords() const;

  void SetPasswordPrompt(PasswordPrompt prompt) { prompt_ = std::move(prompt); }
  // Asks the question and adds the answer: false when it was cancelled or
  // there is no question to ask.
  bool AskPassword(const std::string& tableNameUtf8, bool afterWrongPassword);

  // Where database logins are asked; none: never asked.
  void SetLoginPrompts(platform::WindowSystem* prompts) { loginPrompts_ = prompts; }
  platform::WindowSystem* LoginPrompts() const { return loginPrompts_; }

 private:
  // Each text owns its buffer, so the views survive the vector's growth.
  std::vector<platform::SecretText> passwords_;
  PasswordPrompt prompt_;
  platform::WindowSystem* loginPrompts_ = nullptr;
};

}  // namespace merivan
