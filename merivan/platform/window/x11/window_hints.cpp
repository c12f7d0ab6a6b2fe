#include "merivan/platform/window/x11/window_hints.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>

namespace merivan::platform::x11 {

Atoms::Atoms(Display* display) {
  char* names[] = {
      const_cast<char*>("WM_PROTOCOLS"),
      const_cast<char*>("WM_DELETE_WINDOW"),
      const_cast<char*>("UTF8_STRING"),
      const_cast<char*>("_NET_WM_NAME"),
      const_cast<char*>("_NET_WM_ICON_NAME"),
      const_cast<char*>("_NET_WM_ICON"),
      const_cast<char*>("_NET_WM_PID"),
      const_cast<char*>("_NET_WM_WINDOW_TYPE"),
      const_cast<char*>("_NET_WM_WINDOW_TYPE_DIALOG"),
      const_cast<char*>("_NET_WM_STATE"),
      const_cast<char*>("_NET_WM_STATE_MODAL"),
      const_cast<char*>("_NET_FRAME_EXTENTS"),
      const_cast<char*>("_NET_REQUEST_FRAME_EXTENTS"),
      const_cast<char*>("_NET_SUPPORTED"),
      const_cast<char*>("_MOTIF_WM_HINTS"),
  };
  Atom* fields[] = {&wmProtocols,     &wmDeleteWindow,  &utf8String,     &netWmName,
                    &netWmIconName,   &netWmIcon,       &netWmPid,       &netWmWindowType,
                    &netWmWindowTypeDialog, &netWmState, &netWmStateModal, &netFrameExtents,
                    &netRequestFrameExtents, &netSupported, &motifWmHints};
  static_assert(sizeof names / sizeof names[0] == sizeof fields / sizeof fields[0], "one field per atom name");
  constexpr int count = sizeof names / sizeof names[0];
  Atom atoms[count] = {};
  XInternAtoms(display, names, count, False, atoms);
  for (int i = 0; i < count; ++i) *fields[i] = atoms[i];
}

std::string TaskbarName(const std::string& programPath) {
  std::string name = std::filesystem::path(programPath).filename().string();
  name = name.substr(0, name.find('.'));
  for (size_t i = 1; i < name.size(); ++i) {
    name[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[i])));
  }
  return name;
}

namespace {

struct XFreeDeleter {
  void operator()(void* p) const {
    if (p) XFree(p);
  }
};

void SetUtf8Property(Display* display, const Atoms& atoms, Window window, Atom property, const std::string& text) {
  XChangeProperty(display, window, property, atoms.utf8String, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(text.data()), static_cast<int>(text.size()));
}

// The legacy text property: STRING when the text is Latin-1, otherwise
// COMPOUND_TEXT, which Xlib builds from UTF-8 whatever the process locale.
void SetLegacyTextProperty(Display* display, Window window, Atom property, const std::string& text) {
  char* list[] = {const_cast<char*>(text.c_str())};
  XTextProperty value{};
  if (Xutf8TextListToTextProperty(display, list, 1, XStdICCTextStyle, &value) < Success) return;
  std::unique_ptr<unsigned char, XFreeDeleter> owned(value.value);
  XSetTextProperty(display, window, &value, property);
}

bool ManagerSupports(Display* display, const Atoms& atoms, Atom feature) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, DefaultRootWindow(display), atoms.netSupported, 0, 4096, False, XA_ATOM, &type,
                         &format, &count, &after, &data) != Success)
    return false;
  std::unique_ptr<unsigned char, XFreeDeleter> owned(data);
  if (type != XA_ATOM || format != 32 || !data) return false;
  const Atom* list = reinterpret_cast<const Atom*>(data);
  return std::find(list, list + count, feature) != list + count;
}


}  // namespace

bool ReadFrameExtents(Display* display, const Atoms& atoms, Window window, FrameExtents& extents) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, atoms.netFrameExtents, 0, 4, False, XA_CARDINAL, &type, &format, &count,
                         &after, &data) != Success)
    return false;
  std::unique_ptr<unsigned char, XFreeDeleter> owned(data);
  if (type != XA_CARDINAL || format != 32 || count != 4 || !data) return false;
  const long* values = reinterpret_cast<const long*>(data);
  extents = {static_cast<int>(values[0]), static_cast<int>(values[1]), static_cast<int>(values[2]),
             static_cast<int>(values[3])};
  return true;
}

