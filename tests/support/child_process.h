#pragma once
// A program started by a test: stdin and stdout on pipes, stderr on a pipe
// too or in a file, or all three on a terminal; killed and reaped when the
// test is done with it. And the output of a shell command.
#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace merivan::testing {

// What a program still wrote until it closed its output.
struct ChildOutput {
  std::string out;
  std::string err;  // empty when stderr went to a file
};

// Where a child runs: in the test's session, or as the leader of a session
// of its own, then without a controlling terminal or with `terminal` (a
// pseudo-terminal's device) as controlling terminal, stdin, stdout and stderr.
struct ChildSession {
  bool own = false;
  std::string terminal;
};

class ChildProcess {
 public:
  // `environment` entries NAME=VALUE replace or add to the test's own; an
  // entry "NAME" alone removes NAME, "PREFIX*" every name that starts so.
  // stderr goes to `stderrPath`, or to a pipe read by ReadToEnd when empty;
  // on a terminal of `session` there are no pipes.
  ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
               const std::string& stderrPath = "", const ChildSession& session = {});
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ~ChildProcess();

  bool Started() const { return pid_ > 0; }
  pid_t Pid() const { return pid_; }
  void WriteLine(const std::string& line);
  // The child reads the end of its input from now on.
  void CloseStdin();
  // The next line of stdout (without "\n"); nullopt after `limit` or at its end.
  std::optional<std::string> ReadLine(std::chrono::milliseconds limit);
  // stdout (what ReadLine has not taken) and the piped stderr, read until
  // the child closes both or `limit` has passed.
  ChildOutput ReadToEnd(std::chrono::milliseconds limit);
  // The exit status (0 to 255) once it has ended, -signal when killed by one;
  // nullopt while it still runs after `limit`.
  std::optional<int> Wait(std::chrono::milliseconds limit);

 private:
  pid_t pid_ = -1;
  int stdin_ = -1;
  int stdout_ = -1;
  int stderr_ = -1;
  std::string buffered_;
  std::optional<int> status_;
};

// stdout of a shell command, and its exit status.
struct CommandResult {
  int status = -1;
  std::string output;
};
CommandResult RunShell(const std::string& command);

}  // namespace merivan::testing
