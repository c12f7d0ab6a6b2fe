#pragma once
// The table store's questions asked on the controlling terminal (/dev/tty)
// when there is no window: a password typed with echo off, a user name typed
// with echo on. Ctrl-C, SIGTERM and SIGHUP while a question waits, and the
// end of input, cancel it; the terminal and the signal handlers are left as
// they were on every path. Without a terminal nothing is asked and nothing
// waits.
#include <map>
#include <optional>
#include <string>

#include "merivan/platform/window/secret_text.h"
#include "merivan/platform/window/window_system.h"

namespace merivan::platform {

// How often one table's password is asked in a run before the run gives up.
constexpr int kPasswordTries = 3;

class TerminalPrompts {
 public:
  // "Password for table NAME: " (after a wrong one: "Wrong password. " in
  // front); nullopt without asking once the table has been asked for
  // kPasswordTries times.
  std::optional<SecretText> AskPassword(const std::string& tableNameUtf8, bool afterWrongPassword);

  // "User name for database NAME [USER]: " (Enter keeps USER), then
  // "Password for database NAME: ".
  std::optional<LoginAnswer> AskLogin(const std::string& dataSourceUtf8, const std::string& userUtf8);

 private:
  std::map<std::string, int> passwordAsks_;
};

}  // namespace merivan::platform
