#pragma once
// A pseudo-terminal for a child to run on (ChildSession::terminal): the test
// types into it as at a keyboard, reads what the child shows, and looks at
// its settings (echo on or off).
#include <termios.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace merivan::testing {

class PseudoTerminal {
 public:
  PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;
  ~PseudoTerminal();

  bool Open() const { return slave_ >= 0; }
  // The device a child opens ("/dev/pts/N").
  const std::string& Device() const { return device_; }

  // Keys, as typed: "\x03" is Ctrl-C, "\x04" Ctrl-D, "\n" Enter.
  void Type(std::string_view keys);
  // Reads what the child shows until `text` appears after the last text
  // waited for; false after `limit`. Output() holds everything shown.
  bool WaitFor(const std::string& text, std::chrono::milliseconds limit);
  const std::string& Output() const { return output_; }
  // The terminal's settings as the child left them.
  std::optional<termios> Settings() const;

 private:
  int master_ = -1;
  // Held open so that the terminal and what was shown on it outlive the child.
  int slave_ = -1;
  std::string device_;
  std::string output_;
  size_t waited_ = 0;
};

}  // namespace merivan::testing
