#include "merivan/platform/window/x11/x11_window_system.h"

#include <poll.h>

#include <algorithm>

#include "merivan/platform/locale/codepage.h"
#include "merivan/platform/window/x11/error_box.h"

namespace merivan::platform::x11 {

namespace {

// A refused request (say, focus on a window the manager has not mapped yet)
// is no reason to end the program, which is what Xlib's default handler does.
int IgnoreProtocolError(Display*, XErrorEvent*) { return 0; }

// Until the shown window is painted, ticks wait at most this long.
constexpr std::chrono::seconds kExposeWaitLimit{1};

// How often ProcessMessages looks for messages still in the connection. The
// export calls it twice per record, and reading the socket each time (a
// system call) would cost more than reading the record; within a
// millisecond no one sees the difference.
constexpr std::chrono::microseconds kConnectionReadInterval{1000};

}  // namespace

std::unique_ptr<WindowSystem> CreateX11WindowSystem(const std::string& programPath) {
  DisplayPtr display = OpenDisplayWithin(kDisplayAnswerLimit);
  if (!display) return nullptr;
  const auto format = PixelFormat::OfScreen(display.get(), DefaultScreen(display.get()));
  if (!format) return nullptr;
  XSetErrorHandler(IgnoreProtocolError);
  return std::make_unique<X11WindowSystem>(std::move(display), *format, programPath);
}

X11WindowSystem::X11WindowSystem(DisplayPtr display, const PixelFormat& format, const std::string& programPath)
    : display_(std::move(display)),
      atoms_(display_.get()),
      format_(format),
      taskbarName_(TaskbarName(programPath)),
      main_(std::make_unique<MainWindow>(display_.get(), atoms_, format_, taskbarName_)) {}

X11WindowSystem::~X11WindowSystem() {
  main_.reset();
  XSync(display_.get(), False);
}

void X11WindowSystem::ShowMainWindow() {
  main_->Show();
  shownAt_ = Clock::now();
}

void X11WindowSystem::StartTimer(int intervalMs, std::function<void()> onTick) {
  timer_.Start(std::chrono::milliseconds(std::max(intervalMs, 1)), std::move(onTick));
}

void X11WindowSystem::StopTimer() { timer_.Stop(); }

void X11WindowSystem::Dispatch(XEvent& event) {
  // Events of other windows (none of ours any more) are dropped.
  main_->Handle(event);
}

void X11WindowSystem::HandlePending() {
  Display* display = display_.get();
  while (XPending(display)) {
    XEvent event;
    XNextEvent(display, &event);
    Dispatch(event);
  }
}

bool X11WindowSystem::TickDue(Clock::time_point now) const {
  if (!timer_.DueAt(now)) return false;
  return !main_->Shown() || main_->Exposed() || now >= shownAt_ + kExposeWaitLimit;
}

int X11WindowSystem::MillisecondsToTick(Clock::time_point now) const {
  if (!timer_.On()) return -1;
  Clock::time_point at = timer_.Due();
  if (main_->Shown() && !main_->Exposed()) at = std::max(at, shownAt_ + kExposeWaitLimit);
  const auto wait = std::chrono::ceil<std::chrono::milliseconds>(at - now).count();
  return static_cast<int>(std::clamp<long long>(wait, 0, 60000));
}

void X11WindowSystem::ProcessMessages() {
  const Clock::time_point now = Clock::now();
  // Messages Xlib has already read are handled at once, the connection is
  // read at most once per kConnectionReadInterval.
  if (QLength(display_.get()) > 0 || now >= nextRead_) {
    nextRead_ = now + kConnectionReadInterval;
    HandlePending();
  }
  // A due tick counts as one more pending message, delivered last.
  if (TickDue(now)) timer_.Fire(now);
}

void X11WindowSystem::RunMessageLoop() {
  Display* display = display_.get();
  for (;;) {
    HandlePending();
    const Clock::time_point now = Clock::now();
    if (TickDue(now)) {
      timer_.Fire(now);
      continue;
    }
    // XPending has flushed the requests; wait for the server or the timer.
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    poll(&fd, 1, MillisecondsToTick(now));
  }
}

void X11WindowSystem::ShowErrorBox(const std::string& utf8Text) {
  ErrorBox::Run(display_.get(), atoms_, format_, Owner(), taskbarName_, utf8Text,
                [this](XEvent& event) { Dispatch(event); });
  XFlush(display_.get());
}

std::optional<std::vector<SecretText>> X11WindowSystem::RunEntryDialog(EntryDialogSpec spec) {
  spec.className = taskbarName_;
  spec.owner = Owner();
  auto typed = EntryDialog::Run(display_.get(), atoms_, format_, std::move(spec),
                                [this](XEvent& event) { Dispatch(event); });
  XFlush(display_.get());
  return typed;
}

std::optional<SecretText> X11WindowSystem::AskPassword(const std::string& tableNameUtf8, bool afterWrongPassword) {
  EntryDialogSpec spec;
  spec.title = "Enter password";
  spec.message = std::string(afterWrongPassword ? "Wrong password.\n" : "") + "Table " + tableNameUtf8 +
                 " is protected by a password.";
  spec.fields.push_back({"Password:", true, {}});
  auto typed = RunEntryDialog(std::move(spec));
  if (!typed) return std::nullopt;
  return std::move(typed->front());
}

std::optional<LoginAnswer> X11WindowSystem::AskLogin(const std::string& dataSourceUtf8, const std::string& userUtf8) {
  EntryDialogSpec spec;
  spec.title = "Database Login";
  spec.message = "Database: " + dataSourceUtf8;
  spec.fields.push_back({"User name:", false, SecretText(userUtf8)});
  spec.fields.push_back({"Password:", true, {}});
  spec.focus = userUtf8.empty() ? 0 : 1;
  auto typed = RunEntryDialog(std::move(spec));
  if (!typed) return std::nullopt;
  return LoginAnswer{std::string((*typed)[0].View()), std::move((*typed)[1])};
}

}  // namespace merivan::platform::x11
