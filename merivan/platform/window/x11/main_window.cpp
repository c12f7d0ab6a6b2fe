#include "merivan/platform/window/x11/main_window.h"

namespace merivan::platform::x11 {

namespace {

DialogSpec MainSpec(const std::string& taskbarName) {
  DialogSpec spec;
  spec.title = kMainCaption;
  spec.iconName = spec.className = taskbarName;
  spec.width = kClientWidth;
  spec.height = kClientHeight;
  return spec;
}

}  // namespace

MainWindow::MainWindow(Display* display, const Atoms& atoms, const PixelFormat& format, const std::string& taskbarName)
    : window_(display, atoms, format, MainSpec(taskbarName)),
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
