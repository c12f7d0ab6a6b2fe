#include "merivan/platform/window/x11/error_box.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "merivan/platform/locale/codepage.h"
#include "merivan/platform/window/x11/dialog_controls.h"
#include "merivan/platform/window/x11/dialog_window.h"
#include "merivan/platform/window/x11/icons.h"
#include "merivan/platform/window/x11/word_wrap.h"
#include "merivan/platform/window/x11/xft_text.h"

namespace merivan::platform::x11 {

namespace {

constexpr int kSignSize = 32;
constexpr int kGap = 12;
constexpr const char* kTitle = "Error";
constexpr const char* kButtonText = "OK";

// The box's window with its drawing tools; lives while the box is shown.
class BoxWindow {
 public:
  BoxWindow(Display* display, const Atoms& atoms, const PixelFormat& format, Window owner,
            const std::string& className, const std::string& utf8Text);

  void Run(const ErrorBox::Handler& others);

 private:
  void Handle(const XEvent& event);
  void Draw();
  void DrawButton();
  bool InButton(int x, int y) const;

  int screen_;
  XftTextFont font_;
  std::vector<std::string> lines_;
  ErrorBoxLayout layout_;
  DialogWindow window_;
  DialogPainter painter_;
  PixelImage sign_;
  bool pressed_ = false;
  bool closed_ = false;
};

// The lines of the message; no more than fit on the screen, so that even a
// huge message leaves the OK button in reach.
std::vector<std::string> Wrap(Display* display, int screen, const XftTextFont& font, const std::string& text) {
  std::vector<std::string> lines = WrapText(text, ErrorBoxTextLimit(DisplayWidth(display, screen)),
                                            [&](std::string_view piece) { return font.Width(piece); });
  const int room = DisplayHeight(display, screen) * 3 / 4 - (kDialogMargin + kGap + kButtonHeight + kDialogMargin);
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
  layout.sign = {kDialogMargin, kDialogMargin, kDialogMargin + kSignSize, kDialogMargin + kSignSize};
  layout.textLeft = kDialogMargin + kSignSize + kGap;
  // A short text stands level with the middle of the sign.
  layout.textTop = kDialogMargin + (contentHeight - textHeight) / 2;
  layout.width = std::max(layout.textLeft + textWidth + kDialogMargin, kButtonWidth + 2 * kDialogMargin);
  const int buttonTop = kDialogMargin + contentHeight + kGap;
  const int buttonLeft = (layout.width - kButtonWidth) / 2;
  layout.button = {buttonLeft, buttonTop, buttonLeft + kButtonWidth, buttonTop + kButtonHeight};
  layout.height = buttonTop + kButtonHeight + kDialogMargin;
  return layout;
}

namespace {

DialogSpec BoxSpec(Window owner, const std::string& className, const ErrorBoxLayout& layout) {
  DialogSpec spec;
  spec.title = spec.iconName = kTitle;
  spec.className = className;
  spec.width = layout.width;
  spec.height = layout.height;
  spec.modal = true;
  spec.owner = owner;
  spec.events = KeyPressMask | ButtonPressMask | ButtonReleaseMask;
  return spec;
}

BoxWindow::BoxWindow(Display* display, const Atoms& atoms, const PixelFormat& format, Window owner,
                     const std::string& className, const std::string& utf8Text)
    : screen_(DefaultScreen(display)),
      font_(display, screen_, kDialogFontPattern),
      lines_(Wrap(display, screen_, font_, utf8Text)),
      layout_(LayOutErrorBox(WidestLine(font_, lines_), static_cast<int>(lines_.size()), font_.LineHeight())),
      window_(display, atoms, format, BoxSpec(owner, className, layout_)),
      painter_(display, window_.Id(), window_.Gc(), format, font_),
      sign_(display, screen_, kSignSize, kSignSize) {
  sign_.Fill(ErrorSign(kSignSize, kButtonFace), format);
  if (!font_.Valid()) {
    // Without any font the box can show no text: the message goes to stderr
    // rather than nowhere.
    const std::string text = Utf8ToTerminal(utf8Text) + "\n";
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
  }
  window_.Show();
}

bool BoxWindow::InButton(int x, int y) const {
  return x >= layout_.button.left && x < layout_.button.right && y >= layout_.button.top && y < layout_.button.bottom;
}

void BoxWindow::Draw() {
  sign_.Put(window_.Id(), window_.Gc(), layout_.sign.left, layout_.sign.top);
  int baseline = layout_.textTop + font_.Ascent();
  for (const std::string& line : lines_) {
    painter_.Text(layout_.textLeft, baseline, line);
    baseline += font_.LineHeight();
  }
  DrawButton();
}

void BoxWindow::DrawButton() { painter_.Button(layout_.button, kButtonText, {pressed_, true, true}); }

void BoxWindow::Run(const ErrorBox::Handler& others) {
  window_.RunModal([this] { return closed_; }, [this](const XEvent& event) { Handle(event); }, others);
}

void BoxWindow::Handle(const XEvent& event) {
  switch (event.type) {
    case Expose:
      if (event.xexpose.count == 0) Draw();
      break;
    case KeyPress: {
      XKeyEvent key = event.xkey;
      const DialogKey pressed = window_.ReadKey(key).key;
      if (pressed == DialogKey::kEnter || pressed == DialogKey::kEscape || pressed == DialogKey::kSpace) closed_ = true;
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
      if (window_.IsCloseRequest(event)) closed_ = true;
      break;
    default:
      break;
  }
}

}  // namespace

void ErrorBox::Run(Display* display, const Atoms& atoms, const PixelFormat& format, Window owner,
                   const std::string& className, const std::string& utf8Text, const Handler& others) {
  BoxWindow(display, atoms, format, owner, className, utf8Text).Run(others);
}

}  // namespace merivan::platform::x11
