#pragma once
// An "X server" on 127.0.0.1 that accepts connections and never answers.
#include <string>

namespace merivan::x11test {

class SilentServer {
 public:
  SilentServer();
  ~SilentServer();
  SilentServer(const SilentServer&) = delete;
  SilentServer& operator=(const SilentServer&) = delete;
  bool Listening() const { return socket_ >= 0; }
  // The DISPLAY value that reaches it, "127.0.0.1:N".
  std::string DisplayName() const { return "127.0.0.1:" + std::to_string(number_); }

 private:
  int socket_ = -1;
  int number_ = -1;
};

}  // namespace merivan::x11test
