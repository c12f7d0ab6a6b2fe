#pragma once
// The modal dialogs that ask the user to type something: the password
// dialog ("Enter password") and the login dialog ("Database Login"). A few
// lines of text, labelled entry fields (a masked one shows one '*' per
// character), OK (the default: Enter) and Cancel (Escape, the frame's close).
// Tab and Shift+Tab move the focus; text comes through the input method in
// UTF-8, and BackSpace takes one character back.
#include <X11/Xlib.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "merivan/platform/window/secret_text.h"
#include "merivan/platform/window/x11/pixel_image.h"
#include "merivan/platform/window/x11/window_hints.h"

namespace merivan::platform::x11 {

struct EntryField {
  std::string label;  // UTF-8, before the field
  bool masked = false;
  SecretText text;  // what the field starts with
};

struct EntryDialogSpec {
  std::string title;      // UTF-8
  std::string className;  // the taskbar name
  Window owner = None;    // the window it is modal for, or None
  std::string message;    // UTF-8, wrapped above the fields
  std::vector<EntryField> fields;
  size_t focus = 0;  // the field that has the keyboard first
};

// Where everything goes, from the font's measures (exposed for tests).
struct EntryDialogLayout {
  int width = 0;
  int height = 0;
  int messageTop = 0;
  std::vector<PixelRect> fields;
  int labelLeft = 0;
  PixelRect ok;
  PixelRect cancel;
};
EntryDialogLayout LayOutEntryDialog(int messageLines, int lineHeight, size_t fieldCount);

class EntryDialog {
 public:
  using Handler = std::function<void(XEvent&)>;

  // Shows the dialog and handles events until it is closed; events for
  // other windows go to `others`. The fields as typed after OK, nullopt
  // after Cancel.
  static std::optional<std::vector<SecretText>> Run(Display* display, const Atoms& atoms, const PixelFormat& format,
                                                    EntryDialogSpec spec, const Handler& others);
};

}  // namespace merivan::platform::x11
