#pragma once
// Test helpers: every value of an open table as plain texts that tests compare.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "merivan/platform/engine/common/value_parsing.h"
#include "merivan/platform/engine/table_driver.h"

namespace merivan::engine::dbase_test {

// A value as a test text: "<null>", decimal integers, %.15g for doubles,
// day numbers for dates, milliseconds for timestamps, bytes otherwise.
inline std::string ValueText(TableDriver& t, size_t i) {
  const FieldDescriptor& f = t.Fields()[i];
  if (IsBlobKind(f.type)) {
    const uint32_t n = t.BlobSize(i);
    std::string s(n, '\0');
    const uint32_t got = n ? t.ReadBlob(i, 0, n, reinterpret_cast<uint8_t*>(s.data())) : 0;
    s.resize(got);
    return s;
  }
  std::vector<uint8_t> area(DataAreaSize(f.type, f.size) + 8, 0xEE);
  if (!t.ReadField(i, area.data())) return "<null>";
  auto i16 = [&] { int16_t v; std::memcpy(&v, area.data(), 2); return static_cast<long long>(v); };
  auto i32 = [&] { int32_t v; std::memcpy(&v, area.data(), 4); return static_cast<long long>(v); };
  auto dbl = [&] { double v; std::memcpy(&v, area.data(), 8); return v; };
  char buf[64];
  switch (f.type) {
    case ColumnKind::kString: return std::string(reinterpret_cast<const char*>(area.data()));
    case ColumnKind::kSmallint: return std::to_string(i16());
    case ColumnKind::kBoolean: return i16() ? "T" : "F";
    case ColumnKind::kInteger: case ColumnKind::kAutoInc: case ColumnKind::kDate: case ColumnKind::kTime: return std::to_string(i32());
    case ColumnKind::kFloat: case ColumnKind::kCurrency: case ColumnKind::kDateTime: std::snprintf(buf, sizeof buf, "%.15g", dbl()); return buf;
    case ColumnKind::kVarBytes: {
      uint16_t n;
      std::memcpy(&n, area.data(), 2);
      return std::string(reinterpret_cast<const char*>(area.data() + 2), n);
    }
    default: return std::string(reinterpret_cast<const char*>(area.data()), DataAreaSize(f.type, f.size));
  }
}

// Every live record, each as its value texts in column order.
inline std::vector<std::vector<std::string>> ReadAll(TableDriver& t) {
  std::vector<std::vector<std::string>> rows;
  while (t.Next()) {
    std::vector<std::string> row;
    for (size_t i = 0; i < t.Fields().size(); ++i) row.push_back(ValueText(t, i));
    rows.push_back(row);
  }
  return rows;
}

inline std::string Day(int y, int m, int d) { return std::to_string(*DayNumberOf(y, m, d)); }

}  // namespace merivan::engine::dbase_test
