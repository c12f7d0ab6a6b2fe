#include "merivan/platform/window/x11/error_box.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstdio>

#include "merivan/platform/locale/codepage.h"
#include "merivan/platform/window/x11/icons.h"
#include "merivan/platform/window/x11/main_window.h"
#include "merivan/platform/window/x11/window_hints.h"
#include "merivan/platform/window/x11/word_wrap.h"
#include "merivan/platform/window/x11/x11_resources.h"
#include "merivan/platform/window/x11/xft_text.h"

namespace merivan::platform::x11 {

namespace {

constexpr int kMargin = 12;
constexpr int kSignSize = 32;
constexpr int kGap = 12;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr const char* kTitle = "Error";
constexpr const char* kButtonText = "OK";
constexpr const char* kFontPattern = "DejaVu Sans:pixelsize=12";
constexpr std::chrono::milliseconds kFrameQueryLimit{300};

constexpr uint32_t kTextColour = 0x000000;
constexpr uint32_t kHighlight = 0xFFFFFF;
constexpr uint32_t kShadow = 0x808080;
constexpr uint32_t kDarkShadow = 0x404040;

// The box's window with its drawing tools; lives while the box is shown.
class BoxWindow {
 public:
  BoxWindow(Display* display, const Atoms& atoms, const PixelFormat& format, Window owner,
            const std::string& className, const std::string& utf8Text);

  Window Id() const { return window_.Id(); }
  bool Closed() const { return closed_; }
  void Handle(const XEvent& event);

 private:
  static Window Create(Display* display, const PixelFormat& format, int width, int height);
  void Draw();
  void DrawButton();
  bool InButton(int x, int y) const;

