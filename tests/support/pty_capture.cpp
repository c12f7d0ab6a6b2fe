#include "tests/support/pty_capture.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

namespace merivan::testing {

PtyCapture::PtyCapture(unsigned short columns, bool raw) {
  master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) return;
  const char* name = ptsname(master_);
  if (!name) return;
  slavePath_ = name;
  slave_ = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (slave_ < 0) return;
  termios mode{};
  if (raw && tcgetattr(slave_, &mode) == 0) {
    cfmakeraw(&mode);
    tcsetattr(slave_, TCSANOW, &mode);
  }
  winsize size{};
  size.ws_row = 24;
  size.ws_col = columns;
  ioctl(slave_, TIOCSWINSZ, &size);
  reader_ = std::thread([this] { Read(); });
}

PtyCapture::~PtyCapture() {
  stop_ = true;
  if (reader_.joinable()) reader_.join();
  if (slave_ >= 0) close(slave_);
  if (master_ >= 0) close(master_);
}

void PtyCapture::Read() {
  char chunk[4096];
  while (!stop_) {
    pollfd p{master_, POLLIN, 0};
    if (poll(&p, 1, 20) <= 0) continue;
    const ssize_t n = read(master_, chunk, sizeof chunk);
    if (n <= 0) continue;
    const std::lock_guard<std::mutex> lock(mutex_);
    output_.append(chunk, static_cast<size_t>(n));
  }
}

std::string PtyCapture::Output() {
  // Quiet for 200 ms: what the program wrote has passed the terminal.
  size_t seen = static_cast<size_t>(-1);
  for (;;) {
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      if (output_.size() == seen) return output_;
      seen = output_.size();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
}

void PtyCapture::Type(std::string_view keys) {
  if (master_ >= 0 && write(master_, keys.data(), keys.size()) < 0) std::perror("type into the terminal");
}

bool PtyCapture::WaitFor(const std::string& text, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      const size_t found = output_.find(text, waited_);
      if (found != std::string::npos) {
        waited_ = found + text.size();
        return true;
      }
    }
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

std::optional<termios> PtyCapture::Settings() const {
  termios settings{};
  if (slave_ < 0 || tcgetattr(slave_, &settings) != 0) return std::nullopt;
  return settings;
}

}  // namespace merivan::testing
