#pragma once
// The gauge `progres` on the screen: composes the picture for a percentage
// and copies it into the window at once. Painting is on the export's path
// for every record, so an unchanged picture is neither composed nor copied.
#include <X11/Xlib.h>

#include <optional>

#include "merivan/platform/window/x11/gauge_picture.h"
#include "merivan/platform/window/x11/pixel_image.h"

namespace merivan::platform::x11 {

class GaugeView {
 public:
  GaugeView(Display* display, int screen, Window window, GC gc, const PixelFormat& format, PixelRect bounds);

  // Draws the gauge at `percent` now, unless the picture would not change.
  void Paint(int percent);
  // Copies the current picture again (the window was exposed).
  void Redraw();

 private:
  Display* display_;
  Window window_;
  GC gc_;
  PixelFormat format_;
  PixelRect bounds_;
  std::optional<MonoFont> font_;
  PixelImage image_;
  int percent_ = -1;
};

}  // namespace merivan::platform::x11
