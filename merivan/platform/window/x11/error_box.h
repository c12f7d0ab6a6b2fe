#pragma once
// The modal error box: title "Error", the error sign, the message wrapped to
// at most half the screen's width, one "OK" button that is both default and
// cancel (Enter, Esc, a click, or the frame's close all close it). Sized to
// its text, centred on the screen, transient for the main window, silent.
#include <X11/Xlib.h>

#include <functional>
#include <string>
#include <vector>

#include "merivan/platform/window/x11/pixel_image.h"
#include "merivan/platform/window/x11/window_hints.h"

namespace merivan::platform::x11 {

// Where everything goes in the box, from the text's measures.
struct ErrorBoxLayout {
  int width = 0;
  int height = 0;
  PixelRect sign;
  int textLeft = 0;
  int textTop = 0;
  PixelRect button;
};
ErrorBoxLayout LayOutErrorBox(int textWidth, int lineCount, int lineHeight);

// The widest line the box may show on a screen `screenWidth` pixels wide.
int ErrorBoxTextLimit(int screenWidth);

class ErrorBox {
 public:
  using Handler = std::function<void(XEvent&)>;

  // Shows `utf8Text` for `owner` and handles events until the box is
  // closed; events for other windows go to `others`.
  static void Run(Display* display, const Atoms& atoms, const PixelFormat& format, Window owner,
                  const std::string& className, const std::string& utf8Text, const Handler& others);
};

}  // namespace merivan::platform::x11
