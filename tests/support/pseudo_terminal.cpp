#include "tests/support/pseudo_terminal.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace merivan::testing {

PseudoTerminal::PseudoTerminal() {
  master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) return;
  char name[128];
  if (ptsname_r(master_, name, sizeof name) != 0) return;
  device_ = name;
  slave_ = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
}

PseudoTerminal::~PseudoTerminal() {
  if (slave_ >= 0) close(slave_);
  if (master_ >= 0) close(master_);
}

void PseudoTerminal::Type(std::string_view keys) {
  if (master_ >= 0 && write(master_, keys.data(), keys.size()) < 0) std::perror("type into the terminal");
}

bool PseudoTerminal::WaitFor(const std::string& text, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    const size_t found = output_.find(text, waited_);
    if (found != std::string::npos) {
      waited_ = found + text.size();
      return true;
    }
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0 || master_ < 0) return false;
    pollfd fd{master_, POLLIN, 0};
    const int ready = poll(&fd, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) continue;
    char buffer[512];
    const ssize_t n = read(master_, buffer, sizeof buffer);
    if (n > 0) output_.append(buffer, static_cast<size_t>(n));
    else if (n < 0 && errno != EINTR && errno != EAGAIN) return false;
  }
}

std::optional<termios> PseudoTerminal::Settings() const {
  termios settings{};
  if (slave_ < 0 || tcgetattr(slave_, &settings) != 0) return std::nullopt;
  return settings;
}

}  // namespace merivan::testing