  Display* display_;
  const Atoms& atoms_;
  const PixelFormat& format_;
  int screen_;
  XftTextFont font_;
  std::vector<std::string> lines_;
  ErrorBoxLayout layout_;
  OwnedWindow window_;
  OwnedGC gc_;
  XftPen pen_;
  PixelImage sign_;
  bool pressed_ = false;
  bool closed_ = false;
};

// The lines of the message; no more than fit on the screen, so that even a
// huge message leaves the OK button in reach.
std::vector<std::string> Wrap(Display* display, int screen, const XftTextFont& font, const std::string& text) {
  std::vector<std::string> lines = WrapText(text, ErrorBoxTextLimit(DisplayWidth(display, screen)),
                                            [&](std::string_view piece) { return font.Width(piece); });
  const int room = DisplayHeight(display, screen) * 3 / 4 - (kMargin + kGap + kButtonHeight + kMargin);
  return KeepLines(std::move(lines), static_cast<size_t>(std::max(1, room / std::max(1, font.LineHeight()))));
}

int WidestLine(const XftTextFont& font, const std::vector<std::string>& lines) {
  int widest = 0;
  for (const std::string& line : lines) widest = std::max(widest, font.Width(line));
  return widest;
}

}  // namespace

int ErrorBoxTextLimit(int screenWidth) { return std::max(1, screenWidth / 2); }

ErrorBoxLayout LayOutErrorBox(int textWidth, int lineCount, int lineHeight) {
  ErrorBoxLayout layout;
  const int textHeight = lineCount * lineHeight;
  const int contentHeight = std::max(kSignSize, textHeight);
  layout.sign = {kMargin, kMargin, kMargin + kSignSize, kMargin + kSignSize};
  layout.textLeft = kMargin + kSignSize + kGap;
  // A short text stands level with the middle of the sign.
  layout.textTop = kMargin + (contentHeight - textHeight) / 2;
  layout.width = std::max(layout.textLeft + textWidth + kMargin, kButtonWidth + 2 * kMargin);
  const int buttonTop = kMargin + contentHeight + kGap;
  const int buttonLeft = (layout.width - kButtonWidth) / 2;
  layout.button = {buttonLeft, buttonTop, buttonLeft + kButtonWidth, buttonTop + kButtonHeight};
  layout.height = buttonTop + kButtonHeight + kMargin;
  return layout;
}

namespace {

BoxWindow::BoxWindow(Display* display, const Atoms& atoms, const PixelFormat& format, Window owner,
                     const std::string& className, const std::string& utf8Text)
    : display_(display),
      atoms_(atoms),
      format_(format),
      screen_(DefaultScreen(display)),
      font_(display, screen_, kFontPattern),
      lines_(Wrap(display, screen_, font_, utf8Text)),
      layout_(LayOutErrorBox(WidestLine(font_, lines_), static_cast<int>(lines_.size()), font_.LineHeight())),
      window_(display, Create(display, format, layout_.width, layout_.height)),
      gc_(display, window_.Id()),
      pen_(display, screen_, window_.Id(), kTextColour),
      sign_(display, screen_, kSignSize, kSignSize) {
  sign_.Fill(ErrorSign(kSignSize, kButtonFace), format);
  if (!font_.Valid()) {
    // Without any font the box can show no text: the message goes to stderr
    // rather than nowhere.
    const std::string text = Utf8ToTerminal(utf8Text) + "\n";
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
  }
  const Window w = window_.Id();
  SetWindowNames(display, atoms, w, kTitle, kTitle, className);
  SetDialogType(display, atoms, w, true);
  SetFrameButtons(display, atoms, w, true);
  SetIcon(display, atoms, w, ProgramIconProperty());
  AcceptCloseRequests(display, atoms, w);
  if (owner) XSetTransientForHint(display, w, owner);

  const FrameExtents frame = QueryFrameExtents(display, atoms, w, kFrameQueryLimit);
  const Origin origin = CentredOrigin(DisplayWidth(display, screen_), DisplayHeight(display, screen_),
                                      layout_.width + frame.left + frame.right,
                                      layout_.height + frame.top + frame.bottom);
  SetFixedSize(display, w, origin.x, origin.y, layout_.width, layout_.height);
  XMoveWindow(display, w, origin.x, origin.y);
  XMapRaised(display, w);
  XFlush(display);
}

Window BoxWindow::Create(Display* display, const PixelFormat& format, int width, int height) {
  const int screen = DefaultScreen(display);
  XSetWindowAttributes attributes{};
  attributes.background_pixel = format.Pixel(kButtonFace);
  attributes.event_mask = ExposureMask | StructureNotifyMask | KeyPressMask | ButtonPressMask | ButtonReleaseMask;
  return XCreateWindow(display, RootWindow(display, screen), 0, 0, static_cast<unsigned>(width),
                       static_cast<unsigned>(height), 0, DefaultDepth(display, screen), InputOutput,
                       DefaultVisual(display, screen), CWBackPixel | CWEventMask, &attributes);
}

bool BoxWindow::InButton(int x, int y) const {
  return x >= layout_.button.left && x < layout_.button.right && y >= layout_.button.top && y < layout_.button.bottom;
}

void BoxWindow::Draw() {
  sign_.Put(window_.Id(), gc_.Get(), layout_.sign.left, layout_.sign.top);
  int baseline = layout_.textTop + font_.Ascent();
  for (const std::string& line : lines_) {
    pen_.Draw(font_, layout_.textLeft, baseline, line);
    baseline += font_.LineHeight();
  }
  DrawButton();
}

void BoxWindow::DrawButton() {
  const PixelRect r = layout_.button;
  const Window w = window_.Id();
  GC gc = gc_.Get();
  const auto line = [&](uint32_t rgb, int x1, int y1, int x2, int y2) {
    XSetForeground(display_, gc, format_.Pixel(rgb));
    XDrawLine(display_, w, gc, x1, y1, x2, y2);
  };
  XSetForeground(display_, gc, format_.Pixel(kButtonFace));
  XFillRectangle(display_, w, gc, r.left, r.top, static_cast<unsigned>(r.right - r.left),
                 static_cast<unsigned>(r.bottom - r.top));
  // The default button: a black outline, then the raised (or pressed) bevel.
  XSetForeground(display_, gc, format_.Pixel(0x000000));
  XDrawRectangle(display_, w, gc, r.left, r.top, static_cast<unsigned>(r.right - r.left - 1),
                 static_cast<unsigned>(r.bottom - r.top - 1));
  const int l = r.left + 1, t = r.top + 1, rr = r.right - 2, b = r.bottom - 2;
  if (pressed_) {
    line(kShadow, l, t, rr, t);
    line(kShadow, l, t, l, b);
  } else {
    line(kHighlight, l, t, rr - 1, t);
    line(kHighlight, l, t, l, b - 1);
    line(kDarkShadow, l, b, rr, b);
    line(kDarkShadow, rr, t, rr, b);
    line(kShadow, l + 1, b - 1, rr - 1, b - 1);
    line(kShadow, rr - 1, t + 1, rr - 1, b - 1);
  }
  const int shift = pressed_ ? 1 : 0;
  const int x = r.left + (r.right - r.left - font_.Width(kButtonText)) / 2 + shift;
  const int y = r.top + (r.bottom - r.top - font_.LineHeight()) / 2 + font_.Ascent() + shift;
  pen_.Draw(font_, x, y, kButtonText);
  // The focus rectangle: the button has the keyboard.
  XSetForeground(display_, gc, format_.Pixel(0x000000));
  XSetLineAttributes(display_, gc, 0, LineOnOffDash, CapButt, JoinMiter);
  const char dashes[] = {1, 1};
  XSetDashes(display_, gc, 0, dashes, 2);
  XDrawRectangle(display_, w, gc, r.left + 4, r.top + 4, static_cast<unsigned>(r.right - r.left - 9),
                 static_cast<unsigned>(r.bottom - r.top - 9));
  XSetLineAttributes(display_, gc, 0, LineSolid, CapButt, JoinMiter);
}

void BoxWindow::Handle(const XEvent& event) {
  switch (event.type) {
    case Expose:
      if (event.xexpose.count == 0) Draw();
      break;
    case MapNotify:
      // Enter and Esc must reach the box at once.
      XSetInputFocus(display_, window_.Id(), RevertToParent, CurrentTime);
      break;
    case KeyPress: {
      XKeyEvent key = event.xkey;
      const KeySym sym = XLookupKeysym(&key, 0);
      if (sym == XK_Return || sym == XK_KP_Enter || sym == XK_Escape || sym == XK_space) closed_ = true;
      break;
    }
    case ButtonPress:
      if (event.xbutton.button == Button1 && InButton(event.xbutton.x, event.xbutton.y)) {
        pressed_ = true;
        DrawButton();
      }
      break;
    case ButtonRelease:
      if (event.xbutton.button == Button1 && pressed_) {
        pressed_ = false;
        if (InButton(event.xbutton.x, event.xbutton.y)) closed_ = true;
        else DrawButton();
      }
      break;
    case ClientMessage:
      // The frame's close button or Alt+F4: the same as Esc.
      if (event.xclient.message_type == atoms_.wmProtocols &&
          static_cast<Atom>(event.xclient.data.l[0]) == atoms_.wmDeleteWindow)
        closed_ = true;
      break;
    default:
      break;
  }
}

}  // namespace

void ErrorBox::Run(Display* display, const Atoms& atoms, const PixelFormat& format, Window owner,
                   const std::string& className, const std::string& utf8Text, const Handler& others) {
  BoxWindow box(display, atoms, format, owner, className, utf8Text);
  while (!box.Closed()) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.xany.window == box.Id()) box.Handle(event);
    else others(event);
  }
}

}  // namespace merivan::platform::x11
