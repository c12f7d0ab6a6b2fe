#pragma once
// Reads every value of an open table as the export does: each field's data
// area, strings converted to ANSI, blobs in chunks. For fuzzers and
// benchmarks that need the reader's whole work without the export around it.
#include <cstdint>
#include <cstring>
#include <vector>

#include "merivan/platform/engine/table_driver.h"

namespace merivan::engine {

// Returns the number of non-null values (blobs: non-empty) read; stops after `maxRecords` records.
inline int64_t ReadEveryValue(TableDriver& table, int64_t maxRecords = INT64_MAX) {
  std::vector<uint8_t> area(kStringAreaSize), chunk(4096);
  int64_t present = 0;
  for (int64_t records = 0; records < maxRecords && table.Next(); ++records) {
    const std::vector<FieldDescriptor>& fields = table.Fields();
    for (size_t i = 0; i < fields.size(); ++i) {
      const FieldDescriptor& f = fields[i];
      if (IsBlobKind(f.type)) {
        const uint32_t n = table.BlobSize(i);
        for (uint32_t at = 0; at < n;) {
          const uint32_t got = table.ReadBlob(i, at, static_cast<uint32_t>(chunk.size()), chunk.data());
          if (got == 0) break;
          at += got;
        }
        present += n != 0;
        continue;
      }
      const size_t need = DataAreaSize(f.type, f.size);
      if (need > area.size()) area.resize(need);
      if (!table.ReadField(i, area.data())) continue;
      ++present;
      if (f.type == ColumnKind::kString) table.ToAnsi(area.data(), std::strlen(reinterpret_cast<char*>(area.data())));
    }
  }
  return present;
}

}  // namespace merivan::engine
