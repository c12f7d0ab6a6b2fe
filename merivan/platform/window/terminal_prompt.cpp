#include "merivan/platform/window/terminal_prompt.h"

#include <fcntl.h>
#include <iconv.h>
#include <langinfo.h>
#include <poll.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <utility>

#include "merivan/platform/locale/codepage.h"

namespace merivan::platform {

namespace {

// A file descriptor closed with its owner.
class OwnedFd {
 public:
  explicit OwnedFd(int fd = -1) : fd_(fd) {}
  OwnedFd(OwnedFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  OwnedFd& operator=(OwnedFd&& other) noexcept {
    std::swap(fd_, other.fd_);
    return *this;
  }
  ~OwnedFd() {
    if (fd_ >= 0) close(fd_);
  }
  int Get() const { return fd_; }

 private:
  int fd_;
};

// The write end of the pipe that wakes a waiting question: a signal handler
// can reach nothing else. -1 while no question waits.
std::atomic<int> wakeWrite{-1};

extern "C" void WakeQuestion(int signalNumber) {
  const int saved = errno;
  const int fd = wakeWrite.load();
  const auto byte = static_cast<unsigned char>(signalNumber);
  if (fd >= 0 && write(fd, &byte, 1) < 0) {
    // Nothing to be done inside a handler; the pipe is only full when a
    // wake-up is waiting already.
  }
  errno = saved;
}

constexpr std::array<int, 3> kCancellingSignals = {SIGINT, SIGTERM, SIGHUP};

// While it lives, the cancelling signals wake the question through a pipe
// instead of ending the process with the terminal's echo off. Whichever
// thread takes a signal, the reading thread learns of it.
class SignalWakeUp {
 public:
  SignalWakeUp() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return;
    read_ = OwnedFd(fds[0]);
    write_ = OwnedFd(fds[1]);
    wakeWrite.store(write_.Get());
    struct sigaction action {};
    action.sa_handler = WakeQuestion;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a read or poll in progress returns EINTR.
    action.sa_flags = 0;
    for (size_t i = 0; i < kCancellingSignals.size(); ++i) sigaction(kCancellingSignals[i], &action, &old_[i]);
    installed_ = true;
  }
  SignalWakeUp(const SignalWakeUp&) = delete;
  SignalWakeUp& operator=(const SignalWakeUp&) = delete;
  ~SignalWakeUp() {
    if (!installed_) return;
    for (size_t i = 0; i < kCancellingSignals.size(); ++i) sigaction(kCancellingSignals[i], &old_[i], nullptr);
    wakeWrite.store(-1);
  }

  bool Installed() const { return installed_; }
  int Fd() const { return read_.Get(); }

 private:
  OwnedFd read_;
  OwnedFd write_;
  std::array<struct sigaction, kCancellingSignals.size()> old_{};
  bool installed_ = false;
};

bool Utf8Locale() {
  const char* codeset = nl_langinfo(CODESET);
  return codeset && std::strcmp(codeset, "UTF-8") == 0;
}

// Echo off (for a password) while it lives; canonical input with its line
// editing and Ctrl-C in any case, BackSpace taking a whole UTF-8 character
// in a UTF-8 locale. The old settings come back on every path.
class TerminalMode {
 public:
  TerminalMode(int fd, bool echo) : fd_(fd) {
    if (tcgetattr(fd, &saved_) != 0) return;
    termios mode = saved_;
    mode.c_lflag |= ICANON | ISIG;
    if (Utf8Locale()) mode.c_iflag |= IUTF8;
    if (!echo) mode.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHOE | ECHOK | ECHONL);
    // TCSAFLUSH: what was typed before echo went off is not taken as the password.
    changed_ = tcsetattr(fd, echo ? TCSANOW : TCSAFLUSH, &mode) == 0;
  }
  TerminalMode(const TerminalMode&) = delete;
  TerminalMode& operator=(const TerminalMode&) = delete;
  ~TerminalMode() {
    if (changed_) tcsetattr(fd_, TCSANOW, &saved_);
  }

