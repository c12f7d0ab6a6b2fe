#include "tests/merivan/merivan_process.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

extern char** environ;

namespace merivan::e2e {

namespace {

struct Pipe {
  int fd[2] = {-1, -1};
  Pipe() {
    if (pipe2(fd, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
  }
  ~Pipe() {
    for (int f : fd)
      if (f >= 0) close(f);
  }
  void CloseWriteEnd() {
    close(fd[1]);
    fd[1] = -1;
  }
};

// The test's environment without DISPLAY, in the given locale.
std::vector<std::string> ChildEnvironment(const std::string& locale) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    const std::string v = *e;
    if (v.rfind("DISPLAY=", 0) == 0 || v.rfind("LANG=", 0) == 0 || v.rfind("LC_", 0) == 0 ||
        v.rfind("LANGUAGE=", 0) == 0 || v.rfind("LOCPATH=", 0) == 0)
      continue;
    env.push_back(v);
  }
  env.push_back("LANG=" + locale);
  env.push_back("LC_ALL=" + locale);
  env.push_back(std::string("LOCPATH=") + MERIVAN_BINARY_DIR + "/locales");
  return env;
}

void Drain(int outFd, int errFd, std::string& out, std::string& err) {
  pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
  int open = 2;
  char buf[65536];
  while (open > 0) {
    if (poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      const ssize_t n = read(fds[i].fd, buf, sizeof buf);
      if (n > 0) {
        (i == 0 ? out : err).append(buf, static_cast<size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        fds[i].fd = -1;
        --open;
      }
    }
  }
}

}  // namespace

RunResult RunMerivan(const std::vector<std::string>& args, const std::string& locale) {
  std::vector<std::string> argvStore = {MERIVAN_EXE};
  argvStore.insert(argvStore.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : argvStore) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::vector<std::string> envStore = ChildEnvironment(locale);
  std::vector<char*> envp;
  for (auto& e : envStore) envp.push_back(e.data());
  envp.push_back(nullptr);

  Pipe out, err;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out.fd[1], 1);
  posix_spawn_file_actions_adddup2(&actions, err.fd[1], 2);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  pid_t pid;
  const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) throw std::runtime_error("cannot start " + argvStore[0]);
  out.CloseWriteEnd();
  err.CloseWriteEnd();
  RunResult r;
  Drain(out.fd[0], err.fd[0], r.out, r.err);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  r.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

bool FileExists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

}  // namespace merivan::e2e
