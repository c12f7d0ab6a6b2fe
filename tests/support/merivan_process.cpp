#include "tests/support/merivan_process.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <stdexcept>

#include "tests/support/child_process.h"

namespace merivan::e2e {

namespace {

// Longer than any export of the tests takes, even under the sanitizers.
constexpr std::chrono::minutes kRunLimit{5};

// The test's environment without DISPLAY, in the given locale.
std::vector<std::string> ChildEnvironment(const std::string& locale) {
  return {"DISPLAY", "LC_*", "LANGUAGE", "LANG=" + locale, "LC_ALL=" + locale,
          std::string("LOCPATH=") + MERIVAN_BINARY_DIR + "/locales"};
}

}  // namespace

RunResult RunMerivan(const std::vector<std::string>& args, const std::string& locale, const std::string& stderrPath) {
  std::vector<std::string> argv = {MERIVAN_EXE};
  argv.insert(argv.end(), args.begin(), args.end());
  testing::ChildProcess child(argv, ChildEnvironment(locale), stderrPath);
  if (!child.Started()) throw std::runtime_error("cannot start " + argv[0]);
  child.CloseStdin();
  const auto started = std::chrono::steady_clock::now();
  testing::ChildOutput output = child.ReadToEnd(kRunLimit);
  const auto left = kRunLimit - (std::chrono::steady_clock::now() - started);
  const std::optional<int> status =
      child.Wait(std::max(std::chrono::duration_cast<std::chrono::milliseconds>(left), std::chrono::milliseconds(100)));
  RunResult r;
  r.exitStatus = status && *status >= 0 ? *status : -1;
  r.out = std::move(output.out);
  r.err = std::move(output.err);
  if (!status) r.err += "[still running after " + std::to_string(kRunLimit.count()) + " minutes: killed]";
  return r;
}

bool FileExists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

}  // namespace merivan::e2e
