#include "merivan/platform/window/x11/dialog_window.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <unicode/utf8.h>

#include <cstring>

#include "merivan/platform/window/x11/icons.h"

namespace merivan::platform::x11 {

namespace {

// How long to wait for the window manager to tell the size of its frame.
constexpr std::chrono::milliseconds kFrameQueryLimit{300};

Window CreateDialogWindow(Display* display, const PixelFormat& format, const DialogSpec& spec) {
  const int screen = DefaultScreen(display);
  XSetWindowAttributes attributes{};
  attributes.background_pixel = format.Pixel(kButtonFace);
  attributes.event_mask = ExposureMask | StructureNotifyMask | PropertyChangeMask | spec.events;
  return XCreateWindow(display, RootWindow(display, screen), 0, 0, static_cast<unsigned>(spec.width),
                       static_cast<unsigned>(spec.height), 0, DefaultDepth(display, screen), InputOutput,
                       DefaultVisual(display, screen), CWBackPixel | CWEventMask, &attributes);
}

// A key's text without an input method: Latin-1 keysyms and the Unicode
// ones (0x01000000 + code point) as UTF-8.
SecretText KeysymText(KeySym sym) {
  UChar32 code = 0;
  if ((sym >= 0x20 && sym <= 0x7E) || (sym >= 0xA0 && sym <= 0xFF)) code = static_cast<UChar32>(sym);
  else if (sym >= 0x01000100 && sym <= 0x0110FFFF) code = static_cast<UChar32>(sym - 0x01000000);
  if (code == 0) return {};
  uint8_t bytes[U8_MAX_LENGTH];
  int32_t length = 0;
  U8_APPEND_UNSAFE(bytes, length, code);
  SecretText text(std::string_view(reinterpret_cast<const char*>(bytes), static_cast<size_t>(length)));
  explicit_bzero(bytes, sizeof bytes);
  return text;
}

}  // namespace

DialogWindow::DialogWindow(Display* display, const Atoms& atoms, const PixelFormat& format, const DialogSpec& spec)
    : display_(display),
      atoms_(atoms),
      spec_(spec),
      window_(display, CreateDialogWindow(display, format, spec)),
      gc_(display, window_.Id()) {
  const Window w = window_.Id();
  SetWindowNames(display, atoms, w, spec.title, spec.iconName, spec.className);
  SetFixedSize(display, w, 0, 0, spec.width, spec.height);
  SetDialogType(display, atoms, w, spec.modal);
  SetFrameButtons(display, atoms, w, spec.modal);
  SetIcon(display, atoms, w, ProgramIconProperty());
  AcceptCloseRequests(display, atoms, w);
  if (spec.modal && spec.owner) XSetTransientForHint(display, w, spec.owner);
  if (spec.textInput) OpenInputMethod();
}

void DialogWindow::OpenInputMethod() {
  // The input method XMODIFIERS names; when that one is not running, Xlib's
  // own, which still composes dead keys.
  XSetLocaleModifiers("");
  XIM method = XOpenIM(display_, nullptr, nullptr, nullptr);
  if (!method) {
    XSetLocaleModifiers("@im=none");
    method = XOpenIM(display_, nullptr, nullptr, nullptr);
  }
  if (!method) return;
  inputMethod_.reset(method);
  const Window w = window_.Id();
  XIC context = XCreateIC(method, XNInputStyle, XIMPreeditNothing | XIMStatusNothing, XNClientWindow, w,
                          XNFocusWindow, w, nullptr);
  if (!context) return;
  inputContext_.reset(context);
  long filtered = 0;
  XGetICValues(context, XNFilterEvents, &filtered, nullptr);
  XSelectInput(display_, w, ExposureMask | StructureNotifyMask | PropertyChangeMask | spec_.events | filtered);
  XSetICFocus(context);
}

void DialogWindow::Show() {
  if (shown_) return;
  frame_ = QueryFrameExtents(display_, atoms_, window_.Id(), kFrameQueryLimit);
  MoveToCentre();
  XMapRaised(display_, window_.Id());
  XFlush(display_);
  shown_ = true;
}

void DialogWindow::MoveToCentre() {
  const Window w = window_.Id();
  const int screen = DefaultScreen(display_);
  const Origin origin =
      CentredOrigin(DisplayWidth(display_, screen), DisplayHeight(display_, screen),
                    spec_.width + frame_.left + frame_.right, spec_.height + frame_.top + frame_.bottom);
  SetFixedSize(display_, w, origin.x, origin.y, spec_.width, spec_.height);
  XMoveWindow(display_, w, origin.x, origin.y);
}

void DialogWindow::FollowFrameChange(const XEvent& event) {
  if (event.type != PropertyNotify || event.xproperty.atom != atoms_.netFrameExtents || !shown_) return;
  FrameExtents now;
  if (!ReadFrameExtents(display_, atoms_, window_.Id(), now)) return;
  if (now.left == frame_.left && now.right == frame_.right && now.top == frame_.top && now.bottom == frame_.bottom)
    return;
  frame_ = now;
  MoveToCentre();
  XFlush(display_);
}

bool DialogWindow::IsCloseRequest(const XEvent& event) const {
  return event.type == ClientMessage && event.xclient.window == window_.Id() &&
         event.xclient.message_type == atoms_.wmProtocols &&
         static_cast<Atom>(event.xclient.data.l[0]) == atoms_.wmDeleteWindow;
}

KeyInput DialogWindow::ReadKey(XKeyEvent& event) {
  KeyInput input;
  const KeySym plain = XLookupKeysym(&event, 0);
  switch (plain) {
    case XK_Return:
    case XK_KP_Enter:
      input.key = DialogKey::kEnter;
      return input;
    case XK_Escape:
      input.key = DialogKey::kEscape;
      return input;
    case XK_Tab:
    case XK_ISO_Left_Tab:
      input.key = (event.state & ShiftMask) || plain == XK_ISO_Left_Tab ? DialogKey::kBackTab : DialogKey::kTab;
      return input;
    case XK_BackSpace:
      input.key = DialogKey::kBackSpace;
      return input;
    default:
      break;
  }
  char buffer[64];
  KeySym sym = NoSymbol;
  if (inputContext_) {
    Status status = 0;
    const int length = Xutf8LookupString(inputContext_.get(), &event, buffer, sizeof buffer, &sym, &status);
    if ((status == XLookupChars || status == XLookupBoth) && length > 0)
      input.text.Append(std::string_view(buffer, static_cast<size_t>(length)));
  } else {
    XLookupString(&event, buffer, sizeof buffer, &sym, nullptr);
    input.text = KeysymText(sym);
  }
  // The key may be part of a password.
  explicit_bzero(buffer, sizeof buffer);
  // Control characters (Ctrl with a letter) are no text.
  if (!input.text.Empty() && static_cast<unsigned char>(input.text.View()[0]) < 0x20) input.text.Clear();
  if (input.text.View() == " ") input.key = DialogKey::kSpace;
  else if (!input.text.Empty()) input.key = DialogKey::kText;
  return input;
}

void DialogWindow::RunModal(const std::function<bool()>& done, const std::function<void(const XEvent&)>& handle,
                            const EventHandler& others) {
  while (!done()) {
    XEvent event;
    XNextEvent(display_, &event);
    // The input method takes the key events it composes from.
    if (inputContext_ && XFilterEvent(&event, None)) continue;
    if (event.xany.window != window_.Id()) {
      others(event);
      continue;
    }
    // Enter and Esc must reach the dialog at once.
    if (event.type == MapNotify && spec_.modal) XSetInputFocus(display_, window_.Id(), RevertToParent, CurrentTime);
    FollowFrameChange(event);
    handle(event);
  }
}

}  // namespace merivan::platform::x11
