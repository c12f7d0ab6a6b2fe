#include "merivan/platform/window/x11/gauge_view.h"

namespace merivan::platform::x11 {

GaugeView::GaugeView(Display* display, int screen, Window window, GC gc, const PixelFormat& format, PixelRect bounds)
    : display_(display),
      window_(window),
      gc_(gc),
      format_(format),
      bounds_(bounds),
      font_(MonoFont::Open(kGaugeFontFamily, kGaugeFontPixels)),
      image_(display, screen, bounds.right - bounds.left, bounds.bottom - bounds.top) {
  Paint(0);
}

void GaugeView::Paint(int percent) {
  // The picture follows from the percentage alone (fill width and text).
  if (percent == percent_) return;
  percent_ = percent;
  image_.Fill(ComposeGaugePicture(bounds_.right - bounds_.left, bounds_.bottom - bounds_.top, percent,
                                  font_ ? &*font_ : nullptr),
              format_);
  Redraw();
}

void GaugeView::Redraw() {
  image_.Put(window_, gc_, bounds_.left, bounds_.top);
  XFlush(display_);
}

}  // namespace merivan::platform::x11
