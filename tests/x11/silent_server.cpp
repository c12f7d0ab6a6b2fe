#include "tests/x11/silent_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace merivan::x11test {

SilentServer::SilentServer() {
  for (int number = 40; number < 100; ++number) {
    const int s = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (s < 0) return;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(6000 + number));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    // The kernel completes the handshake for the backlog; nobody reads.
    if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 && listen(s, 16) == 0) {
      socket_ = s;
      number_ = number;
      return;
    }
    close(s);
  }
}

SilentServer::~SilentServer() {
  if (socket_ >= 0) close(socket_);
}

}  // namespace merivan::x11test
