#pragma once
// What the program's windows tell the window manager and learn from it: the
// atoms, names and the taskbar name, fixed size, dialog type, Motif
// decorations, icon, frame extents and the centring rule.
#include <X11/Xlib.h>

#include <chrono>
#include <string>
#include <vector>

namespace merivan::platform::x11 {

// The atoms the windows use, interned in one round trip.
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

// The name the taskbar shows for the program: the file name of its path,
// cut before the first ".", every character after the first in lower case
// ("/usr/bin/MERIVAN.EXE" gives "Merivan"). Linux paths split at "/" only:
// a backslash is an ordinary character of a file name there.
std::string TaskbarName(const std::string& programPath);

// Title (WM_NAME as compound text or STRING, _NET_WM_NAME as UTF-8), icon
// name likewise, WM_CLASS and the process id. Texts are UTF-8.
void SetWindowNames(Display* display, const Atoms& atoms, Window window, const std::string& title,
                    const std::string& iconName, const std::string& className);

// Not resizable: minimum and maximum size equal to the client size; the
// position is the program's own choice.
void SetFixedSize(Display* display, Window window, int x, int y, int width, int height);

// _NET_WM_WINDOW_TYPE_DIALOG, and _NET_WM_STATE_MODAL when `modal`.
void SetDialogType(Display* display, const Atoms& atoms, Window window, bool modal);

// Motif hints: what the frame offers. With `closable` false only moving is
// allowed and the title bar has no buttons at all.
void SetFrameButtons(Display* display, const Atoms& atoms, Window window, bool closable);

// _NET_WM_ICON from {width, height, ARGB...}.
void SetIcon(Display* display, const Atoms& atoms, Window window, const std::vector<unsigned long>& icon);

// WM_DELETE_WINDOW is asked for, so a close request arrives as a message
// (which the program may ignore) instead of the connection being cut.
void AcceptCloseRequests(Display* display, const Atoms& atoms, Window window);

struct FrameExtents {
  int left = 0;
  int right = 0;
  int top = 0;
  int bottom = 0;
};

// The frame the window manager has put around `window`, from
// _NET_FRAME_EXTENTS; false while it has not said.
bool ReadFrameExtents(Display* display, const Atoms& atoms, Window window, FrameExtents& extents);

// The frame the window manager will put around `window` (not yet mapped):
// asked with _NET_REQUEST_FRAME_EXTENTS where the manager supports it, waiting
// at most `limit`; all zero without a manager.
FrameExtents QueryFrameExtents(Display* display, const Atoms& atoms, Window window, std::chrono::milliseconds limit);

struct Origin {
  int x = 0;
  int y = 0;
};

// (screen - outer size) div 2 on each axis, at least 0.
Origin CentredOrigin(int screenWidth, int screenHeight, int outerWidth, int outerHeight);

}  // namespace merivan::platform::x11
