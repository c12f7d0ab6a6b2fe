#pragma once
// Writes one buffer at a time to a file descriptor on a thread of its own,
// so that the kernel's copy of a full buffer runs on the other core while
// the next buffer is being filled.
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>

namespace merivan {

class WriteBehind {
 public:
  explicit WriteBehind(int fd) : fd_(fd) {}
  // Waits for the write in progress; its outcome is lost (call Wait first).
  ~WriteBehind();
  WriteBehind(const WriteBehind&) = delete;
  WriteBehind& operator=(const WriteBehind&) = delete;

  // Waits until the write started last has ended: 0 when it wrote every
  // byte, otherwise the errno of the failure (ENOSPC for a write of none).
  // Each failure is reported once.
  int Wait();
  // Starts writing `size` bytes from `data`, which stay untouched until
  // Wait returns. Only after Wait.
  void Start(const char* data, size_t size);

 private:
  void Run();

  const int fd_;
  std::mutex mutex_;
  std::condition_variable changed_;
  const char* data_ = nullptr;
  size_t size_ = 0;
  bool busy_ = false;  // a buffer is handed over and not yet written
  bool stopping_ = false;
  int error_ = 0;
  std::thread thread_;  // started by the first Start: short files need none
};

}  // namespace merivan
