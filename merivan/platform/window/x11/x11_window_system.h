#pragma once
// The window system on an X display: the main window with the gauge, the
// one timer, the message loop, the modal error box, and the modal password
// and login dialogs.
#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "merivan/platform/window/message_timer.h"
#include "merivan/platform/window/window_system.h"
#include "merivan/platform/window/x11/entry_dialog.h"
#include "merivan/platform/window/x11/main_window.h"
#include "merivan/platform/window/x11/window_hints.h"
#include "merivan/platform/window/x11/x11_display.h"

namespace merivan::platform::x11 {

// How long a display may take to answer before the program goes without one.
constexpr std::chrono::milliseconds kDisplayAnswerLimit{1000};

// The X11 window system, or null when no display answers within
// kDisplayAnswerLimit (or its screen is not TrueColor).
std::unique_ptr<WindowSystem> CreateX11WindowSystem(const std::string& programPath);

class X11WindowSystem final : public WindowSystem {
 public:
  X11WindowSystem(DisplayPtr display, const PixelFormat& format, const std::string& programPath);
  ~X11WindowSystem() override;

  void ShowMainWindow() override;
  void StartTimer(int intervalMs, std::function<void()> onTick) override;
  void StopTimer() override;
  void ProcessMessages() override;
  void RunMessageLoop() override;
  void ShowErrorBox(const std::string& utf8Text) override;
  void PaintGauge(int percent) override { main_->PaintGauge(percent); }
  // "Enter password": asks again as often as the caller asks, until Cancel.
  std::optional<SecretText> AskPassword(const std::string& tableNameUtf8, bool afterWrongPassword) override;
  // "Database Login": the focus starts in the password field when a user
  // name is offered.
  std::optional<LoginAnswer> AskLogin(const std::string& dataSourceUtf8, const std::string& userUtf8) override;

  Window MainWindowId() const { return main_->Id(); }
  bool MainWindowExposed() const { return main_->Exposed(); }

 private:
  using Clock = MessageTimer::Clock;
  void Dispatch(XEvent& event);
  // The window a dialog is modal for: the main window once shown.
  Window Owner() const { return main_->Shown() ? main_->Id() : None; }
  std::optional<std::vector<SecretText>> RunEntryDialog(EntryDialogSpec spec);
  void HandlePending();
  // The tick may come: the timer is due and the shown window has been
  // painted (or has had a second to be).
  bool TickDue(Clock::time_point now) const;
  // Milliseconds until the next tick may come; -1 for none.
  int MillisecondsToTick(Clock::time_point now) const;

  DisplayPtr display_;
  Atoms atoms_;
  PixelFormat format_;
  std::string taskbarName_;
  std::unique_ptr<MainWindow> main_;
  Clock::time_point shownAt_;
  // When ProcessMessages next reads the connection (see there).
  Clock::time_point nextRead_;
  MessageTimer timer_;
};

}  // namespace merivan::platform::x11
