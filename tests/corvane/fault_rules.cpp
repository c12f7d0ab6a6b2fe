#include "fault_rules.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>
#include <string>

namespace corvane_faults {
namespace {

// Closes the rules file, which also drops its lock.
class LockedFile {
 public:
  explicit LockedFile(const char* path) : fd_(open(path, O_RDWR)) {
    if (fd_ >= 0) flock(fd_, LOCK_EX);
  }
  ~LockedFile() {
    if (fd_ >= 0) close(fd_);
  }
  LockedFile(const LockedFile&) = delete;
  LockedFile& operator=(const LockedFile&) = delete;

  bool isOpen() const { return fd_ >= 0; }
  std::string read() const {
    std::string text;
    char buffer[4096];
    lseek(fd_, 0, SEEK_SET);
    for (ssize_t n; (n = ::read(fd_, buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<size_t>(n));
    return text;
  }
  void write(const std::string& text) const {
    if (ftruncate(fd_, 0) != 0) return;
    lseek(fd_, 0, SEEK_SET);
    for (size_t done = 0; done < text.size();) {
      const ssize_t n = ::write(fd_, text.data() + done, text.size() - done);
      if (n <= 0) return;
      done += static_cast<size_t>(n);
    }
  }

 private:
  int fd_;
};

}  // namespace

Fault nextFault(const char* function) {
  Fault fault;
  const char* path = std::getenv("CORVANE_FAULTS");
  if (path == nullptr) return fault;
  const LockedFile file(path);
  if (!file.isOpen()) return fault;

  std::istringstream lines(file.read());
  std::string rewritten;
  bool changed = false;
  for (std::string line; std::getline(lines, line);) {
    std::istringstream fields(line);
    std::string name;
    long skip = 0;
    long times = 0;
    int result = 0;
    std::string list;
    if (!(fields >> name >> skip >> times >> result) || name != function || fault.active || times == 0) {
      rewritten += line + "\n";
      continue;
    }
    fields >> list;
    changed = true;
    if (skip > 0) {
      --skip;
    } else {
      fault.active = true;
      fault.result = result;
      fault.list = list;
      if (times > 0) --times;
    }
    rewritten += name + " " + std::to_string(skip) + " " + std::to_string(times) + " " + std::to_string(result) +
                 (list.empty() ? "" : " " + list) + "\n";
  }
  if (changed) file.write(rewritten);
  return fault;
}

}  // namespace corvane_faults
