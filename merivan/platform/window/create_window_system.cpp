#include "merivan/platform/window/headless_window_system.h"
#include "merivan/platform/window/window_system.h"

namespace merivan::platform {

std::unique_ptr<WindowSystem> CreateWindowSystem(const std::string& /*programPath*/) {
  return std::make_unique<HeadlessWindowSystem>();
}

}  // namespace merivan::platform
