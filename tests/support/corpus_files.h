#pragma once
// Walking the shared table corpus: the files of a folder by extension, and
// counting what an export holds.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace merivan::testing {

// Names (not paths) of the files in `folder` whose extension is `extension`
// (".dbf") ignoring ASCII case, sorted; none when the folder is absent.
inline std::vector<std::string> FilesWithExtension(const std::string& folder, const std::string& extension) {
  const auto lower = [](std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
  };
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
    if (it->is_regular_file(error) && lower(it->path().extension().string()) == lower(extension))
      names.push_back(it->path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// How often `what` (not empty) occurs in `text`, without overlaps.
inline size_t Occurrences(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = 0; (at = text.find(what, at)) != std::string::npos; at += what.size()) ++n;
  return n;
}

}  // namespace merivan::testing
