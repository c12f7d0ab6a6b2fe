#include "merivan/platform/files/find_file.h"

#include <dirent.h>
#include <sys/stat.h>

#include <filesystem>
#include <memory>

#include "merivan/platform/locale/ascii_text.h"

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
    if (!EqualsIgnoringAsciiCase(e->d_name, name)) continue;
    if (!best || e->d_name < *best) best = std::string(e->d_name);
  }
  if (!best) return std::nullopt;
  return dir + "/" + *best;
}

std::optional<std::string> FindBesideIgnoringCase(const std::string& path, const std::string& extension) {
  // "t.db" lies in the current folder (no parent: "" means "."), "/t.db" in the root folder.
  const std::filesystem::path table(path);
  return FindFileIgnoringCase(table.parent_path(), ReplaceExtension(table.filename(), extension));
}

std::string ReplaceExtension(const std::string& path, const std::string& extension) {
  return std::filesystem::path(path).replace_extension(extension);
}

}  // namespace merivan::platform
