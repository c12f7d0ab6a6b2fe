#pragma once
// TTimer: a window timer calling OnTimer every Interval milliseconds while enabled.
#include <functional>

#include "merivan/platform/window/window_system.h"

namespace merivan {

class TTimer {
 public:
  explicit TTimer(platform::WindowSystem& windowSystem) : windowSystem_(windowSystem) {}
  ~TTimer();
  TTimer(const TTimer&) = delete;
  TTimer& operator=(const TTimer&) = delete;

  int Interval = 1000;
  std::function<void()> OnTimer;

  bool Enabled() const { return enabled_; }
  // Starts (with the current Interval and OnTimer) or stops the timer.
  void SetEnabled(bool v);

 private:
  platform::WindowSystem& windowSystem_;
  bool enabled_ = false;
};

}  // namespace merivan
