#include "merivan/gauge.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "merivan/exceptions.h"

namespace merivan {
namespace {

struct PaintedGauge {
  TGauge gauge;
  std::vector<int> painted;
  PaintedGauge() {
    gauge.SetPainter([this](int p) { painted.push_back(p); });
  }
};

std::string FailureOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const EInvalidOperation& e) {
    return e.Message();
  }
  return "";
}

TEST(TGauge, BoundsThatCrossFailWithTheRangeLeft) {
  TGauge g;
  EXPECT_EQ(FailureOf([&] { g.SetMaxValue(-1); }), "Value must be between 1 and 2147483647");
  EXPECT_EQ(FailureOf([&] { g.SetMinValue(101); }), "Value must be between -2147483647 and 99");
  // An empty range at the very bottom is allowed.
  g.SetMinValue(INT32_MIN);
  EXPECT_EQ(FailureOf([&] { g.SetMaxValue(INT32_MIN); }), "");
  EXPECT_EQ(g.MaxValue(), INT32_MIN);
  EXPECT_EQ(g.PercentDone(), 0);
}

TEST(TGauge, PercentageTruncatesWithoutOverflow) {
  struct Case {
    int32_t min, max, progress;
    int percent;
  } cases[] = {
      {0, 0, 0, 0},           {0, 3, 1, 33},          {0, 3, 2, 66},
      {0, 3, 3, 100},         {0, 480, 24, 5},        {-10, 10, 0, 50},
      {INT32_MIN, INT32_MAX, 0, 50},  {0, INT32_MAX, INT32_MAX - 1, 99},
  };
  for (const Case& c : cases) {
    TGauge g;
    g.SetMaxValue(c.max);
    g.SetMinValue(c.min);
    g.SetProgress(c.progress);
    EXPECT_EQ(g.PercentDone(), c.percent) << c.min << ".." << c.max << " at " << c.progress;
  }
}

// The percentage is kept between advances: every step of a walk up and
// back down still gives the quotient, and repaints only when it changes.
TEST(TGauge, KeptPercentageFollowsEveryStep) {
  struct Range {
    int32_t min, max;
  } ranges[] = {{0, 1}, {0, 7}, {0, 99}, {0, 101}, {0, 333}, {-50, 1234}, {INT32_MAX - 250, INT32_MAX}};
  for (const Range& r : ranges) {
    PaintedGauge g;
    g.gauge.SetMaxValue(r.max);
    g.gauge.SetMinValue(r.min);
    const auto expected = [&](int64_t v) { return static_cast<int>((v - r.min) * 100 / (int64_t{r.max} - r.min)); };
    std::vector<int32_t> walk;
    for (int64_t v = r.min; v <= r.max; ++v) walk.push_back(static_cast<int32_t>(v));
    for (int64_t v = r.max; v >= r.min; v -= 3) walk.push_back(static_cast<int32_t>(v));
    int before = g.gauge.PercentDone();
    for (const int32_t v : walk) {
      g.painted.clear();
      g.gauge.SetProgress(v);
      ASSERT_EQ(g.gauge.PercentDone(), expected(v)) << r.min << ".." << r.max << " at " << v;
      EXPECT_EQ(g.painted.size(), g.gauge.PercentDone() != before ? 1u : 0u) << v;
      before = g.gauge.PercentDone();
    }
  }
}

TEST(TGauge, ProgressIsClampedAndRepaintsOnlyOnANewPercentage) {
  PaintedGauge p;
  p.gauge.SetMaxValue(300);
  EXPECT_EQ(p.painted, (std::vector<int>{0}));
  p.gauge.SetProgress(2);  // still 0 %: no repaint
  EXPECT_EQ(p.painted, (std::vector<int>{0}));
  p.gauge.SetProgress(3);  // 1 %
  EXPECT_EQ(p.painted, (std::vector<int>{0, 1}));
  p.gauge.SetProgress(1000);
  EXPECT_EQ(p.gauge.Progress(), 300);
  p.gauge.SetProgress(-5);
  EXPECT_EQ(p.gauge.Progress(), 0);
  EXPECT_EQ(p.painted, (std::vector<int>{0, 1, 100, 0}));
}

TEST(TGauge, AdvanceRepaintsOnceOrTwiceAndStopsAtTheMaximum) {
  PaintedGauge p;
  p.gauge.SetMaxValue(3);
  p.painted.clear();
  for (int i = 0; i < 4; ++i) p.gauge.AddProgress(1);
  // 33, 66 and 100 each paint twice (the setter, then the advance); the
  // fourth advance past the maximum paints once.
  EXPECT_EQ(p.painted, (std::vector<int>{33, 33, 66, 66, 100, 100, 100}));
  EXPECT_EQ(p.gauge.Progress(), 3);
}

TEST(TGauge, NewBoundsMoveProgressIntoTheRange) {
  TGauge g;
  g.SetProgress(80);
  g.SetMaxValue(50);
  EXPECT_EQ(g.Progress(), 50);
  g.SetMinValue(40);
  EXPECT_EQ(g.Progress(), 50);
  g.SetMinValue(50);
  EXPECT_EQ(g.Progress(), 50);
  EXPECT_EQ(g.PercentDone(), 0);
}

}  // namespace
}  // namespace merivan
