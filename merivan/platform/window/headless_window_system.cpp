#include "merivan/platform/window/headless_window_system.h"

#include <cstdio>
#include <thread>

#include "merivan/platform/locale/codepage.h"

namespace merivan::platform {

void HeadlessWindowSystem::StartTimer(int intervalMs, std::function<void()> onTick) {
  interval_ = std::chrono::milliseconds(intervalMs > 0 ? intervalMs : 0);
  onTick_ = std::move(onTick);
  due_ = Clock::now() + interval_;
  timerOn_ = true;
}

void HeadlessWindowSystem::StopTimer() {
  timerOn_ = false;
  onTick_ = nullptr;
}

void HeadlessWindowSystem::Tick() {
  due_ = Clock::now() + interval_;
  // The handler may stop the timer, which drops onTick_: run a copy.
  const std::function<void()> handler = onTick_;
  if (handler) handler();
}

void HeadlessWindowSystem::ProcessMessages() {
  if (timerOn_ && Clock::now() >= due_) Tick();
}

void HeadlessWindowSystem::RunMessageLoop() {
  while (timerOn_) {
    std::this_thread::sleep_until(due_);
    if (timerOn_) Tick();
  }
}

void HeadlessWindowSystem::ShowErrorBox(const std::string& utf8Text) {
  const std::string text = Utf8ToTerminal(utf8Text) + "\n";
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

}  // namespace merivan::platform
