#include "merivan/platform/window/headless_window_system.h"

#include <gtest/gtest.h>

#include <chrono>
#include <clocale>
#include <cstdlib>

namespace merivan::platform {
namespace {

using Clock = std::chrono::steady_clock;

TEST(HeadlessWindowSystem, LoopDeliversTicksUntilTheTimerStops) {
  HeadlessWindowSystem ws;
  int ticks = 0;
  const auto start = Clock::now();
  ws.StartTimer(10, [&] {
    if (++ticks == 3) ws.StopTimer();
  });
  ws.RunMessageLoop();
  EXPECT_EQ(ticks, 3);
  EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(30));
}

TEST(HeadlessWindowSystem, LoopWithoutTimerEndsAtOnce) {
  HeadlessWindowSystem ws;
  ws.ShowMainWindow();
  ws.RunMessageLoop();
  ws.PaintGauge(50);
}

TEST(HeadlessWindowSystem, ProcessMessagesNeverWaits) {
  HeadlessWindowSystem ws;
  int ticks = 0;
  ws.StartTimer(60000, [&] { ++ticks; });
  const auto start = Clock::now();
  ws.ProcessMessages();
  ws.ProcessMessages();
  EXPECT_EQ(ticks, 0);
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
  ws.StopTimer();
}

TEST(HeadlessWindowSystem, ProcessMessagesDeliversADueTick) {
  HeadlessWindowSystem ws;
  int ticks = 0;
  ws.StartTimer(0, [&] { ++ticks; });
  ws.ProcessMessages();
  EXPECT_EQ(ticks, 1);
  ws.StopTimer();
  ws.ProcessMessages();
  EXPECT_EQ(ticks, 1);
}

TEST(HeadlessWindowSystem, ErrorReportGoesToStderrInTheTerminalCharacterSet) {
  setenv("LC_ALL", "cs_CZ.UTF-8", 1);
  if (!std::setlocale(LC_CTYPE, "")) GTEST_SKIP() << "no cs_CZ.UTF-8 locale";
  HeadlessWindowSystem ws;
  ::testing::internal::CaptureStderr();
  ws.ShowErrorBox("Při chybě: a;b");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Při chybě: a;b\n");
  std::setlocale(LC_CTYPE, "C");
}

}  // namespace
}  // namespace merivan::platform
