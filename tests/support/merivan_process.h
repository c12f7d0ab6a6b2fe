#pragma once
// Runs the merivan binary as a user would: no display, stdin at its end, a
// Czech UTF-8 locale unless the test names another. A run that hangs is
// killed after some minutes (exit status -1, a note on stderr).
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace merivan::e2e {

struct RunResult {
  int exitStatus = -1;  // the 8-bit exit status; -1 when killed
  std::string err;      // what it wrote on stderr
  std::string out;      // what it wrote on stdout
};

// `stderrPath`: a file (a terminal, say) for stderr instead of the pipe
// that fills RunResult::err.
RunResult RunMerivan(const std::vector<std::string>& args, const std::string& locale = "cs_CZ.UTF-8",
                     const std::string& stderrPath = "");

using testing::ReadFile;
using testing::TempDir;
bool FileExists(const std::string& path);

}  // namespace merivan::e2e
