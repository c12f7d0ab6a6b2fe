#pragma once
// Owners of server-side resources that need the display to be released.
#include <X11/Xlib.h>

#include <utility>

namespace merivan::platform::x11 {

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
