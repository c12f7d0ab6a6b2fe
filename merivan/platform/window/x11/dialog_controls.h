#pragma once
// The classic look of a dialog's parts, drawn into its window: lines of
// text, push buttons (raised, pressed, default, with the focus), and entry
// fields (sunken and white, with a caret when they have the keyboard).
#include <X11/Xlib.h>

#include <string_view>

#include "merivan/platform/window/x11/pixel_image.h"
#include "merivan/platform/window/x11/xft_text.h"

namespace merivan::platform::x11 {

// The font of every dialog's text.
constexpr const char* kDialogFontPattern = "DejaVu Sans:pixelsize=12";
// The measures every dialog keeps to: the blank round its content, and
// the size of a push button.
constexpr int kDialogMargin = 12;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;

struct ButtonLook {
  bool pressed = false;
  bool isDefault = false;  // a black outline: Enter presses it
  bool focused = false;    // the dotted focus rectangle
};

class DialogPainter {
 public:
  DialogPainter(Display* display, Window window, GC gc, const PixelFormat& format, const XftTextFont& font);

  // `baseline` as Xft has it.
  void Text(int x, int baseline, std::string_view utf8);
  void Button(PixelRect r, std::string_view label, ButtonLook look);
  // `shown` is what the field shows (the stars of a password);
  // `focused` draws the caret after it.
  void Entry(PixelRect r, std::string_view shown, bool focused);

 private:
  void Fill(PixelRect r, uint32_t rgb);
  void Line(uint32_t rgb, int x1, int y1, int x2, int y2);

  Display* display_;
  Window window_;
  GC gc_;
  const PixelFormat& format_;
  const XftTextFont& font_;
  XftPen pen_;
};

}  // namespace merivan::platform::x11
