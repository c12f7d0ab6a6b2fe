#pragma once
// The window system without a display: a message loop whose only messages
// are timer ticks, no window, error reports on stderr, the password and
// login questions on the terminal, and the progress as one line on stderr
// when that is a terminal.
#include <unistd.h>

#include <functional>

#include "merivan/platform/window/message_timer.h"
#include "merivan/platform/window/terminal_progress.h"
#include "merivan/platform/window/terminal_prompt.h"
#include "merivan/platform/window/window_system.h"

namespace merivan::platform {

class HeadlessWindowSystem : public WindowSystem {
 public:
  void ShowMainWindow() override {}
  void StartTimer(int intervalMs, std::function<void()> onTick) override;
  void StopTimer() override;
  // Delivers a tick that is due; never waits.
  void ProcessMessages() override;
  // Waits for and delivers ticks while the timer runs; returns once no
  // message can come any more (the timer stopped).
  void RunMessageLoop() override;
  // The text, converted to the terminal's character set, as one line on
  // stderr, after the progress line is taken away.
  void ShowErrorBox(const std::string& utf8Text) override;
  void PaintGauge(int) override {}
  // On the terminal when there is one (see TerminalPrompts), else nullopt at once.
  std::optional<SecretText> AskPassword(const std::string& tableNameUtf8, bool afterWrongPassword) override {
    return prompts_.AskPassword(tableNameUtf8, afterWrongPassword);
  }
  std::optional<LoginAnswer> AskLogin(const std::string& dataSourceUtf8, const std::string& userUtf8) override {
    return prompts_.AskLogin(dataSourceUtf8, userUtf8);
  }
  void ShowProgress(int64_t done, int64_t total, const std::string& tableName) override {
    progress_.Update(done, total, tableName);
  }
  void EndProgress() override { progress_.Clear(); }

 private:
  MessageTimer timer_;
  TerminalPrompts prompts_;
  TerminalProgress progress_{STDERR_FILENO};
};

}  // namespace merivan::platform
