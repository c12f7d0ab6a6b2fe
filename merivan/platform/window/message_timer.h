#pragma once
// The one timer of a message loop: whether it runs, when it is next due, and
// what a tick runs. The loop decides when a due tick is delivered.
#include <chrono>
#include <functional>
#include <utility>

namespace merivan::platform {

class MessageTimer {
 public:
  using Clock = std::chrono::steady_clock;

  void Start(std::chrono::milliseconds interval, std::function<void()> onTick) {
    interval_ = interval;
    onTick_ = std::move(onTick);
    due_ = Clock::now() + interval_;
    on_ = true;
  }
  void Stop() {
    on_ = false;
    onTick_ = nullptr;
  }
  bool On() const { return on_; }
  Clock::time_point Due() const { return due_; }
  bool DueAt(Clock::time_point now) const { return on_ && now >= due_; }

  // Runs the tick; the next one is due an interval after `now`.
  void Fire(Clock::time_point now) {
    due_ = now + interval_;
    // The handler may stop or restart the timer, which replaces onTick_: run a copy.
    const std::function<void()> handler = onTick_;
    if (handler) handler();
  }

 private:
  bool on_ = false;
  std::chrono::milliseconds interval_{0};
  Clock::time_point due_;
  std::function<void()> onTick_;
};

}  // namespace merivan::platform
