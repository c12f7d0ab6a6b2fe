#pragma once
// The table engine's side of the table store: one open table, read strictly
// forward. Each file format (Paradox, dBASE, text) implements it; the table
// component (merivan/store) adds names, filter and value texts on top.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "merivan/platform/engine/data_area.h"

namespace merivan::engine {

// Passwords to try on a protected table, as typed (UTF-8); the views are
// the caller's, who clears what they point at.
using Passwords = std::vector<std::string_view>;

struct FieldDescriptor {
  std::string name;  // bytes in the Windows ANSI code page
  ColumnKind type;
  // kString: maximum characters; kBytes, kVarBytes: bytes; kBcd: decimal
  // places; 0 for every other kind.
  int size;
};

// How the fields of a table's records are read from the records' own bytes:
// a reader whose records are runs of a fixed size gives one, so that copies
// of records can be read after the table has moved on, and on any thread
// (every call is const and touches nothing but its arguments).
// A reader keeps its format on cache lines of its own (alignas this): other
// threads read it while the reader's cursor beside it changes with every
// record, and a shared line would stall them on each value.
constexpr size_t kRecordFormatAlignment = 64;

class RecordFormat {
 public:
  virtual ~RecordFormat() = default;

  // Bytes of one record.
  virtual size_t RecordSize() const = 0;
  // Whether field `index` lies wholly in the record (blobs do not).
  virtual bool InRecord(size_t index) const = 0;
  // As TableDriver's ReadField and ReadText, from the bytes of `record`, for
  // a field InRecord.
  virtual bool ReadField(const uint8_t* record, size_t index, uint8_t* area) const = 0;
  virtual size_t ReadText(const uint8_t* record, size_t index, uint8_t* area) const = 0;
};

class TableDriver {
 public:
  virtual ~TableDriver() = default;

  // Columns in table order; a column the engine cannot type is left out.
  virtual const std::vector<FieldDescriptor>& Fields() const = 0;

  // Records the table holds, or -1 when the engine cannot tell.
  virtual int32_t RecordCount() const = 0;

  // Moves to the next record in table order (the first one on the first
  // call). False once past the last record; later calls keep returning false.
  virtual bool Next() = 0;

  // Field `index` of the current record: false when the value is null,
  // otherwise `area` (DataAreaSize bytes) is filled in the kind's form.
  virtual bool ReadField(size_t index, uint8_t* area) = 0;

  // A kString field of the current record into `area` (DataAreaSize bytes),
  // converted to the ANSI code page: the count of its bytes, 0 for null.
  // A reader may do it in one pass instead of reading, measuring and
  // converting one after the other; bytes of `area` past the count may be
  // written too.
  virtual size_t ReadText(size_t index, uint8_t* area) {
    if (!ReadField(index, area)) return 0;
    const size_t length = StringLengthInArea(area, Fields()[index].size);
    ToAnsi(area, length);
    return length;
  }

  // The format of the records, for a reader that has one; null otherwise.
  virtual const RecordFormat* Records() const { return nullptr; }
  // The bytes of the current record (RecordSize of them), for a reader with
  // a format; they stay valid until the next call of Next.
  virtual const uint8_t* CurrentRecord() const { return nullptr; }

  // Blob fields of the current record: the value's size in bytes, and a read
  // of up to `count` bytes from `offset` that returns the count actually read.
  virtual uint32_t BlobSize(size_t index) = 0;
  virtual uint32_t ReadBlob(size_t index, uint32_t offset, uint32_t count, uint8_t* dst) = 0;

  // Converts bytes from the table's character set to the ANSI code page, in
  // place and of equal length.
  virtual void ToAnsi(uint8_t* bytes, size_t count) const = 0;
};

}  // namespace merivan::engine
