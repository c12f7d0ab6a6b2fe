#pragma once
// A table driver holding its records in memory, for tests of the table
// component and the export that must not depend on a file format.
#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "merivan/platform/engine/common/engine_error.h"
#include "merivan/platform/engine/table_driver.h"
#include "merivan/store/engine_mapping.h"

namespace merivan::testing {

// One value: nullopt is null; otherwise the data area bytes, or a blob's content.
using FakeValue = std::optional<std::string>;

// A column in the table component's terms; the driver delivers it as the
// engine's kind of that type (kUnknown for one the engine has no kind of).
struct FakeField {
  std::string name;
  TFieldType type;
  int size;
};

inline engine::ColumnKind KindOf(TFieldType type) {
  for (int k = 0; k <= static_cast<int>(engine::ColumnKind::kTypedBinary); ++k) {
    if (FieldTypeOf(static_cast<engine::ColumnKind>(k)) == type) return static_cast<engine::ColumnKind>(k);
  }
  return engine::ColumnKind::kUnknown;
}

struct FakeTable {
  std::vector<FakeField> fields;
  std::vector<std::vector<FakeValue>> records;
  int32_t recordCount = -2;  // -2: the number of records
  // Blob reads return this many bytes fewer than asked (a damaged blob file).
  uint32_t blobShortBy = 0;
  // ToAnsi adds this to every byte at or above 0x80 (a visible conversion).
  uint8_t ansiShift = 0;
  // The driver gives a record format, as the file readers do: a record's
  // bytes are its number, from which the format reads the values.
  bool recordFormat = false;
};

class FakeTableDriver : public engine::TableDriver, public engine::RecordFormat {
 public:
  explicit FakeTableDriver(FakeTable table) : t_(std::move(table)) {
    for (const FakeField& f : t_.fields) columns_.push_back({f.name, KindOf(f.type), f.size});
  }

  const std::vector<engine::FieldDescriptor>& Fields() const override { return columns_; }
  int32_t RecordCount() const override {
    return t_.recordCount == -2 ? static_cast<int32_t>(t_.records.size()) : t_.recordCount;
  }
  bool Next() override {
    onRecord_ = next_ < t_.records.size();
    if (!onRecord_) return false;
    engine::PutLittleEndian(number_, next_++, sizeof number_);
    return true;
  }
  bool ReadField(size_t index, uint8_t* area) override { return ReadRecordField(Current(), index, area); }
  using engine::TableDriver::ReadText;
  const engine::RecordFormat* Records() const override { return t_.recordFormat ? this : nullptr; }
  const uint8_t* CurrentRecord() const override { return onRecord_ ? number_ : nullptr; }
  uint32_t BlobSize(size_t index) override {
    const FakeValue& v = Value(index);
    return v ? static_cast<uint32_t>(v->size()) : 0;
  }
  uint32_t ReadBlob(size_t index, uint32_t offset, uint32_t count, uint8_t* dst) override {
    const FakeValue& v = Value(index);
    if (!v || offset >= v->size()) return 0;
    uint32_t n = std::min<uint32_t>(count, static_cast<uint32_t>(v->size()) - offset);
    n = n > t_.blobShortBy ? n - t_.blobShortBy : 0;
    std::memcpy(dst, v->data() + offset, n);
    return n;
  }
  void ToAnsi(uint8_t* bytes, size_t count) const override {
    for (size_t i = 0; i < count; ++i) {
      if (bytes[i] >= 0x80) bytes[i] = static_cast<uint8_t>(bytes[i] + t_.ansiShift);
    }
  }

  // The record format.
  size_t RecordSize() const override { return sizeof number_; }
  bool InRecord(size_t index) const override { return !engine::IsBlobKind(columns_.at(index).type); }
  bool ReadField(const uint8_t* record, size_t index, uint8_t* area) const override {
    return ReadRecordField(Number(record), index, area);
  }
  size_t ReadText(const uint8_t* record, size_t index, uint8_t* area) const override {
    if (!ReadRecordField(Number(record), index, area)) return 0;
    const size_t length = engine::StringLengthInArea(area, columns_[index].size);
    ToAnsi(area, length);
    return length;
  }

 protected:
  // Field `index` of record `record` (counted from 0), for both the current
  // record and copies; a test's driver may fail it.
  virtual bool ReadRecordField(size_t record, size_t index, uint8_t* area) const {
    const FakeValue& v = t_.records.at(record).at(index);
    if (!v) return false;
    const engine::FieldDescriptor& f = columns_[index];
    const size_t n = engine::DataAreaSize(f.type, f.size);
    std::memset(area, 0, n);
    std::memcpy(area, v->data(), std::min(n, v->size()));
    return true;
  }

 private:
  static size_t Number(const uint8_t* record) {
    return static_cast<size_t>(engine::LittleEndian(record, sizeof number_));
  }
  size_t Current() const {
    if (!onRecord_) throw engine::MisuseError("No current record or no such field");
    return Number(number_);
  }
  const FakeValue& Value(size_t index) const { return t_.records.at(Current()).at(index); }

  FakeTable t_;
  std::vector<engine::FieldDescriptor> columns_;
  size_t next_ = 0;
  bool onRecord_ = false;
  uint8_t number_[8] = {};
};

// Data area bytes of a number: little-endian, on every host.
template <typename T>
std::string Bytes(T v) {
  uint64_t u = 0;
  if constexpr (std::is_floating_point_v<T>) {
    static_assert(sizeof v == 8);
    std::memcpy(&u, &v, 8);
  } else {
    u = static_cast<uint64_t>(v);
  }
  std::string s(sizeof v, '\0');
  engine::PutLittleEndian(reinterpret_cast<uint8_t*>(s.data()), u, sizeof v);
  return s;
}

}  // namespace merivan::testing
