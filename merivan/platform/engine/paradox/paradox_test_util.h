#pragma once
// Test helpers for the Paradox reader: a scratch folder per test and every
// record of a table rendered as plain strings, so expectations read easily.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "merivan/platform/engine/paradox/paradox_table.h"
#include "tests/support/temp_dir.h"

namespace merivan::engine::paradox_test {

// The code page tables follow the user's locale; every test here runs as a
// Czech user (ANSI 1250, OEM 852).
inline const bool kCzechUser = (setenv("LC_ALL", "cs_CZ.UTF-8", 1), true);

inline std::string ScratchDir() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "." + info->name();
  for (char& c : name)
    if (c == '/') c = '_';
  const std::filesystem::path dir =
      std::filesystem::path(MERIVAN_BINARY_DIR) / "paradox-tests" / (name + "." + std::to_string(getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir.string();
}

// One field's value as text: "NULL", integers in decimal, doubles with %.17g,
// strings and blobs as their bytes, BCD and bytes areas in hex.
inline std::string Render(TableDriver& t, size_t i) {
  const FieldDescriptor& f = t.Fields()[i];
  if (IsBlobKind(f.type)) {
    const uint32_t size = t.BlobSize(i);
    if (size == 0) return "NULL";
    std::string bytes(size, '\0');
    const uint32_t got = t.ReadBlob(i, 0, size, reinterpret_cast<uint8_t*>(bytes.data()));
    EXPECT_EQ(got, size) << f.name;
    bytes.resize(got);
    return bytes;
  }
  std::vector<uint8_t> area(DataAreaSize(f.type, f.size) + 8, 0xEE);
  if (!t.ReadField(i, area.data())) return "NULL";
  char buf[128];
  switch (f.type) {
    case ColumnKind::kString:
      return std::string(reinterpret_cast<const char*>(area.data()));
    case ColumnKind::kSmallint: case ColumnKind::kBoolean: {
      int16_t v;
      std::memcpy(&v, area.data(), 2);
      return std::to_string(v);
    }
    case ColumnKind::kInteger: case ColumnKind::kAutoInc: case ColumnKind::kDate: case ColumnKind::kTime: {
      int32_t v;
      std::memcpy(&v, area.data(), 4);
      return std::to_string(v);
    }
    case ColumnKind::kFloat: case ColumnKind::kCurrency: case ColumnKind::kDateTime: {
      double v;
      std::memcpy(&v, area.data(), 8);
      std::snprintf(buf, sizeof buf, "%.17g", v);
      return buf;
    }
    default: {
      std::string hex;
      for (size_t k = 0; k < DataAreaSize(f.type, f.size); ++k) {
        std::snprintf(buf, sizeof buf, "%02x", area[k]);
        hex += buf;
      }
      return hex;
    }
  }
}

inline std::vector<std::vector<std::string>> ReadAll(TableDriver& t) {
  std::vector<std::vector<std::string>> rows;
  while (t.Next()) {
    std::vector<std::string> row;
    for (size_t i = 0; i < t.Fields().size(); ++i) row.push_back(Render(t, i));
    rows.push_back(std::move(row));
  }
  return rows;
}

using merivan::testing::ReadFile;

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace merivan::engine::paradox_test
