#pragma once
// The window system as the program uses it: one main window with the gauge,
// a timer, the message loop with "handle every pending message", and a modal
// error box. The headless implementation has no window and reports errors on
// stderr; the X11 one draws the real window.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace merivan::platform {

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
