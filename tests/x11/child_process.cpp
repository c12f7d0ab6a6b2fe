#include "tests/x11/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <map>

extern char** environ;

namespace merivan::x11test {

namespace {

std::vector<std::string> MergedEnvironment(const std::vector<std::string>& changes) {
  std::map<std::string, std::string> merged;
  for (char** e = environ; *e; ++e) {
    const std::string entry = *e;
    merged[entry.substr(0, entry.find('='))] = entry;
  }
  for (const std::string& change : changes) {
    const size_t eq = change.find('=');
    if (eq == std::string::npos) merged.erase(change);
    else merged[change.substr(0, eq)] = change;
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

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                           const std::string& stderrPath) {
  std::vector<std::string> args = argv;
  std::vector<std::string> env = MergedEnvironment(environment);
  std::vector<char*> argp = Pointers(args);
  std::vector<char*> envp = Pointers(env);
  int in[2], out[2];
  if (pipe2(in, O_CLOEXEC) != 0) return;
  if (pipe2(out, O_CLOEXEC) != 0) {
    close(in[0]), close(in[1]);
    return;
  }
  const int err = open(stderrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  pid_ = fork();
  if (pid_ == 0) {
    dup2(in[0], STDIN_FILENO);
    dup2(out[1], STDOUT_FILENO);
    if (err >= 0) dup2(err, STDERR_FILENO);
    execve(argp[0], argp.data(), envp.data());
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  if (err >= 0) close(err);
  stdin_ = in[1];
  stdout_ = out[0];
}

ChildProcess::~ChildProcess() {
  if (pid_ > 0 && !status_) {
    kill(pid_, SIGKILL);
    int status = 0;
    waitpid(pid_, &status, 0);
  }
  if (stdin_ >= 0) close(stdin_);
  if (stdout_ >= 0) close(stdout_);
}

void ChildProcess::WriteLine(const std::string& line) {
  const std::string text = line + "\n";
  if (stdin_ >= 0 && write(stdin_, text.data(), text.size()) < 0) std::perror("write to child");
}

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

std::optional<int> ChildProcess::Wait(std::chrono::milliseconds limit) {
  if (status_ || pid_ <= 0) return status_;
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    int status = 0;
    const pid_t done = waitpid(pid_, &status, WNOHANG);
    if (done == pid_) {
      status_ = Decode(status);
      return status_;
    }
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    usleep(10000);
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

}  // namespace merivan::x11test
