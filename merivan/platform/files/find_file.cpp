#include "merivan/platform/files/find_file.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <memory>

namespace merivan::platform {

namespace {
struct DirCloser {
  void operator()(DIR* d) const { closedir(d); }
};
}  // namespace

std::optional<std::string> FindFileIgnoringCase(const std::string& directory, const std::string& name) {
  const std::string dir = directory.empty() ? "." : directory;
  const std::string exact = dir + "/" + name;
  struct stat st;
  if (stat(exact.c_str(), &st) == 0) return exact;
  std::unique_ptr<DIR, DirCloser> d(opendir(dir.c_str()));
  if (!d) return std::nullopt;
  std::optional<std::string> best;
  while (dirent* e = readdir(d.get())) {
    if (strcasecmp(e->d_name, name.c_str()) != 0) continue;
    if (!best || e->d_name < *best) best = std::string(e->d_name);
  }
  if (!best) return std::nullopt;
  return dir + "/" + *best;
}

std::optional<std::string> FindBesideIgnoringCase(const std::string& path, const std::string& extension) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return FindFileIgnoringCase(".", ReplaceExtension(path, extension));
  // "/t.db" lies in the root folder, not in the current one.
  const std::string dir = slash == 0 ? "/" : path.substr(0, slash);
  return FindFileIgnoringCase(dir, ReplaceExtension(path.substr(slash + 1), extension));
}

std::string ReplaceExtension(const std::string& path, const std::string& extension) {
  const size_t slash = path.find_last_of('/');
  const size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path + extension;
  return path.substr(0, dot) + extension;
}

}  // namespace merivan::platform
