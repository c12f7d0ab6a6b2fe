// Drives the X11 window system on its own for the window tests: shows the
// main window, prints "window <id>" once it is painted, then obeys lines on
// stdin: "paint <percent>" (answers "painted <percent>"), "error <text>"
// (answers "closed" once the box is closed), "password <0|1> <expected>
// <table>" (asks, 1 after a wrong password; answers "answer: right",
// "answer: wrong" or "answer: none"), "login <expected> <source> [<user>]"
// (answers "user: <name>" and the answer as for password), "quit". Messages
// are handled all the while, as the export does between records. Typed
// passwords are compared, never printed.
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <clocale>
#include <cstdio>
#include <sstream>
#include <string>

#include "merivan/platform/window/x11/x11_window_system.h"

namespace x11 = merivan::platform::x11;

namespace {

void Answer(const std::optional<merivan::platform::SecretText>& password, const std::string& expected) {
  std::printf("answer: %s\n", !password ? "none" : password->View() == expected ? "right" : "wrong");
}

}  // namespace

int main(int, char** argv) {
  std::setlocale(LC_CTYPE, "");
  auto system = x11::CreateX11WindowSystem(argv[0]);
  auto* window = dynamic_cast<x11::X11WindowSystem*>(system.get());
  if (!window) {
    std::fprintf(stderr, "no display\n");
    return 2;
  }
  window->ShowMainWindow();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!window->MainWindowExposed() && std::chrono::steady_clock::now() < deadline) {
    window->ProcessMessages();
    usleep(2000);
  }
  std::printf("window %lu\n", static_cast<unsigned long>(window->MainWindowId()));
  std::fflush(stdout);

  std::string pending;
  for (;;) {
    window->ProcessMessages();
    pollfd in{STDIN_FILENO, POLLIN, 0};
    if (poll(&in, 1, 5) <= 0) continue;
    char buffer[256];
    const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
    if (n <= 0) return 0;
    pending.append(buffer, static_cast<size_t>(n));
    for (size_t end; (end = pending.find('\n')) != std::string::npos;) {
      const std::string line = pending.substr(0, end);
      pending.erase(0, end + 1);
      if (line.rfind("paint ", 0) == 0) {
        const int percent = std::stoi(line.substr(6));
        window->PaintGauge(percent);
        window->ProcessMessages();
        std::printf("painted %d\n", percent);
      } else if (line.rfind("error ", 0) == 0) {
        window->ShowErrorBox(line.substr(6));
        std::printf("closed\n");
      } else if (line.rfind("password ", 0) == 0) {
        std::istringstream words(line.substr(9));
        int wrong = 0;
        std::string expected, table;
        words >> wrong >> expected >> table;
        Answer(window->AskPassword(table, wrong != 0), expected);
      } else if (line.rfind("login ", 0) == 0) {
        std::istringstream words(line.substr(6));
        std::string expected, source, user;
        words >> expected >> source >> user;
        auto login = window->AskLogin(source, user);
        if (login) std::printf("user: %s\n", login->user.c_str());
        Answer(login ? std::optional(std::move(login->password)) : std::nullopt, expected);
      } else if (line == "quit") {
        return 0;
      }
      std::fflush(stdout);
    }
  }
}
