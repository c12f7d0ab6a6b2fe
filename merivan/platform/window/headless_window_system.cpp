#include "merivan/platform/window/headless_window_system.h"

#include <cstdio>
#include <thread>

#include "merivan/platform/locale/codepage.h"

namespace merivan::platform {

void HeadlessWindowSystem::StartTimer(int intervalMs, std::function<void()> onTick) {
  timer_.Start(std::chrono::milliseconds(intervalMs > 0 ? intervalMs : 0), std::move(onTick));
}

void HeadlessWindowSystem::StopTimer() { timer_.Stop(); }

void HeadlessWindowSystem::ProcessMessages() {
  if (!timer_.On()) return;
  const auto now = MessageTimer::Clock::now();
  if (timer_.DueAt(now)) timer_.Fire(now);
}

void HeadlessWindowSystem::RunMessageLoop() {
  while (timer_.On()) {
    std::this_thread::sleep_until(timer_.Due());
    if (timer_.On()) timer_.Fire(MessageTimer::Clock::now());
  }
}

void HeadlessWindowSystem::ShowErrorBox(const std::string& utf8Text) {
  progress_.Clear();
  const std::string text = Utf8ToTerminal(utf8Text) + "\n";
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

}  // namespace merivan::platform