 private:
  int fd_;
  termios saved_{};
  bool changed_ = false;
};

bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = write(fd, text.data(), text.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    text.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

// Typed bytes as UTF-8, with no copy left behind: kept when they are UTF-8
// already (whatever the locale says), otherwise read in the terminal's
// character set. Bytes that do not convert are dropped.
SecretText TerminalToUtf8(SecretText typed) {
  const char* codeset = nl_langinfo(CODESET);
  if (!codeset || IsValidUtf8(typed.View())) return typed;
  const iconv_t cd = iconv_open("UTF-8", codeset);
  if (cd == reinterpret_cast<iconv_t>(-1)) return typed;
  SecretText utf8;
  char* in = const_cast<char*>(typed.View().data());
  size_t left = typed.Size();
  while (left > 0) {
    char out[16];
    char* to = out;
    size_t room = sizeof out;
    const size_t done = iconv(cd, &in, &left, &to, &room);
    utf8.Append(std::string_view(out, static_cast<size_t>(to - out)));
    explicit_bzero(out, sizeof out);
    if (done == static_cast<size_t>(-1) && errno != E2BIG) ++in, --left;
  }
  iconv_close(cd);
  return utf8;
}

// One line typed on `terminal` after `prompt`, without its end of line;
// nullopt at the end of input, on a cancelling signal or a read error.
std::optional<SecretText> ReadLine(int terminal, const std::string& promptUtf8, bool echo) {
  SignalWakeUp wakeUp;
  if (!wakeUp.Installed()) return std::nullopt;
  std::optional<SecretText> line;
  {
    TerminalMode mode(terminal, echo);
    if (!WriteAll(terminal, Utf8ToTerminal(promptUtf8))) return std::nullopt;
    SecretText typed;
    for (;;) {
      pollfd fds[2] = {{terminal, POLLIN, 0}, {wakeUp.Fd(), POLLIN, 0}};
      if (poll(fds, 2, -1) < 0) {
        if (errno == EINTR) continue;
        break;
      }
      if (fds[1].revents & POLLIN) break;
      if (!(fds[0].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      char c = 0;
      const ssize_t n = read(terminal, &c, 1);
      if (n < 0 && errno == EINTR) continue;
      // 0: end of input (Ctrl-D); below 0: the terminal is gone.
      if (n <= 0) break;
      if (c == '\n') {
        line = TerminalToUtf8(std::move(typed));
        break;
      }
      typed.Append(std::string_view(&c, 1));
      c = 0;
    }
  }
  // With echo off the user's Enter was not shown; nor is the end after a cancel.
  if (!echo || !line) WriteAll(terminal, "\n");
  return line;
}

OwnedFd OpenTerminal() { return OwnedFd(open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC)); }

}  // namespace

std::optional<SecretText> TerminalPrompts::AskPassword(const std::string& tableNameUtf8, bool afterWrongPassword) {
  int& asks = passwordAsks_[tableNameUtf8];
  if (asks >= kPasswordTries) return std::nullopt;
  const OwnedFd terminal = OpenTerminal();
  if (terminal.Get() < 0) return std::nullopt;
  ++asks;
  const std::string prompt =
      std::string(afterWrongPassword ? "Wrong password. " : "") + "Password for table " + tableNameUtf8 + ": ";
  return ReadLine(terminal.Get(), prompt, false);
}

std::optional<LoginAnswer> TerminalPrompts::AskLogin(const std::string& dataSourceUtf8, const std::string& userUtf8) {
  const OwnedFd terminal = OpenTerminal();
  if (terminal.Get() < 0) return std::nullopt;
  const std::string offered = userUtf8.empty() ? "" : " [" + userUtf8 + "]";
  const auto user = ReadLine(terminal.Get(), "User name for database " + dataSourceUtf8 + offered + ": ", true);
  if (!user) return std::nullopt;
  auto password = ReadLine(terminal.Get(), "Password for database " + dataSourceUtf8 + ": ", false);
  if (!password) return std::nullopt;
  return LoginAnswer{user->Empty() ? userUtf8 : std::string(user->View()), std::move(*password)};
}

}  // namespace merivan::platform
