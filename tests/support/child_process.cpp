#include "tests/support/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <iterator>
#include <map>
#include <utility>

extern char** environ;

namespace merivan::testing {

namespace {

// Whether the change "NAME" or "PREFIX*" removes the variable `name`.
bool Removes(const std::string& change, const std::string& name) {
  if (!change.empty() && change.back() == '*') return name.compare(0, change.size() - 1, change, 0, change.size() - 1) == 0;
  return name == change;
}

std::vector<std::string> MergedEnvironment(const std::vector<std::string>& changes) {
  std::map<std::string, std::string> merged;
  for (char** e = environ; *e; ++e) {
    const std::string entry = *e;
    merged[entry.substr(0, entry.find('='))] = entry;
  }
  for (const std::string& change : changes) {
    const size_t eq = change.find('=');
    if (eq != std::string::npos) {
      merged[change.substr(0, eq)] = change;
      continue;
    }
    for (auto it = merged.begin(); it != merged.end();) it = Removes(change, it->first) ? merged.erase(it) : std::next(it);
  }
  std::vector<std::string> list;
  for (auto& [name, entry] : merged) list.push_back(entry);
  return list;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& s : strings) pointers.push_back(s.data());
  pointers.push_back(nullptr);
  return pointers;
}

int Decode(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status); }

void Close(int& fd) {
  if (fd >= 0) close(fd);
  fd = -1;
}

// Both ends closed with the owner unless taken.
class Pipe {
 public:
  Pipe() {
    if (pipe2(fd_, O_CLOEXEC) != 0) fd_[0] = fd_[1] = -1;
  }
  Pipe(const Pipe&) = delete;
  Pipe& operator=(const Pipe&) = delete;
  ~Pipe() {
    Close(fd_[0]);
    Close(fd_[1]);
  }
  bool Open() const { return fd_[0] >= 0; }
  int ReadEnd() const { return fd_[0]; }
  int WriteEnd() const { return fd_[1]; }
  int TakeReadEnd() { return std::exchange(fd_[0], -1); }
  int TakeWriteEnd() { return std::exchange(fd_[1], -1); }

 private:
  int fd_[2];
};

// One of posix_spawn's objects, destroyed with its owner.
template <typename T, int (*Init)(T*), int (*Destroy)(T*)>
class SpawnObject {
 public:
  SpawnObject() { Init(&object_); }
  SpawnObject(const SpawnObject&) = delete;
  SpawnObject& operator=(const SpawnObject&) = delete;
  ~SpawnObject() { Destroy(&object_); }
  T* Get() { return &object_; }

 private:
  T object_;
};
using FileActions =
    SpawnObject<posix_spawn_file_actions_t, posix_spawn_file_actions_init, posix_spawn_file_actions_destroy>;
