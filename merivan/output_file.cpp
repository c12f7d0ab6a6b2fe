#include "merivan/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "merivan/file_errors.h"

namespace merivan {

namespace {

int OpenForWriting(const std::string& path, bool& created) {
  // O_EXCL first tells whether the file is ours to remove again should the
  // lock fail. O_NONBLOCK keeps a pipe without a reader from hanging the
  // open (it fails with ENXIO instead); writes block as usual afterwards.
  const int flags = O_WRONLY | O_CLOEXEC | O_NONBLOCK;
  int fd = open(path.c_str(), flags | O_CREAT | O_EXCL, 0666);
  created = fd >= 0;
  if (fd < 0 && errno == EEXIST) {
    fd = open(path.c_str(), flags);
    // A symbolic link whose target is missing exists but cannot be opened:
    // create the target, as writing through the link means.
    if (fd < 0 && errno == ENOENT) fd = open(path.c_str(), flags | O_CREAT, 0666);
  }
  if (fd >= 0) {
    const int status = fcntl(fd, F_GETFL);
    if (status == -1 || fcntl(fd, F_SETFL, status & ~O_NONBLOCK) == -1) {
      const int err = errno;
      close(fd);
      if (created) unlink(path.c_str());
      errno = err;
      return -1;
    }
  }
  return fd;
}

}  // namespace

TOutputFile::TOutputFile(const std::string& path) {
  bool created = false;
  const int fd = OpenForWriting(path, created);
  if (fd < 0) throw InOutErrorOfErrno(errno);
  struct stat st;
  if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
    // Devices and pipes are not shared files: only regular files are locked and emptied.
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    int err = 0;
    // An open-file-description lock: it also keeps out a second writer in
    // this same process, and it conflicts with the classic POSIX locks.
    if (fcntl(fd, F_OFD_SETLK, &lock) != 0) {
      err = (errno == EACCES || errno == EAGAIN) ? EAGAIN : errno;
    } else if (!created && ftruncate(fd, 0) != 0) {
      err = errno;
    }
    if (err != 0) {
      if (created) unlink(path.c_str());
      close(fd);
      throw InOutErrorOfErrno(err);
    }
  }
  fd_ = fd;
  writer_ = std::make_unique<WriteBehind>(fd);
  buffer_.resize(kBufferSize);
}

TOutputFile::~TOutputFile() {
  writer_.reset();
  if (fd_ >= 0) close(fd_);
}

void TOutputFile::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    if (used_ == buffer_.size()) Flush();
    const size_t n = std::min(bytes.size(), buffer_.size() - used_);
    std::memcpy(buffer_.data() + used_, bytes.data(), n);
    used_ += n;
    bytes.remove_prefix(n);
  }
}

bool TOutputFile::IsTerminal() const { return fd_ >= 0 && isatty(fd_) == 1; }

void TOutputFile::Flush() {
  if (const int error = writer_->Wait()) {
    used_ = 0;
    throw InOutErrorOfErrno(error);
  }
  if (used_ == 0) return;
  if (written_.empty()) written_.resize(kBufferSize);
  writer_->Start(buffer_.data(), used_);
  buffer_.swap(written_);
  used_ = 0;
}

void TOutputFile::Close() {
  if (fd_ < 0) return;
  try {
    Flush();
    if (const int error = writer_->Wait()) throw InOutErrorOfErrno(error);
  } catch (...) {
    close(fd_);
    fd_ = -1;
    throw;
  }
  const int fd = fd_;
  fd_ = -1;
  if (close(fd) != 0 && errno != EINTR) throw InOutErrorOfErrno(errno);
}

}  // namespace merivan
