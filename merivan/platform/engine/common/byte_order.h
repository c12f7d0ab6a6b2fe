#pragma once
// Words as the table files store them: little-endian headers and blob
// references, big-endian sortable numbers.
#include <cstdint>

namespace merivan::engine {

inline uint32_t Le16(const uint8_t* p) { return p[0] | (uint32_t{p[1]} << 8); }
inline uint32_t Le32(const uint8_t* p) { return Le16(p) | (Le16(p + 2) << 16); }

// The first `bytes` bytes (at most 8) of `p` as one number.
inline uint64_t LittleEndian(const uint8_t* p, int bytes) {
  uint64_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | p[i];
  return v;
}
// Writes the low `bytes` bytes (at most 8) of `v` little-endian.
inline void PutLittleEndian(uint8_t* p, uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i, v >>= 8) p[i] = static_cast<uint8_t>(v);
}
inline uint64_t BigEndian(const uint8_t* p, int bytes) {
  uint64_t v = 0;
  for (int i = 0; i < bytes; ++i) v = v << 8 | p[i];
  return v;
}

inline bool AllZero(const uint8_t* p, uint32_t n) {
  for (uint32_t i = 0; i < n; ++i)
    if (p[i] != 0) return false;
  return true;
}

}  // namespace merivan::engine
