#include "merivan/platform/window/x11/xft_text.h"

namespace merivan::platform::x11 {

XftTextFont::XftTextFont(Display* display, int screen, const std::string& pattern)
    : display_(display), font_(XftFontOpenName(display, screen, pattern.c_str())) {}

XftTextFont::~XftTextFont() {
  if (font_) XftFontClose(display_, font_);
}

int XftTextFont::Width(std::string_view utf8) const {
  if (!font_ || utf8.empty()) return 0;
  XGlyphInfo extents{};
  XftTextExtentsUtf8(display_, font_, reinterpret_cast<const FcChar8*>(utf8.data()), static_cast<int>(utf8.size()),
                     &extents);
  return extents.xOff;
}

XftPen::XftPen(Display* display, int screen, Drawable drawable, uint32_t rgb)
    : display_(display),
      visual_(DefaultVisual(display, screen)),
      colormap_(DefaultColormap(display, screen)),
      draw_(XftDrawCreate(display, drawable, visual_, colormap_)) {
  XRenderColor value{};
  value.red = static_cast<unsigned short>(((rgb >> 16) & 0xFF) * 0x101);
  value.green = static_cast<unsigned short>(((rgb >> 8) & 0xFF) * 0x101);
  value.blue = static_cast<unsigned short>((rgb & 0xFF) * 0x101);
  value.alpha = 0xFFFF;
  colourAllocated_ = XftColorAllocValue(display, visual_, colormap_, &value, &colour_);
}

XftPen::~XftPen() {
  if (colourAllocated_) XftColorFree(display_, visual_, colormap_, &colour_);
  if (draw_) XftDrawDestroy(draw_);
}

void XftPen::Draw(const XftTextFont& font, int x, int y, std::string_view utf8) {
  if (!draw_ || !font.Valid() || !colourAllocated_ || utf8.empty()) return;
  XftDrawStringUtf8(draw_, &colour_, font.Get(), x, y, reinterpret_cast<const FcChar8*>(utf8.data()),
                    static_cast<int>(utf8.size()));
}

void XftPen::Clip(const std::optional<XRectangle>& area) {
  if (!draw_) return;
  if (area) XftDrawSetClipRectangles(draw_, 0, 0, &*area, 1);
  else XftDrawSetClip(draw_, nullptr);
}

}  // namespace merivan::platform::x11
