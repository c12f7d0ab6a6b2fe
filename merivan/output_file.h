#pragma once
// The export's output file: created or emptied, written through a buffer,
// locked against other writers while it is open.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "merivan/write_behind.h"

namespace merivan {

class TOutputFile {
 public:
  static constexpr size_t kBufferSize = 256 * 1024;

  // Creates the file or empties an existing one, after taking an fcntl write
  // lock on the whole file (advisory on Linux: it keeps out writers that ask
  // for a lock, never readers; a file locked by another writer fails with
  // code 32). A failure is an EInOutError and leaves no new file behind and
  // an existing file unchanged.
  explicit TOutputFile(const std::string& path);
  // Closes without reporting; call Close to learn of a failure.
  ~TOutputFile();
  TOutputFile(const TOutputFile&) = delete;
  TOutputFile& operator=(const TOutputFile&) = delete;

  // Buffered, a full buffer written on while the next one fills; a failing
  // write of the operating system is an EInOutError, raised by the next call
  // that fills a buffer or by Close. What follows the failure is dropped.
  void Write(std::string_view bytes);
  void Write(char c) {
    if (used_ == buffer_.size()) Flush();
    buffer_[used_++] = c;
  }
  // Room for `n` (at most kBufferSize) bytes in the buffer, written out first
  // when less is left; the room runs up to BufferEnd(). Commit keeps what was
  // written there up to `end`.
  char* Reserve(size_t n) {
    if (buffer_.size() - used_ < n) Flush();
    return buffer_.data() + used_;
  }
  char* BufferEnd() { return buffer_.data() + buffer_.size(); }
  void Commit(char* end) { used_ = static_cast<size_t>(end - buffer_.data()); }

  // Whether the file is a terminal (a device such as /dev/tty given as the path).
  bool IsTerminal() const;

  // Writes out the buffer and closes; EInOutError when either fails.
  void Close();

 private:
  void Flush();

  int fd_ = -1;
  std::unique_ptr<WriteBehind> writer_;  // ends before fd_ is closed
  std::vector<char> buffer_;              // being filled
  std::vector<char> written_;             // being written, once the first is full
  size_t used_ = 0;
};

}  // namespace merivan
