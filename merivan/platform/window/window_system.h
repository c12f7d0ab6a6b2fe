#pragma once
// The window system as the program uses it: one main window with the gauge,
// a timer, the message loop with "handle every pending message", a modal
// error box, and the password and login questions of the table store. The
// headless implementation has no window, reports errors on stderr and asks
// on the terminal; the X11 one draws the real windows.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "merivan/platform/window/secret_text.h"

namespace merivan::platform {

struct LoginAnswer {
  std::string user;  // UTF-8
  SecretText password;
};

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // Makes the main window of the layout visible, centred on the screen.
  virtual void ShowMainWindow() = 0;

  // Starts the timer: `onTick` runs from the message loop every `intervalMs`
  // until StopTimer. A tick is delivered only when no other message is pending.
  virtual void StartTimer(int intervalMs, std::function<void()> onTick) = 0;
  virtual void StopTimer() = 0;

  // Handles every pending message until none is left; never waits.
  virtual void ProcessMessages() = 0;

  // Handles messages, waiting for them, until the process ends.
  virtual void RunMessageLoop() = 0;

  // Modal error box titled "Error" with `utf8Text`; returns once the user
  // has closed it.
  virtual void ShowErrorBox(const std::string& utf8Text) = 0;

  // Draws the gauge at once for `percent` (0 to 100); nothing when headless.
  virtual void PaintGauge(int percent) = 0;

  // Asks for the password of the table `tableNameUtf8`, saying that the last
  // one was wrong when `afterWrongPassword`. nullopt when the user cancels
  // (Cancel, Escape, end of input, Ctrl-C) or there is no way to ask.
  virtual std::optional<SecretText> AskPassword(const std::string& tableNameUtf8, bool afterWrongPassword) = 0;

  // Asks for the user name (`userUtf8` offered, editable) and password for
  // the data source `dataSourceUtf8`; nullopt as for AskPassword.
  virtual std::optional<LoginAnswer> AskLogin(const std::string& dataSourceUtf8, const std::string& userUtf8) = 0;

  // The export's progress where no window shows it: `done` of `total`
  // records of `tableName`. Called once per record, so it must be cheap;
  // nothing by default. EndProgress takes away what it showed.
  virtual void ShowProgress(int64_t /*done*/, int64_t /*total*/, const std::string& /*tableName*/) {}
  virtual void EndProgress() {}
};

// The X11 window when a display answers, otherwise the headless stand-in.
// `programPath` is argv[0] (the taskbar name derives from it).
std::unique_ptr<WindowSystem> CreateWindowSystem(const std::string& programPath);

}  // namespace merivan::platform
