#pragma once
// Table and memo files are read through the engine's positioned reader; a
// part that must be whole but is cut short makes the file damaged.
#include <cstddef>
#include <cstdint>
#include <string>

#include "merivan/platform/engine/common/engine_error.h"
#include "merivan/platform/engine/common/read_only_file.h"

namespace merivan::engine {

// EDBEngineError: what is wrong (a damaged or missing part), then the file.
[[noreturn]] inline void ThrowTableError(const std::string& what, const std::string& path) {
  ThrowEngineError(what + ".", path);
}

inline void ReadExactly(const ReadOnlyFile& file, uint64_t offset, size_t count, uint8_t* dst, const char* what) {
  if (file.ReadAt(offset, count, dst) != count) ThrowTableError(what, file.Path());
}

}  // namespace merivan::engine
