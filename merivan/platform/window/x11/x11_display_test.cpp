// gtest first: Xlib's macros (None, Bool) would break its templates.
#include <gtest/gtest.h>

#include "merivan/platform/window/x11/x11_display.h"

#include <cstdlib>
#include <optional>
#include <string>

#include "merivan/platform/window/x11/x11_window_system.h"

namespace merivan::platform::x11 {
namespace {

using namespace std::chrono_literals;

// DISPLAY for the length of one test.
class ScopedDisplayVariable {
 public:
  explicit ScopedDisplayVariable(const char* value) {
    if (const char* old = std::getenv("DISPLAY")) saved_ = old;
    if (value) setenv("DISPLAY", value, 1);
    else unsetenv("DISPLAY");
  }
  ~ScopedDisplayVariable() {
    if (saved_) setenv("DISPLAY", saved_->c_str(), 1);
    else unsetenv("DISPLAY");
  }

 private:
  std::optional<std::string> saved_;
};

TEST(OpenDisplayWithin, NoDisplayNamedNoWait) {
  for (const char* value : {static_cast<const char*>(nullptr), ""}) {
    ScopedDisplayVariable display(value);
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(OpenDisplayWithin(5s), nullptr);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 100ms);
    EXPECT_EQ(CreateX11WindowSystem("merivan"), nullptr);
  }
}

TEST(OpenDisplayWithin, AServerThatIsNotThereIsRefusedAtOnce) {
  // A display number no server listens on: the connection is refused.
  ScopedDisplayVariable display(":65000");
  const auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(OpenDisplayWithin(5s), nullptr);
  EXPECT_LT(std::chrono::steady_clock::now() - started, 2s);
}

}  // namespace
}  // namespace merivan::platform::x11
