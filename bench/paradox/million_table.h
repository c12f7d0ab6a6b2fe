#pragma once
// The benchmark table: 1,000,000 address records of two Alpha 40, Long,
// Number, Date, Logical and Timestamp fields, in code page 852.
#include <string>

namespace merivan::bench {

constexpr int kMillion = 1000000;

// The password of the protected copy the benchmarks compare with the plain table.
constexpr const char* kBenchPassword = "123";

// Writes `records` records to `path` (a .db file); about 105 bytes each.
// Protected by `password` when one is given.
void WriteMillionTable(const std::string& path, int records = kMillion, const std::string& password = "");

}  // namespace merivan::bench
