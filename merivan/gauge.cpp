#include "merivan/gauge.h"

#include <cstdio>

#include "merivan/exceptions.h"

namespace merivan {

namespace {
[[noreturn]] void OutOfRange(int64_t low, int64_t high) {
  char text[96];
  std::snprintf(text, sizeof text, "Value must be between %lld and %lld", static_cast<long long>(low),
                static_cast<long long>(high));
  throw EInvalidOperation(text);
}
}  // namespace

void TGauge::SetMinValue(int32_t v) {
  if (v == min_) return;
  if (v > max_) OutOfRange(-2147483647LL, static_cast<int64_t>(max_) - 1);
  min_ = v;
  if (progress_ < v) progress_ = v;
  Recount();
  Repaint();
}

void TGauge::SetMaxValue(int32_t v) {
  if (v == max_) return;
  if (v < min_) OutOfRange(static_cast<int64_t>(min_) + 1, 2147483647LL);
  max_ = v;
  if (progress_ > v) progress_ = v;
  Recount();
  Repaint();
}

void TGauge::SetProgress(int32_t v) {
  if (v < min_) v = min_;
  if (v > max_) v = max_;
  if (v == progress_) return;
  progress_ = v;
  if (v >= samePercentFrom_ && v < samePercentTo_) return;
  const int before = percent_;
  Recount();
  if (percent_ != before) Repaint();
}

void TGauge::AddProgress(int32_t n) {
  const int64_t target = static_cast<int64_t>(progress_) + n;
  SetProgress(target > INT32_MAX ? INT32_MAX : target < INT32_MIN ? INT32_MIN : static_cast<int32_t>(target));
  Repaint();
}

void TGauge::Recount() {
  const int64_t range = static_cast<int64_t>(max_) - min_;
  if (range == 0) {
    percent_ = 0;
    samePercentFrom_ = INT64_MIN;
    samePercentTo_ = INT64_MAX;
    return;
  }
  const int64_t done = static_cast<int64_t>(progress_) - min_;
  percent_ = static_cast<int>(done * 100 / range);
  // done * 100 / range truncates to p exactly for done in
  // [ceil(p * range / 100), ceil((p + 1) * range / 100)).
  const auto ceilingOfHundredth = [](int64_t v) { return (v + 99) / 100; };
  samePercentFrom_ = min_ + ceilingOfHundredth(percent_ * range);
  samePercentTo_ = min_ + ceilingOfHundredth((percent_ + 1) * range);
}

void TGauge::Repaint() const {
  if (painter_) painter_(PercentDone());
}

}  // namespace merivan
