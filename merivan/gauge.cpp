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
  Repaint();
}

void TGauge::SetMaxValue(int32_t v) {
  if (v == max_) return;
  if (v < min_) OutOfRange(static_cast<int64_t>(min_) + 1, 2147483647LL);
  max_ = v;
  if (progress_ > v) progress_ = v;
  Repaint();
}

void TGauge::SetProgress(int32_t v) {
  if (v < min_) v = min_;
  if (v > max_) v = max_;
  if (v == progress_) return;
  const int before = PercentDone();
  progress_ = v;
  if (PercentDone() != before) Repaint();
}

void TGauge::AddProgress(int32_t n) {
  const int64_t target = static_cast<int64_t>(progress_) + n;
  SetProgress(target > INT32_MAX ? INT32_MAX : target < INT32_MIN ? INT32_MIN : static_cast<int32_t>(target));
  Repaint();
}

int TGauge::PercentDone() const {
  const int64_t range = static_cast<int64_t>(max_) - min_;
  if (range == 0) return 0;
  return static_cast<int>((static_cast<int64_t>(progress_) - min_) * 100 / range);
}

void TGauge::Repaint() const {
  if (painter_) painter_(PercentDone());
}

}  // namespace merivan
