#pragma once
// Reading the data area a driver fills for a field of the current record.
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace merivan {

// A little-endian value at `p` (the host is little-endian).
template <typename T>
T LoadFromArea(const uint8_t* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

// Bytes of a string area before its NUL; a value without one ends at the
// field's width.
inline size_t StringLengthInArea(const uint8_t* area, int width) {
  const auto w = static_cast<size_t>(width);
  const void* nul = std::memchr(area, 0, w);
  return nul ? static_cast<size_t>(static_cast<const uint8_t*>(nul) - area) : w;
}

}  // namespace merivan
