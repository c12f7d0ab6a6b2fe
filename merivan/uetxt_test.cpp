#include "merivan/uetxt.h"

#include <gtest/gtest.h>

#include "merivan/platform/window/headless_window_system.h"

namespace merivan {
namespace {

// The headless window system, noting what the gauge asks it to paint.
class PaintRecorder : public platform::HeadlessWindowSystem {
 public:
  explicit PaintRecorder(std::vector<int>& painted) : painted_(painted) {}
  void PaintGauge(int percent) override { painted_.push_back(percent); }

 private:
  std::vector<int>& painted_;
};

TEST(TMain, LayoutAndMainReference) {
  std::vector<int> painted;
  TApplication app({"merivan"}, std::make_unique<PaintRecorder>(painted));
  {
    TMain form(app);
    EXPECT_EQ(Main, &form);
    EXPECT_EQ(&form.Application(), &app);
    EXPECT_FALSE(form.ADR.Active());
    EXPECT_EQ(form.ADR.Name, "ADR");
    EXPECT_EQ(form.ADR.TableName(), "Adresati.db");
    EXPECT_EQ(form.Timer1.Interval, 10);
    EXPECT_TRUE(form.Timer1.Enabled());
    EXPECT_EQ(form.progres.MinValue(), 0);
    EXPECT_EQ(form.progres.MaxValue(), 100);
    EXPECT_EQ(form.progres.Progress(), 0);
    form.Timer1.SetEnabled(false);

    // The gauge paints through the window system.
    form.progres.SetMaxValue(3);
    form.progres.AddProgress(1);
    EXPECT_EQ(painted, (std::vector<int>{0, 33, 33}));
  }
  EXPECT_EQ(Main, nullptr);
}

}  // namespace
}  // namespace merivan
