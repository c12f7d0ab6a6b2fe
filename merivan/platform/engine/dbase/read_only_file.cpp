#include "merivan/platform/engine/dbase/read_only_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "merivan/exceptions.h"

namespace merivan::engine {

std::string EngineMessage(const std::string& what, const std::string& path) {
  return what + ".\r\nFile: " + path;
}

ReadOnlyFile::ReadOnlyFile(const std::string& path) : path_(path) {
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) throw EDBEngineError(EngineMessage(std::string("Cannot open file: ") + std::strerror(errno), path));
  struct stat st;
  if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd_);
    fd_ = -1;
    throw EDBEngineError(EngineMessage("Not a regular file", path));
  }
  size_ = static_cast<uint64_t>(st.st_size);
}

ReadOnlyFile::~ReadOnlyFile() {
  if (fd_ >= 0) ::close(fd_);
}

size_t ReadOnlyFile::ReadAt(uint64_t offset, size_t count, uint8_t* dst) const {
  size_t done = 0;
  while (done < count && offset + done < size_) {
    const ssize_t n = ::pread(fd_, dst + done, count - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw EDBEngineError(EngineMessage(std::string("Read error: ") + std::strerror(errno), path_));
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  return done;
}

void ReadOnlyFile::ReadExactly(uint64_t offset, size_t count, uint8_t* dst, const char* what) const {
  if (ReadAt(offset, count, dst) != count) throw EDBEngineError(EngineMessage(what, path_));
}

}  // namespace merivan::engine
