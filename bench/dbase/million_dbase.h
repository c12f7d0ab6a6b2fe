#pragma once
// The benchmark table: 1,000,000 address records of dBASE IV (two C 40, an
// N 9, an N 12.2, a D and an L column), in code page 852.
#include <string>

namespace merivan::bench {

constexpr int kMillionDbase = 1000000;

// Writes `records` records to `path` (a .dbf file); 111 bytes each.
void WriteMillionDbase(const std::string& path, int records = kMillionDbase);

}  // namespace merivan::bench
