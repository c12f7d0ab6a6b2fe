#pragma once
// The window system without a display: a message loop whose only messages
// are timer ticks, no window, and error reports on stderr.
#include <functional>

#include "merivan/platform/window/message_timer.h"
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
  // The text, converted to the terminal's character set, as one line on stderr.
  void ShowErrorBox(const std::string& utf8Text) override;
  void PaintGauge(int) override {}

 private:
  MessageTimer timer_;
};

}  // namespace merivan::platform
