#pragma once
// The atoms the windows use, interned in one round trip.
#include <X11/Xlib.h>

namespace merivan::platform::x11 {

struct Atoms {
  explicit Atoms(Display* display);

  Atom wmProtocols;
  Atom wmDeleteWindow;
  Atom utf8String;
  Atom netWmName;
  Atom netWmIconName;
  Atom netWmIcon;
  Atom netWmPid;
  Atom netWmWindowType;
  Atom netWmWindowTypeDialog;
  Atom netWmState;
  Atom netWmStateModal;
  Atom netFrameExtents;
  Atom netRequestFrameExtents;
  Atom netSupported;
  Atom motifWmHints;
};

}  // namespace merivan::platform::x11
