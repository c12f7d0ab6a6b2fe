#include "merivan/platform/window/headless_window_system.h"
#include "merivan/platform/window/window_system.h"
#include "merivan/platform/window/x11/x11_window_system.h"

namespace merivan::platform {

std::unique_ptr<WindowSystem> CreateWindowSystem(const std::string& programPath) {
  if (auto x11 = x11::CreateX11WindowSystem(programPath)) return x11;
  return std::make_unique<HeadlessWindowSystem>();
}

}  // namespace merivan::platform
