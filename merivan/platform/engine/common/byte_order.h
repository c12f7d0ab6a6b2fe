#pragma once
// Words as the table files store them: little-endian headers and blob
// references, big-endian sortable numbers.
#include <cstdint>
#include <cstring>

namespace merivan::engine {

inline uint32_t Le16(const uint8_t* p) { return p[0] | (uint32_t{p[1]} << 8); }
inline uint32_t Le32(const uint8_t* p) { return Le16(p) | (Le16(p + 2) << 16); }

// The widths are constants at every call, so on a little-endian host each
// of these becomes one load or store (and a byte swap for big-endian words).
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
constexpr bool kHostLittleEndian = true;
#else
constexpr bool kHostLittleEndian = false;
#endif

// The first `bytes` bytes (at most 8) of `p` as one number.
inline uint64_t LittleEndian(const uint8_t* p, int bytes) {
  uint64_t v = 0;
  if (kHostLittleEndian) {
    std::memcpy(&v, p, static_cast<size_t>(bytes));
    return v;
  }
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | p[i];
  return v;
}
// Writes the low `bytes` bytes (at most 8) of `v` little-endian.
inline void PutLittleEndian(uint8_t* p, uint64_t v, int bytes) {
  if (kHostLittleEndian) {
    std::memcpy(p, &v, static_cast<size_t>(bytes));
    return;
  }
  for (int i = 0; i < bytes; ++i, v >>= 8) p[i] = static_cast<uint8_t>(v);
}
inline uint64_t BigEndian(const uint8_t* p, int bytes) {
  if (kHostLittleEndian && bytes > 0) return __builtin_bswap64(LittleEndian(p, bytes)) >> (64 - 8 * bytes);
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
