#include "merivan/platform/window/x11/x11_atoms.h"

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

}  // namespace merivan::platform::x11
