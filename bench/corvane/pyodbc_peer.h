#pragma once

#include <sys/types.h>

#include <cstdio>
#include <string>

namespace corvane_bench {

// pyodbc beside corvane: a Python process, started once, that makes one
// pyodbc.dataSources() call on the same ini files (it inherits ODBCSYSINI and
// ODBCINI) each time it is asked, and reports the call's time itself.
class PyodbcPeer {
 public:
  explicit PyodbcPeer(const std::string& python);
  ~PyodbcPeer();
  PyodbcPeer(const PyodbcPeer&) = delete;
  PyodbcPeer& operator=(const PyodbcPeer&) = delete;

  struct Call {
    double cpuSeconds = 0;  // the peer's process CPU time for the call
    double wallSeconds = 0;
    int listed = -1;  // data sources in the returned dict
  };
  // One call; false when the peer has failed or gone.
  bool call(Call& result);

 private:
  pid_t pid_ = -1;
  FILE* requests_ = nullptr;
  FILE* answers_ = nullptr;
};

}  // namespace corvane_bench
