// Asks the headless window system's questions for the terminal tests and
// prints what came back, never the password itself:
//   prompt_driver password TABLE EXPECTED ASKS   asks up to ASKS times, a
//       wrong answer asking again; prints "answer: right", "answer: wrong"
//       or "answer: none" after each ask
//   prompt_driver login SOURCE USER EXPECTED     prints "user: NAME" and
//       "answer: right" or "answer: wrong", or "answer: none"
// Then "handlers: restored" when the signal handlers are as before the asks.
#include <signal.h>

#include <array>
#include <clocale>
#include <cstdio>
#include <string>

#include "merivan/platform/window/headless_window_system.h"

namespace {

using Handlers = std::array<void (*)(int), 3>;

Handlers CurrentHandlers() {
  Handlers handlers{};
  const int numbers[] = {SIGINT, SIGTERM, SIGHUP};
  for (size_t i = 0; i < handlers.size(); ++i) {
    struct sigaction action {};
    sigaction(numbers[i], nullptr, &action);
    handlers[i] = action.sa_handler;
  }
  return handlers;
}

void Answer(const char* text) { std::printf("answer: %s\n", text); }

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_CTYPE, "");
  const std::string mode = argc > 1 ? argv[1] : "";
  const Handlers before = CurrentHandlers();
  merivan::platform::HeadlessWindowSystem windows;
  if (mode == "password" && argc == 5) {
    const std::string expected = argv[3];
    bool wrong = false;
    for (int ask = std::stoi(argv[4]); ask > 0; --ask) {
      const auto password = windows.AskPassword(argv[2], wrong);
      wrong = password && password->View() != expected;
      Answer(!password ? "none" : wrong ? "wrong" : "right");
      std::fflush(stdout);
      if (!wrong) break;
    }
  } else if (mode == "login" && argc == 5) {
    const auto login = windows.AskLogin(argv[2], argv[3]);
    if (login) std::printf("user: %s\n", login->user.c_str());
    Answer(!login ? "none" : login->password.View() == argv[4] ? "right" : "wrong");
  } else {
    std::fprintf(stderr, "usage: prompt_driver password TABLE EXPECTED ASKS | login SOURCE USER EXPECTED\n");
    return 2;
  }
  std::printf("handlers: %s\n", CurrentHandlers() == before ? "restored" : "changed");
  return 0;
}
