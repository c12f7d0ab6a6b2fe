#pragma once
// The connection to the X server, opened with a time limit: a server that
// accepts the connection and then never answers must not hang the program.
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

}  // namespace merivan::platform::x11
