#pragma once
// A test of x11_window_driver: the driver started with its main window shown
// and painted before the test begins, told to quit after it.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/x11/x_probe.h"

namespace merivan::x11test {

class DriverFixture : public ::testing::Test {
 protected:
  // Changes to the driver's environment, as ChildProcess takes them.
  virtual std::vector<std::string> DriverEnvironment() const { return {}; }

  void SetUp() override {
    using namespace std::chrono_literals;
    ASSERT_NE(display_.Get(), nullptr) << "no X server (run under with_x_server.sh)";
    driver_ = std::make_unique<testing::ChildProcess>(std::vector<std::string>{X11_WINDOW_DRIVER},
                                                      DriverEnvironment(), ScreenshotFolder() + "/driver.stderr");
    ASSERT_TRUE(driver_->Started());
    const auto first = driver_->ReadLine(15s);
    ASSERT_TRUE(first && first->rfind("window ", 0) == 0) << (first ? *first : "no answer from the driver");
    window_ = static_cast<Window>(std::stoul(first->substr(7)));
  }
  void TearDown() override {
    if (!driver_) return;
    driver_->WriteLine("quit");
    driver_->Wait(std::chrono::seconds(5));
  }

  TestDisplay display_;
  std::unique_ptr<testing::ChildProcess> driver_;
  Window window_ = 0;  // the main window
};

}  // namespace merivan::x11test
