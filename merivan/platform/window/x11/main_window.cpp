#include "merivan/platform/window/x11/main_window.h"

namespace merivan::platform::x11 {

namespace {

DialogDesign MainDesign(const std::string& taskbarName) {
  DialogDesign design;
  design.title = kMainCaption;
  design.iconName = design.className = taskbarName;
  design.width = kClientWidth;
  design.height = kClientHeight;
  return design;
}

}  // namespace

MainWindow::MainWindow(Display* display, const Atoms& atoms, const PixelFormat& format, const std::string& taskbarName)
    : window_(display, atoms, format, MainDesign(taskbarName)),
      gauge_(display, DefaultScreen(display), window_.Id(), window_.Gc(), format, kGaugeBounds) {}

bool MainWindow::Handle(const XEvent& event) {
  if (event.xany.window != window_.Id()) return false;
  window_.FollowFrameChange(event);
  switch (event.type) {
    case Expose:
      if (event.xexpose.count == 0) {
        gauge_.Redraw();
        exposed_ = true;
      }
      break;
    case ClientMessage:
      // WM_DELETE_WINDOW (the frame's close, Alt+F4): the run goes on regardless.
      break;
    default:
      break;
  }
  return true;
}

}  // namespace merivan::platform::x11
