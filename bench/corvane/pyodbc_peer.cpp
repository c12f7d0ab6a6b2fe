#include "bench/corvane/pyodbc_peer.h"

#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

namespace corvane_bench {
namespace {

// One line in, one dataSources() call, one line out: CPU and wall seconds
// of the call and how many data sources it gave.
constexpr const char* kScript =
    "import sys, time, pyodbc\n"
    "for _ in sys.stdin:\n"
    "    cpu, wall = time.process_time(), time.perf_counter()\n"
    "    listed = len(pyodbc.dataSources())\n"
    "    print(time.process_time() - cpu, time.perf_counter() - wall, listed, flush=True)\n";

}  // namespace

PyodbcPeer::PyodbcPeer(const std::string& python) {
  int toPeer[2];
  int fromPeer[2];
  if (pipe(toPeer) != 0) throw std::runtime_error("no pipe for the pyodbc peer");
  if (pipe(fromPeer) != 0) {
    close(toPeer[0]);
    close(toPeer[1]);
    throw std::runtime_error("no pipe for the pyodbc peer");
  }
  pid_ = fork();
  if (pid_ == 0) {
    dup2(toPeer[0], STDIN_FILENO);
    dup2(fromPeer[1], STDOUT_FILENO);
    for (int end : {toPeer[0], toPeer[1], fromPeer[0], fromPeer[1]}) close(end);
    execl(python.c_str(), python.c_str(), "-c", kScript, static_cast<char*>(nullptr));
    _exit(127);
  }
  close(toPeer[0]);
  close(fromPeer[1]);
  requests_ = fdopen(toPeer[1], "w");
  answers_ = fdopen(fromPeer[0], "r");
  if (pid_ < 0 || requests_ == nullptr || answers_ == nullptr) throw std::runtime_error("cannot start the pyodbc peer");
}

PyodbcPeer::~PyodbcPeer() {
  // End of input ends the peer's loop.
  if (requests_ != nullptr) std::fclose(requests_);
  if (answers_ != nullptr) std::fclose(answers_);
  if (pid_ > 0) waitpid(pid_, nullptr, 0);
}

bool PyodbcPeer::call(Call& result) {
  if (std::fputs("\n", requests_) == EOF || std::fflush(requests_) != 0) return false;
  return std::fscanf(answers_, "%lf %lf %d", &result.cpuSeconds, &result.wallSeconds, &result.listed) == 3;
}

}  // namespace corvane_bench
