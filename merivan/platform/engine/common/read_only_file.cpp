#include "merivan/platform/engine/common/read_only_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "merivan/platform/engine/common/engine_error.h"

namespace merivan::engine {

ReadOnlyFile::ReadOnlyFile(std::string path) : path_(std::move(path)) {
  // O_NONBLOCK: opening a FIFO named like a table must fail below, not wait for a writer.
  fd_ = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd_ < 0) ThrowEngineError(std::string("Cannot open the file: ") + std::strerror(errno) + ".", path_);
  struct stat st;
  if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd_);
    fd_ = -1;
    ThrowEngineError("Not a regular file.", path_);
  }
  size_ = static_cast<uint64_t>(st.st_size);
}

ReadOnlyFile::~ReadOnlyFile() {
  if (fd_ >= 0) ::close(fd_);
}

size_t ReadOnlyFile::ReadAt(uint64_t offset, size_t count, uint8_t* dst) const {
  size_t done = 0;
  while (done < count) {
    const ssize_t n = ::pread(fd_, dst + done, count - done, static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowEngineError(std::string("Cannot read the file: ") + std::strerror(errno) + ".", path_);
    }
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  return done;
}

void ReadOnlyFile::ReadExactly(uint64_t offset, size_t count, uint8_t* dst, const char* what) const {
  if (ReadAt(offset, count, dst) != count) ThrowEngineError(what, path_);
}

}  // namespace merivan::engine
