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
  // The fill width follows from the percentage alone: the same percentage
  // is the same picture.
  if (percent == percent_) return;
  const int width = bounds_.right - bounds_.left;
  const int height = bounds_.bottom - bounds_.top;
  const PixelRect inner = GaugeInnerRect(width, height);
  // The picture depends on nothing but the fill width and the text.
  const int fill = GaugeFillWidth(inner.right - inner.left + 1, percent);
  if (percent == percent_ && fill == fill_) return;
  percent_ = percent;
  fill_ = fill;
  image_.Fill(ComposeGaugePicture(width, height, percent, font_ ? &*font_ : nullptr), format_);
  Redraw();
}

void GaugeView::Redraw() {
  image_.Put(window_, gc_, bounds_.left, bounds_.top);
  XFlush(display_);
}

}  // namespace merivan::platform::x11
