#pragma once
// A pseudo-terminal for a test to hand to a program as one of its files
// (by SlavePath) or as its controlling terminal (ChildSession), to read back
// byte for byte what the program wrote to it, to type into it as at a
// keyboard, and to look at its settings (echo on or off). In raw mode line
// ends reach the test as written; otherwise the terminal is as a new one
// is: echo on, line editing, Ctrl-C a signal.
#include <termios.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

namespace merivan::testing {

class PtyCapture {
 public:
  // Opens the pair and starts reading; Ok() says whether that worked.
  explicit PtyCapture(unsigned short columns = 80, bool raw = true);
  PtyCapture(const PtyCapture&) = delete;
  PtyCapture& operator=(const PtyCapture&) = delete;
  ~PtyCapture();

  bool Ok() const { return slave_ >= 0; }
  const std::string& SlavePath() const { return slavePath_; }
  // Everything written so far, once nothing more has come for a short while
  // (call it after the program has ended).
  std::string Output();

  // Keys, as typed: "\x03" is Ctrl-C, "\x04" Ctrl-D, "\n" Enter.
  void Type(std::string_view keys);
  // Whether `text` appears, after the last text waited for, within `limit`.
  bool WaitFor(const std::string& text, std::chrono::milliseconds limit);
  // The terminal's settings as the program has left them.
  std::optional<termios> Settings() const;

 private:
  void Read();

  int master_ = -1;
  int slave_ = -1;  // held open, so that the master never reads a hang-up
  std::string slavePath_;
  std::mutex mutex_;
  std::string output_;
  size_t waited_ = 0;  // how far WaitFor has looked
  std::atomic<bool> stop_{false};
  std::thread reader_;
};

}  // namespace merivan::testing
