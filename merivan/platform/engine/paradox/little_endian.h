#pragma once
// Little-endian words of the Paradox header, blocks and blob references.
#include <cstdint>

namespace merivan::engine::paradox {

inline uint32_t Le16(const uint8_t* p) { return p[0] | (uint32_t{p[1]} << 8); }
inline uint32_t Le32(const uint8_t* p) { return Le16(p) | (Le16(p + 2) << 16); }

}  // namespace merivan::engine::paradox
