#pragma once
// The benchmark table: 1,000,000 address records of two Alpha 40, Long,
// Number, Date, Logical and Timestamp fields, in code page 852.
#include <string>

namespace merivan::bench {

constexpr int kMillion = 1000000;

// Writes `records` records to `path` (a .db file); about 105 bytes each.
void WriteMillionTable(const std::string& path, int records = kMillion);

}  // namespace merivan::bench
