#include "merivan/ttimer.h"

namespace merivan {

TTimer::~TTimer() {
  if (enabled_) windowSystem_.StopTimer();
}

void TTimer::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  if (v) {
    windowSystem_.StartTimer(Interval, [this] {
      if (OnTimer) OnTimer();
    });
  } else {
    windowSystem_.StopTimer();
  }
}

}  // namespace merivan
