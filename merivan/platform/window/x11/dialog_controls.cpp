#include "merivan/platform/window/x11/dialog_controls.h"

#include "merivan/platform/window/x11/dialog_window.h"

namespace merivan::platform::x11 {

// The bevels' colours of the classic scheme.
constexpr uint32_t kTextColour = 0x000000;
constexpr uint32_t kHighlight = 0xFFFFFF;
constexpr uint32_t kLight = 0xE0E0E0;
constexpr uint32_t kShadow = 0x808080;
constexpr uint32_t kDarkShadow = 0x404040;

DialogPainter::DialogPainter(Display* display, Window window, GC gc, const PixelFormat& format,
                             const XftTextFont& font)
    : display_(display),
      window_(window),
      gc_(gc),
      format_(format),
      font_(font),
      pen_(display, DefaultScreen(display), window, kTextColour) {}

void DialogPainter::Fill(PixelRect r, uint32_t rgb) {
  XSetForeground(display_, gc_, format_.Pixel(rgb));
  XFillRectangle(display_, window_, gc_, r.left, r.top, static_cast<unsigned>(r.right - r.left),
                 static_cast<unsigned>(r.bottom - r.top));
}

void DialogPainter::Line(uint32_t rgb, int x1, int y1, int x2, int y2) {
  XSetForeground(display_, gc_, format_.Pixel(rgb));
  XDrawLine(display_, window_, gc_, x1, y1, x2, y2);
}

void DialogPainter::Text(int x, int baseline, std::string_view utf8) { pen_.Draw(font_, x, baseline, utf8); }

void DialogPainter::Button(PixelRect r, std::string_view label, ButtonLook look) {
  Fill(r, kButtonFace);
  // The default button: a black outline, then the raised (or pressed) bevel.
  PixelRect bevel = r;
  if (look.isDefault) {
    XSetForeground(display_, gc_, format_.Pixel(0x000000));
    XDrawRectangle(display_, window_, gc_, r.left, r.top, static_cast<unsigned>(r.right - r.left - 1),
                   static_cast<unsigned>(r.bottom - r.top - 1));
    bevel = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
  }
  const int l = bevel.left, t = bevel.top, rr = bevel.right - 1, b = bevel.bottom - 1;
  if (look.pressed) {
    Line(kShadow, l, t, rr, t);
    Line(kShadow, l, t, l, b);
  } else {
    Line(kHighlight, l, t, rr - 1, t);
    Line(kHighlight, l, t, l, b - 1);
    Line(kDarkShadow, l, b, rr, b);
    Line(kDarkShadow, rr, t, rr, b);
    Line(kShadow, l + 1, b - 1, rr - 1, b - 1);
    Line(kShadow, rr - 1, t + 1, rr - 1, b - 1);
  }
  const int shift = look.pressed ? 1 : 0;
  const int x = r.left + (r.right - r.left - font_.Width(label)) / 2 + shift;
  const int y = r.top + (r.bottom - r.top - font_.LineHeight()) / 2 + font_.Ascent() + shift;
  pen_.Draw(font_, x, y, label);
  if (!look.focused) return;
  // The focus rectangle: the button has the keyboard.
  XSetForeground(display_, gc_, format_.Pixel(0x000000));
  XSetLineAttributes(display_, gc_, 0, LineOnOffDash, CapButt, JoinMiter);
  const char dashes[] = {1, 1};
  XSetDashes(display_, gc_, 0, dashes, 2);
  XDrawRectangle(display_, window_, gc_, r.left + 4, r.top + 4, static_cast<unsigned>(r.right - r.left - 9),
                 static_cast<unsigned>(r.bottom - r.top - 9));
  XSetLineAttributes(display_, gc_, 0, LineSolid, CapButt, JoinMiter);
}

void DialogPainter::Entry(PixelRect r, std::string_view shown, bool focused) {
  constexpr int kPadding = 4;
  const int l = r.left, t = r.top, rr = r.right - 1, b = r.bottom - 1;
  Fill({l + 2, t + 2, rr - 1, b - 1}, 0xFFFFFF);
  // Sunken: shadow and dark shadow on the top and left, light below and right.
  Line(kShadow, l, t, rr - 1, t);
  Line(kShadow, l, t, l, b - 1);
  Line(kDarkShadow, l + 1, t + 1, rr - 2, t + 1);
  Line(kDarkShadow, l + 1, t + 1, l + 1, b - 2);
  Line(kHighlight, l, b, rr, b);
  Line(kHighlight, rr, t, rr, b);
  Line(kLight, l + 1, b - 1, rr - 1, b - 1);
  Line(kLight, rr - 1, t + 1, rr - 1, b - 1);
  // A text wider than the field shows its end, where the caret is.
  const int room = r.right - r.left - 2 * kPadding;
  const int width = font_.Width(shown);
  const int x = l + kPadding + (width > room ? room - width : 0);
  const int baseline = t + (r.bottom - r.top - font_.LineHeight()) / 2 + font_.Ascent();
  XRectangle clip{static_cast<short>(l + 2), static_cast<short>(t + 2), static_cast<unsigned short>(rr - l - 3),
                  static_cast<unsigned short>(b - t - 3)};
  pen_.Clip(clip);
  pen_.Draw(font_, x, baseline, shown);
  pen_.Clip(std::nullopt);
  if (!focused) return;
  const int caret = x + width;
  Line(kTextColour, caret, baseline - font_.Ascent(), caret, baseline - font_.Ascent() + font_.LineHeight() - 1);
}

}  // namespace merivan::platform::x11
