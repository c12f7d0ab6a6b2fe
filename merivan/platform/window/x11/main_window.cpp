#include "merivan/platform/window/x11/main_window.h"

#include "merivan/platform/window/x11/icons.h"
#include "merivan/platform/window/x11/window_hints.h"

namespace merivan::platform::x11 {

namespace {

// How long to wait for the window manager to tell the size of its frame.
constexpr std::chrono::milliseconds kFrameQueryLimit{300};

Window CreateMainWindow(Display* display, const PixelFormat& format) {
  const int screen = DefaultScreen(display);
  XSetWindowAttributes attributes{};
  attributes.background_pixel = format.Pixel(kButtonFace);
  attributes.event_mask = ExposureMask | StructureNotifyMask;
  return XCreateWindow(display, RootWindow(display, screen), 0, 0, kClientWidth, kClientHeight, 0,
                       DefaultDepth(display, screen), InputOutput, DefaultVisual(display, screen),
                       CWBackPixel | CWEventMask, &attributes);
}

}  // namespace

MainWindow::MainWindow(Display* display, const Atoms& atoms, const PixelFormat& format, const std::string& taskbarName)
    : display_(display),
      atoms_(atoms),
      window_(display, CreateMainWindow(display, format)),
      gc_(display, window_.Id()),
      gauge_(display, DefaultScreen(display), window_.Id(), gc_.Get(), format, kGaugeBounds) {
  const Window w = window_.Id();
  SetWindowNames(display, atoms, w, kMainCaption, taskbarName, taskbarName);
  SetFixedSize(display, w, 0, 0, kClientWidth, kClientHeight);
  SetDialogType(display, atoms, w, false);
  SetFrameButtons(display, atoms, w, false);
  SetIcon(display, atoms, w, ProgramIconProperty());
  AcceptCloseRequests(display, atoms, w);
}

void MainWindow::Show() {
  if (shown_) return;
  const FrameExtents frame = QueryFrameExtents(display_, atoms_, window_.Id(), kFrameQueryLimit);
  const int screen = DefaultScreen(display_);
  const Origin origin = CentredOrigin(DisplayWidth(display_, screen), DisplayHeight(display_, screen),
                                      kClientWidth + frame.left + frame.right, kClientHeight + frame.top + frame.bottom);
  SetFixedSize(display_, window_.Id(), origin.x, origin.y, kClientWidth, kClientHeight);
  XMoveWindow(display_, window_.Id(), origin.x, origin.y);
  XMapRaised(display_, window_.Id());
  XFlush(display_);
  shown_ = true;
}

bool MainWindow::Handle(const XEvent& event) {
  if (event.xany.window != window_.Id()) return false;
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
