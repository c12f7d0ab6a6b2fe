#pragma once
// The main window TMain on X11: a fixed 493 x 35 dialog in button-face grey
// with the gauge `progres` at (8, 8), 481 x 25, and no buttons in its title
// bar. A close request is taken from the queue and ignored.
#include <X11/Xlib.h>

#include <string>

#include "merivan/platform/window/x11/dialog_window.h"
#include "merivan/platform/window/x11/gauge_view.h"

namespace merivan::platform::x11 {

constexpr int kClientWidth = 493;
constexpr int kClientHeight = 35;
constexpr PixelRect kGaugeBounds = {8, 8, 8 + 481, 8 + 25};
// "Příprava adresáře pro import" in UTF-8.
constexpr const char* kMainCaption = "P\xC5\x99\xC3\xADprava adres\xC3\xA1\xC5\x99" "e pro import";

class MainWindow {
 public:
  // Creates the window (not yet shown) with all its properties.
  MainWindow(Display* display, const Atoms& atoms, const PixelFormat& format, const std::string& taskbarName);

  Window Id() const { return window_.Id(); }
  // Centres the window, its frame included, and maps it.
  void Show() { window_.Show(); }
  bool Shown() const { return window_.Shown(); }
  // The first Expose has been handled: the window and the gauge are on screen.
  bool Exposed() const { return exposed_; }

  void PaintGauge(int percent) { gauge_.Paint(percent); }

  // Handles an event meant for this window; false for any other.
  bool Handle(const XEvent& event);

 private:
  DialogWindow window_;
  GaugeView gauge_;
  bool exposed_ = false;
};

}  // namespace merivan::platform::x11
