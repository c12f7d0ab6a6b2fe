#pragma once
// Runs the merivan binary as a user would: no display, a Czech UTF-8 locale.
#include <string>
#include <vector>

namespace merivan::e2e {

struct RunResult {
  int exitStatus = -1;  // the 8-bit exit status; -1 when killed
  std::string err;      // what it wrote on stderr
  std::string out;      // what it wrote on stdout
};

RunResult RunMerivan(const std::vector<std::string>& args);

std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);

// A fresh directory under /tmp, removed again with its contents.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

}  // namespace merivan::e2e
