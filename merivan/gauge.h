#pragma once
// TGauge: the progress gauge of the main window. Holds MinValue <= Progress
// <= MaxValue and repaints itself through its painter as the values change.
#include <cstdint>
#include <functional>

namespace merivan {

class TGauge {
 public:
  // Called with the percentage whenever the gauge must be drawn at once.
  using Painter = std::function<void(int percent)>;

  void SetPainter(Painter painter) { painter_ = std::move(painter); }

  int32_t MinValue() const { return min_; }
  int32_t MaxValue() const { return max_; }
  int32_t Progress() const { return progress_; }

  // Fail with EInvalidOperation "Value must be between %d and %d" when the
  // new bound would cross the other one.
  void SetMinValue(int32_t v);
  void SetMaxValue(int32_t v);
  // Clamps into [MinValue, MaxValue]; repaints only when the percentage changes.
  void SetProgress(int32_t v);
  // Adds n through SetProgress, then repaints in any case.
  void AddProgress(int32_t n);

  // (Progress - MinValue) * 100 / (MaxValue - MinValue), truncated; 0 for an empty range.
  int PercentDone() const { return percent_; }

  void Repaint() const;

 private:
  // The percentage anew, and the progress values that keep it: the export
  // advances once per record, and a division each time would cost more
  // than the rest of the advance.
  void Recount();

  int32_t min_ = 0;
  int32_t max_ = 100;
  int32_t progress_ = 0;
  int percent_ = 0;
  int64_t samePercentFrom_ = 0;  // progress values in [from, to) keep percent_
  int64_t samePercentTo_ = 1;
  Painter painter_;
};

}  // namespace merivan