using SpawnAttributes = SpawnObject<posix_spawnattr_t, posix_spawnattr_init, posix_spawnattr_destroy>;

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                           const std::string& stderrPath, const ChildSession& session) {
  std::vector<std::string> args = argv;
  std::vector<std::string> env = MergedEnvironment(environment);
  std::vector<char*> argp = Pointers(args);
  std::vector<char*> envp = Pointers(env);
  if (args.empty()) return;
  const bool onTerminal = session.own && !session.terminal.empty();
  Pipe in, out, err;
  const bool errToPipe = stderrPath.empty() && !onTerminal;
  if (!onTerminal && (!in.Open() || !out.Open() || (errToPipe && !err.Open()))) return;
  FileActions actions;
  SpawnAttributes attributes;
  if (session.own) posix_spawnattr_setflags(attributes.Get(), POSIX_SPAWN_SETSID);
  if (onTerminal) {
    // A session leader opening a terminal makes it the controlling one.
    posix_spawn_file_actions_addopen(actions.Get(), STDIN_FILENO, session.terminal.c_str(), O_RDWR, 0);
    posix_spawn_file_actions_adddup2(actions.Get(), STDIN_FILENO, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(actions.Get(), STDIN_FILENO, STDERR_FILENO);
  } else {
    posix_spawn_file_actions_adddup2(actions.Get(), in.ReadEnd(), STDIN_FILENO);
    posix_spawn_file_actions_adddup2(actions.Get(), out.WriteEnd(), STDOUT_FILENO);
    if (errToPipe)
      posix_spawn_file_actions_adddup2(actions.Get(), err.WriteEnd(), STDERR_FILENO);
    else
      posix_spawn_file_actions_addopen(actions.Get(), STDERR_FILENO, stderrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                       0644);
  }
  pid_t pid = -1;
  if (posix_spawn(&pid, argp[0], actions.Get(), attributes.Get(), argp.data(), envp.data()) != 0) return;
  pid_ = pid;
  if (onTerminal) return;
  stdin_ = in.TakeWriteEnd();
  stdout_ = out.TakeReadEnd();
  if (errToPipe) stderr_ = err.TakeReadEnd();
}

ChildProcess::~ChildProcess() {
  if (pid_ > 0 && !status_) {
    kill(pid_, SIGKILL);
    int status = 0;
    while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
  }
  Close(stdin_);
  Close(stdout_);
  Close(stderr_);
}

void ChildProcess::WriteLine(const std::string& line) {
  const std::string text = line + "\n";
  if (stdin_ >= 0 && write(stdin_, text.data(), text.size()) < 0) std::perror("write to child");
}

void ChildProcess::CloseStdin() { Close(stdin_); }

std::optional<std::string> ChildProcess::ReadLine(std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    const size_t end = buffered_.find('\n');
    if (end != std::string::npos) {
      std::string line = buffered_.substr(0, end);
      buffered_.erase(0, end + 1);
      return line;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0 || stdout_ < 0) return std::nullopt;
    pollfd fd{stdout_, POLLIN, 0};
    if (poll(&fd, 1, static_cast<int>(left.count())) <= 0) continue;
    char buffer[512];
    const ssize_t n = read(stdout_, buffer, sizeof buffer);
    if (n <= 0) return std::nullopt;
    buffered_.append(buffer, static_cast<size_t>(n));
  }
}

ChildOutput ChildProcess::ReadToEnd(std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  ChildOutput output;
  output.out.swap(buffered_);
  int* fds[2] = {&stdout_, &stderr_};
  std::string* into[2] = {&output.out, &output.err};
  char buffer[65536];
  for (;;) {
    pollfd polled[2];
    int count = 0;
    int which[2];
    for (int i = 0; i < 2; ++i)
      if (*fds[i] >= 0) {
        polled[count] = {*fds[i], POLLIN, 0};
        which[count++] = i;
      }
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (count == 0 || left.count() <= 0) return output;
    const int ready = poll(polled, static_cast<nfds_t>(count), static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return output;
    for (int k = 0; k < count; ++k) {
      if (!(polled[k].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      const ssize_t n = read(polled[k].fd, buffer, sizeof buffer);
      if (n > 0)
        into[which[k]]->append(buffer, static_cast<size_t>(n));
      else if (n == 0 || errno != EINTR)
        Close(*fds[which[k]]);
    }
  }
}

std::optional<int> ChildProcess::Wait(std::chrono::milliseconds limit) {
  if (status_ || pid_ <= 0) return status_;
  const auto deadline = std::chrono::steady_clock::now() + limit;
  // Short naps first: most children are gone by the time this is called.
  useconds_t nap = 500;
  for (;;) {
    int status = 0;
    const pid_t done = waitpid(pid_, &status, WNOHANG);
    if (done == pid_) {
      status_ = Decode(status);
      return status_;
    }
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    usleep(nap);
    nap = std::min<useconds_t>(nap * 2, 10000);
  }
}

namespace {
// A command's output pipe, closed (and the command reaped) with its owner.
class CommandPipe {
 public:
  explicit CommandPipe(const std::string& command) : pipe_(popen(command.c_str(), "r")) {}
  CommandPipe(const CommandPipe&) = delete;
  CommandPipe& operator=(const CommandPipe&) = delete;
  ~CommandPipe() { Close(); }
  FILE* Get() const { return pipe_; }
  int Close() {
    const int status = pipe_ ? pclose(pipe_) : -1;
    pipe_ = nullptr;
    return status;
  }

 private:
  FILE* pipe_;
};
}  // namespace

CommandResult RunShell(const std::string& command) {
  CommandResult result;
  CommandPipe pipe(command);
  if (!pipe.Get()) return result;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe.Get())) > 0) result.output.append(buffer, n);
  const int status = pipe.Close();
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

}  // namespace merivan::testing
