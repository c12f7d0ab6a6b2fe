#include "merivan/write_behind.h"

#include <unistd.h>

#include <cerrno>

#include "merivan/platform/threads/signal_free_thread.h"

namespace merivan {

namespace {

// 0, or the errno of the write that stopped short.
int WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return ENOSPC;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return 0;
}

}  // namespace

WriteBehind::~WriteBehind() {
  if (!thread_.joinable()) return;
  {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !busy_; });
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

int WriteBehind::Wait() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return !busy_; });
  const int error = error_;
  error_ = 0;
  return error;
}

void WriteBehind::Start(const char* data, size_t size) {
  if (!thread_.joinable()) thread_ = platform::SignalFreeThread([this] { Run(); });
  {
    std::lock_guard<std::mutex> lock(mutex_);
    data_ = data;
    size_ = size;
    busy_ = true;
  }
  changed_.notify_all();
}

void WriteBehind::Run() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return busy_ || stopping_; });
    if (stopping_) return;
    const char* data = data_;
    const size_t size = size_;
    lock.unlock();
    const int error = WriteAll(fd_, data, size);
    lock.lock();
    error_ = error;
    busy_ = false;
    changed_.notify_all();
  }
}

}  // namespace merivan
