#include "merivan/platform/window/x11/x11_display.h"

#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace merivan::platform::x11 {

namespace {

// Shared by the caller and the connecting thread. When the caller gives up,
// the thread finds `abandoned` set once it returns and closes what it got.
struct Attempt {
  std::mutex mutex;
  std::condition_variable finished;
  bool done = false;
  bool abandoned = false;
  Display* display = nullptr;
};

void Connect(const std::shared_ptr<Attempt>& attempt) {
  Display* display = XOpenDisplay(nullptr);
  // The connection setup alone does not prove the server handles requests.
  if (display) XSync(display, False);
  std::lock_guard<std::mutex> lock(attempt->mutex);
  if (attempt->abandoned) {
    if (display) XCloseDisplay(display);
    return;
  }
  attempt->display = display;
  attempt->done = true;
  attempt->finished.notify_one();
}

}  // namespace

DisplayPtr OpenDisplayWithin(std::chrono::milliseconds limit) {
  const char* name = std::getenv("DISPLAY");
  if (!name || !*name) return nullptr;
  auto attempt = std::make_shared<Attempt>();
  // XOpenDisplay has no time limit of its own, so it runs on a thread of its
  // own; a thread stuck on a silent server is left behind, detached.
  std::thread(Connect, attempt).detach();
  std::unique_lock<std::mutex> lock(attempt->mutex);
  if (!attempt->finished.wait_for(lock, limit, [&] { return attempt->done; })) {
    attempt->abandoned = true;
    return nullptr;
  }
  return DisplayPtr(attempt->display);
}

}  // namespace merivan::platform::x11
