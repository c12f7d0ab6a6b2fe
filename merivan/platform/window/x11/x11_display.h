#pragma once
// The connection to the X server, opened with a time limit: a server that
// accepts the connection and then never answers must not hang the program;
// and owners of server-side resources, released through the connection.
#include <X11/Xlib.h>

#include <chrono>
#include <memory>

namespace merivan::platform::x11 {

struct DisplayCloser {
  void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

// The display named by DISPLAY once it has answered a round trip within
// `limit`; null when DISPLAY is unset or empty, the server refuses, or it is
// silent for longer than `limit`.
DisplayPtr OpenDisplayWithin(std::chrono::milliseconds limit);

// A window destroyed with its owner.
class OwnedWindow {
 public:
  OwnedWindow(Display* display, Window window) : display_(display), window_(window) {}
  OwnedWindow(const OwnedWindow&) = delete;
  OwnedWindow& operator=(const OwnedWindow&) = delete;
  ~OwnedWindow() {
    if (window_) XDestroyWindow(display_, window_);
  }
  Window Id() const { return window_; }

 private:
  Display* display_;
  Window window_;
};

// A graphics context freed with its owner.
class OwnedGC {
 public:
  OwnedGC(Display* display, Drawable drawable) : display_(display), gc_(XCreateGC(display, drawable, 0, nullptr)) {}
  OwnedGC(const OwnedGC&) = delete;
  OwnedGC& operator=(const OwnedGC&) = delete;
  ~OwnedGC() { XFreeGC(display_, gc_); }
  GC Get() const { return gc_; }

 private:
  Display* display_;
  GC gc_;
};

}  // namespace merivan::platform::x11
