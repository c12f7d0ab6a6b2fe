#pragma once
// One dialog-framed window of the program, as the main window, the error box
// and the password and login dialogs all are: created at its client size in
// button-face grey; told to the window manager (names, fixed size, dialog
// type, frame buttons, icon, close requests; a modal one also its modal state
// and owner); centred with its frame on the screen and mapped; the modal loop
// that keeps the windows behind it served; and its keys, typed text included.
#include <X11/Xlib.h>

#include <functional>
#include <memory>
#include <string>
#include <type_traits>

#include "merivan/platform/window/secret_text.h"
#include "merivan/platform/window/x11/pixel_image.h"
#include "merivan/platform/window/x11/window_hints.h"
#include "merivan/platform/window/x11/x11_display.h"

namespace merivan::platform::x11 {

// clBtnFace of the classic Windows scheme.
constexpr uint32_t kButtonFace = 0xD4D0C8;

struct DialogSpec {
  std::string title;     // UTF-8
  std::string iconName;  // UTF-8
  std::string className;
  int width = 0;  // of the client area
  int height = 0;
  // A modal dialog is transient for `owner` (unless None), has
  // _NET_WM_STATE_MODAL and a close button, and takes the keyboard once
  // mapped. A modeless one has no buttons in its title bar at all.
  bool modal = false;
  Window owner = None;
  // Events wanted beyond Expose and StructureNotify.
  long events = 0;
  // Typed text comes through the input method (dead keys, any language).
  bool textInput = false;
};

// What a key press means to a dialog.
enum class DialogKey { kOther, kEnter, kEscape, kSpace, kTab, kBackTab, kBackSpace, kText };

struct KeyInput {
  DialogKey key = DialogKey::kOther;
  SecretText text;  // UTF-8, for kText: perhaps a password's
};

class DialogWindow {
 public:
  using EventHandler = std::function<void(XEvent&)>;

  DialogWindow(Display* display, const Atoms& atoms, const PixelFormat& format, const DialogSpec& spec);
  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;

  Window Id() const { return window_.Id(); }
  GC Gc() const { return gc_.Get(); }

  // Centres the window, its frame included, and maps it; once.
  void Show();
  bool Shown() const { return shown_; }

  // Keeps the window centred: a manager that answers the frame question
  // late (a loaded machine) sets _NET_FRAME_EXTENTS after the window is
  // mapped, and the window is then centred again with that frame.
  void FollowFrameChange(const XEvent& event);

  // WM_DELETE_WINDOW for this window: the frame's close button or Alt+F4.
  bool IsCloseRequest(const XEvent& event) const;

  // The meaning of a key press on this window.
  KeyInput ReadKey(XKeyEvent& event);

  // Handles events until `done()`: this window's go to `handle`, the others
  // to `others` (so that the windows behind stay painted).
  void RunModal(const std::function<bool()>& done, const std::function<void(const XEvent&)>& handle,
                const EventHandler& others);

 private:
  struct InputMethodCloser {
    void operator()(XIM method) const { XCloseIM(method); }
  };
  struct InputContextDestroyer {
    void operator()(XIC context) const { XDestroyIC(context); }
  };
  void OpenInputMethod();
  void MoveToCentre();

  Display* display_;
  const Atoms& atoms_;
  DialogSpec spec_;
  OwnedWindow window_;
  OwnedGC gc_;
  // Declared in this order so that the context goes before its method.
  std::unique_ptr<std::remove_pointer_t<XIM>, InputMethodCloser> inputMethod_;
  std::unique_ptr<std::remove_pointer_t<XIC>, InputContextDestroyer> inputContext_;
  FrameExtents frame_;
  bool shown_ = false;
};

}  // namespace merivan::platform::x11
