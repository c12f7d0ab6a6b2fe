#pragma once
// Tables come from Windows, where file names ignore case; Linux's do not.
#include <optional>
#include <string>

namespace merivan::platform {

// The path of `name` inside `directory`: the exact name when it exists,
// otherwise the one entry whose name equals it ignoring ASCII case (the
// first in byte order when several do). nullopt when there is none.
std::optional<std::string> FindFileIgnoringCase(const std::string& directory, const std::string& name);

// The file beside `path` named as `path` with its extension replaced by
// `extension` (a table's blob, memo or schema file), found ignoring case as
// FindFileIgnoringCase finds it.
std::optional<std::string> FindBesideIgnoringCase(const std::string& path, const std::string& extension);

// `path` with its extension (from the last '.' of the file name) replaced by `extension` (".MB").
std::string ReplaceExtension(const std::string& path, const std::string& extension);

}  // namespace merivan::platform
