#pragma once
// The progress of a run without a window, as one line on a terminal: written
// over itself with a carriage return, at most a few times a second, and
// blanked again when the run ends or before an error is reported.
#include <chrono>
#include <cstdint>
#include <string>

namespace merivan::platform {

class TerminalProgress {
 public:
  // Draws on `fd` only when it is a terminal.
  explicit TerminalProgress(int fd);
  TerminalProgress(const TerminalProgress&) = delete;
  TerminalProgress& operator=(const TerminalProgress&) = delete;

  // `done` of `total` records of `tableName` (bytes as given on the command
  // line). Called once per record: all but every kCallsPerClockLook-th call
  // return after a counter step, and the line is drawn only when
  // kRedrawInterval has passed since it last was.
  void Update(int64_t done, int64_t total, const std::string& tableName) {
    if (!enabled_ || calls_++ % kCallsPerClockLook != 0) return;
    Redraw(done, total, tableName);
  }
  // Blanks the line if one is shown, leaving the cursor at its start.
  void Clear();

  static constexpr unsigned kCallsPerClockLook = 1024;
  static constexpr std::chrono::milliseconds kRedrawInterval{250};

 private:
  void Redraw(int64_t done, int64_t total, const std::string& tableName);
  void Put(const std::string& bytes);

  int fd_;
  bool enabled_;
  unsigned calls_ = 0;
  std::chrono::steady_clock::time_point next_{};
  size_t shownColumns_ = 0;  // characters of the line on the terminal now
};

}  // namespace merivan::platform
