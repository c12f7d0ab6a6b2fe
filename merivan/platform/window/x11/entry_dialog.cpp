#include "merivan/platform/window/x11/entry_dialog.h"

#include <algorithm>

#include "merivan/platform/window/x11/dialog_controls.h"
#include "merivan/platform/window/x11/dialog_window.h"
#include "merivan/platform/window/x11/word_wrap.h"
#include "merivan/platform/window/x11/xft_text.h"

namespace merivan::platform::x11 {

namespace {

constexpr int kWidth = 360;
constexpr int kLabelWidth = 84;
constexpr int kFieldHeight = 22;
constexpr int kFieldGap = 8;
constexpr int kButtonGap = 6;
// Enough for a long table path; more is cut with an ellipsis.
constexpr size_t kMaxMessageLines = 6;
constexpr const char* kOk = "OK";
constexpr const char* kCancel = "Cancel";

bool Inside(PixelRect r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

// The dialog's window and state; lives while it is shown.
class EntryWindow {
 public:
  EntryWindow(Display* display, const Atoms& atoms, const PixelFormat& format, EntryDialogSpec spec);

  std::optional<std::vector<SecretText>> Run(const EntryDialog::Handler& others);

 private:
  // The focus goes round the fields, then OK, then Cancel.
  size_t OkFocus() const { return spec_.fields.size(); }
  size_t CancelFocus() const { return spec_.fields.size() + 1; }
  void Handle(const XEvent& event);
  void Key(XKeyEvent key);
  void Press(size_t control);
  void Draw();
  void DrawControls();

  XftTextFont font_;
  EntryDialogSpec spec_;
  std::vector<std::string> lines_;
  EntryDialogLayout layout_;
  DialogWindow window_;
  DialogPainter painter_;
  size_t focus_;
  // The button the mouse went down on, while it is held.
  std::optional<size_t> pressed_;
  bool closed_ = false;
  bool accepted_ = false;
};

DialogSpec WindowSpec(const EntryDialogSpec& spec, const EntryDialogLayout& layout) {
  DialogSpec window;
  window.title = window.iconName = spec.title;
  window.className = spec.className;
  window.width = layout.width;
  window.height = layout.height;
  window.modal = true;
  window.owner = spec.owner;
  window.events = KeyPressMask | ButtonPressMask | ButtonReleaseMask;
  window.textInput = true;
  return window;
}

std::vector<std::string> MessageLines(const XftTextFont& font, const std::string& message) {
  const auto measure = [&](std::string_view piece) { return font.Width(piece); };
  return KeepLines(WrapText(message, kWidth - 2 * kDialogMargin, measure), kMaxMessageLines);
}

}  // namespace

EntryDialogLayout LayOutEntryDialog(int messageLines, int lineHeight, size_t fieldCount) {
  EntryDialogLayout layout;
  layout.width = kWidth;
  layout.messageTop = kDialogMargin;
  layout.labelLeft = kDialogMargin;
  int top = kDialogMargin + messageLines * lineHeight + kFieldGap + 4;
  for (size_t i = 0; i < fieldCount; ++i) {
    layout.fields.push_back({kDialogMargin + kLabelWidth, top, kWidth - kDialogMargin, top + kFieldHeight});
    top += kFieldHeight + kFieldGap;
  }
  const int buttonTop = top + 6;
  layout.cancel = {kWidth - kDialogMargin - kButtonWidth, buttonTop, kWidth - kDialogMargin, buttonTop + kButtonHeight};
  layout.ok = {layout.cancel.left - kButtonGap - kButtonWidth, buttonTop, layout.cancel.left - kButtonGap,
               buttonTop + kButtonHeight};
  layout.height = buttonTop + kButtonHeight + kDialogMargin;
  return layout;
}

namespace {

EntryWindow::EntryWindow(Display* display, const Atoms& atoms, const PixelFormat& format, EntryDialogSpec spec)
    : font_(display, DefaultScreen(display), kDialogFontPattern),
      spec_(std::move(spec)),
      lines_(MessageLines(font_, spec_.message)),
      layout_(LayOutEntryDialog(static_cast<int>(lines_.size()), font_.LineHeight(), spec_.fields.size())),
      window_(display, atoms, format, WindowSpec(spec_, layout_)),
      painter_(display, window_.Id(), window_.Gc(), format, font_),
      focus_(std::min(spec_.focus, OkFocus())) {
  window_.Show();
}

std::optional<std::vector<SecretText>> EntryWindow::Run(const EntryDialog::Handler& others) {
  window_.RunModal([this] { return closed_; }, [this](const XEvent& event) { Handle(event); }, others);
  if (!accepted_) return std::nullopt;
  std::vector<SecretText> typed;
  for (EntryField& field : spec_.fields) typed.push_back(std::move(field.text));
  return typed;
}

void EntryWindow::Press(size_t control) {
  closed_ = true;
  accepted_ = control != CancelFocus();
}

void EntryWindow::Key(XKeyEvent key) {
  const KeyInput input = window_.ReadKey(key);
  const size_t controls = CancelFocus() + 1;
  switch (input.key) {
    case DialogKey::kEnter:
      // OK is the default; only Cancel with the focus takes Enter itself.
      Press(focus_ == CancelFocus() ? CancelFocus() : OkFocus());
      return;
    case DialogKey::kEscape:
      Press(CancelFocus());
      return;
    case DialogKey::kTab:
      focus_ = (focus_ + 1) % controls;
      break;
    case DialogKey::kBackTab:
      focus_ = (focus_ + controls - 1) % controls;
      break;
    case DialogKey::kSpace:
      if (focus_ >= OkFocus()) {
        Press(focus_);
        return;
      }
      spec_.fields[focus_].text.Append(" ");
      break;
    case DialogKey::kBackSpace:
      if (focus_ < OkFocus()) spec_.fields[focus_].text.RemoveLastCharacter();
      break;
    case DialogKey::kText:
      if (focus_ < OkFocus()) spec_.fields[focus_].text.Append(input.text.View());
      break;
    case DialogKey::kOther:
      return;
  }
  DrawControls();
}

void EntryWindow::Handle(const XEvent& event) {
  switch (event.type) {
    case Expose:
      if (event.xexpose.count == 0) Draw();
      break;
    case KeyPress:
      Key(event.xkey);
      break;
    case ButtonPress: {
      if (event.xbutton.button != Button1) break;
      const int x = event.xbutton.x, y = event.xbutton.y;
      for (size_t i = 0; i < layout_.fields.size(); ++i)
        if (Inside(layout_.fields[i], x, y)) focus_ = i;
      if (Inside(layout_.ok, x, y)) pressed_ = OkFocus();
      if (Inside(layout_.cancel, x, y)) pressed_ = CancelFocus();
      DrawControls();
      break;
    }
    case ButtonRelease: {
      if (event.xbutton.button != Button1 || !pressed_) break;
      const size_t button = *pressed_;
      pressed_.reset();
      if (Inside(button == OkFocus() ? layout_.ok : layout_.cancel, event.xbutton.x, event.xbutton.y)) Press(button);
      else DrawControls();
      break;
    }
    case ClientMessage:
      // The frame's close button or Alt+F4: the same as Cancel.
      if (window_.IsCloseRequest(event)) Press(CancelFocus());
      break;
    default:
      break;
  }
}

void EntryWindow::Draw() {
  int baseline = layout_.messageTop + font_.Ascent();
  for (const std::string& line : lines_) {
    painter_.Text(kDialogMargin, baseline, line);
    baseline += font_.LineHeight();
  }
  for (size_t i = 0; i < spec_.fields.size(); ++i) {
    const PixelRect r = layout_.fields[i];
    painter_.Text(layout_.labelLeft, r.top + (r.bottom - r.top - font_.LineHeight()) / 2 + font_.Ascent(),
                  spec_.fields[i].label);
  }
  DrawControls();
}

void EntryWindow::DrawControls() {
  for (size_t i = 0; i < spec_.fields.size(); ++i) {
    const EntryField& field = spec_.fields[i];
    // A masked field shows its length only; the text itself is never drawn.
    const std::string shown =
        field.masked ? std::string(field.text.CharacterCount(), '*') : std::string(field.text.View());
    painter_.Entry(layout_.fields[i], shown, focus_ == i);
  }
  // OK stays the default (black outline) unless Cancel has the focus.
  const bool cancelFocused = focus_ == CancelFocus();
  painter_.Button(layout_.ok, kOk, {pressed_ == OkFocus(), !cancelFocused, focus_ == OkFocus()});
  painter_.Button(layout_.cancel, kCancel, {pressed_ == CancelFocus(), cancelFocused, cancelFocused});
}

}  // namespace

std::optional<std::vector<SecretText>> EntryDialog::Run(Display* display, const Atoms& atoms,
                                                        const PixelFormat& format, EntryDialogSpec spec,
                                                        const Handler& others) {
  return EntryWindow(display, atoms, format, std::move(spec)).Run(others);
}

}  // namespace merivan::platform::x11