void SetWindowNames(Display* display, const Atoms& atoms, Window window, const std::string& title,
                    const std::string& iconName, const std::string& className) {
  SetLegacyTextProperty(display, window, XA_WM_NAME, title);
  SetUtf8Property(display, atoms, window, atoms.netWmName, title);
  SetLegacyTextProperty(display, window, XA_WM_ICON_NAME, iconName);
  SetUtf8Property(display, atoms, window, atoms.netWmIconName, iconName);

  std::string name = className;
  std::string cls = className;
  XClassHint hint{name.data(), cls.data()};
  XSetClassHint(display, window, &hint);

  char host[256] = {};
  if (gethostname(host, sizeof host - 1) == 0) {
    XTextProperty machine{};
    char* list[] = {host};
    if (XStringListToTextProperty(list, 1, &machine)) {
      std::unique_ptr<unsigned char, XFreeDeleter> owned(machine.value);
      XSetWMClientMachine(display, window, &machine);
    }
  }
  const long pid = static_cast<long>(getpid());
  XChangeProperty(display, window, atoms.netWmPid, XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&pid), 1);
}

void SetFixedSize(Display* display, Window window, int x, int y, int width, int height) {
  XSizeHints hints{};
  hints.flags = PPosition | USPosition | PSize | PMinSize | PMaxSize | PWinGravity;
  hints.x = x;
  hints.y = y;
  hints.width = hints.min_width = hints.max_width = width;
  hints.height = hints.min_height = hints.max_height = height;
  // The position given is that of the frame's outer corner.
  hints.win_gravity = NorthWestGravity;
  XSetWMNormalHints(display, window, &hints);
}

void SetDialogType(Display* display, const Atoms& atoms, Window window, bool modal) {
  const Atom type = atoms.netWmWindowTypeDialog;
  XChangeProperty(display, window, atoms.netWmWindowType, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&type), 1);
  if (modal) {
    const Atom state = atoms.netWmStateModal;
    XChangeProperty(display, window, atoms.netWmState, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&state), 1);
  }
}

void SetFrameButtons(Display* display, const Atoms& atoms, Window window, bool closable) {
  enum : long {
    kFunctionsGiven = 1,
    kDecorationsGiven = 2,
    kFuncMove = 4,
    kFuncClose = 32,
    kDecorBorder = 2,
    kDecorTitle = 8,
    kDecorMenu = 16,
  };
  const long hints[5] = {kFunctionsGiven | kDecorationsGiven, closable ? kFuncMove | kFuncClose : kFuncMove,
                         closable ? kDecorBorder | kDecorTitle | kDecorMenu : kDecorBorder | kDecorTitle, 0, 0};
  XChangeProperty(display, window, atoms.motifWmHints, atoms.motifWmHints, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(hints), 5);
}

void SetIcon(Display* display, const Atoms& atoms, Window window, const std::vector<unsigned long>& icon) {
  XChangeProperty(display, window, atoms.netWmIcon, XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(icon.data()), static_cast<int>(icon.size()));
}

void AcceptCloseRequests(Display* display, const Atoms& atoms, Window window) {
  Atom protocols[] = {atoms.wmDeleteWindow};
  XSetWMProtocols(display, window, protocols, 1);
  XWMHints hints{};
  hints.flags = InputHint | StateHint;
  hints.input = True;
  hints.initial_state = NormalState;
  XSetWMHints(display, window, &hints);
}

FrameExtents QueryFrameExtents(Display* display, const Atoms& atoms, Window window, std::chrono::milliseconds limit) {
  FrameExtents extents;
  if (ReadFrameExtents(display, atoms, window, extents)) return extents;
  if (!ManagerSupports(display, atoms, atoms.netRequestFrameExtents)) return extents;

  XWindowAttributes attributes{};
  XGetWindowAttributes(display, window, &attributes);
  XSelectInput(display, window, attributes.your_event_mask | PropertyChangeMask);
  XEvent request{};
  request.xclient.type = ClientMessage;
  request.xclient.window = window;
  request.xclient.message_type = atoms.netRequestFrameExtents;
  request.xclient.format = 32;
  XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &request);
  XFlush(display);

  const auto deadline = std::chrono::steady_clock::now() + limit;
  bool answered = false;
  while (!answered) {
    XEvent event;
    while (!answered && XCheckTypedWindowEvent(display, window, PropertyNotify, &event)) {
      answered = event.xproperty.atom == atoms.netFrameExtents && ReadFrameExtents(display, atoms, window, extents);
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (answered || left.count() <= 0) break;
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    poll(&fd, 1, static_cast<int>(left.count()));
    XEventsQueued(display, QueuedAfterReading);
  }
  XSelectInput(display, window, attributes.your_event_mask);
  return extents;
}

Origin CentredOrigin(int screenWidth, int screenHeight, int outerWidth, int outerHeight) {
  return {std::max(0, (screenWidth - outerWidth) / 2), std::max(0, (screenHeight - outerHeight) / 2)};
}

}  // namespace merivan::platform::x11
