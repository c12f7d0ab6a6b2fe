#pragma once
// What a test sees of the windows on the X server: windows found by name,
// their focus, geometry and properties (xwininfo, xprop), whether a dialog is
// modal and centred, screenshots (xwd), and the bells rung (XKB bell
// notifications).
#include <X11/Xlib.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "merivan/platform/window/x11/pixel_image.h"

namespace merivan::x11test {

using platform::x11::RgbImage;

// The first visible window whose name matches the regular expression
// `pattern` (xdotool search --name), of process `pid` when not 0; waiting up
// to `limit`.
std::optional<Window> FindWindowNamed(const std::string& pattern, std::chrono::milliseconds limit, int pid = 0);

// Waits up to `limit` until the window manager has framed and focused
// `window` (_NET_WM_STATE_FOCUSED), so that typed keys reach it.
bool WaitUntilFocused(Window window, std::chrono::milliseconds limit);

struct Geometry {
  int x = 0;  // of the client area, on the screen
  int y = 0;
  int width = 0;
  int height = 0;
  bool viewable = false;
};
std::optional<Geometry> GeometryOf(Window window);

// xprop's text of one property ("" when the window lacks it), in UTF-8.
std::string Property(Window window, const std::string& name);

struct Extents {
  int left = 0, right = 0, top = 0, bottom = 0;
};
// _NET_FRAME_EXTENTS as the window manager set it.
std::optional<Extents> FrameExtentsOf(Window window);

// What is amiss with `dialog` as a modal dialog of `owner`: its type, modal
// state, WM_TRANSIENT_FOR, a fixed size, and its place centred with its
// frame on a screen of `screenWidth` x `screenHeight`. Empty when nothing.
std::string ModalDialogFaults(Window dialog, Window owner, int screenWidth, int screenHeight);

// The window's contents (xwd -id), kept as `savePath` (.png) too.
std::optional<RgbImage> Screenshot(Window window, const std::string& savePath);

// A folder of the build for a test's screenshots.
std::string ScreenshotFolder();

// A connection of the test's own to the server named by DISPLAY.
class TestDisplay {
 public:
  TestDisplay();
  ~TestDisplay();
  TestDisplay(const TestDisplay&) = delete;
  TestDisplay& operator=(const TestDisplay&) = delete;
  Display* Get() const { return display_; }

  int ScreenWidth() const;
  int ScreenHeight() const;
  // Asks for XKB bell notifications; false when the server lacks XKB.
  bool ListenForBells();
  // Bells rung since the last call.
  int BellsRung();
  // WM_DELETE_WINDOW, as the frame's close button sends it.
  void SendCloseRequest(Window window);
  // Fills part of another client's window, to see whether it repaints.
  void Scribble(Window window, int x, int y, int width, int height, unsigned long pixel);

 private:
  Display* display_;
  int xkbEvent_ = -1;
};

}  // namespace merivan::x11test
