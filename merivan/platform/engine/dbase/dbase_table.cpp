#include "merivan/platform/engine/dbase/dbase_table.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <thread>
#include <vector>

#include "merivan/platform/engine/common/engine_error.h"
#include "merivan/platform/engine/dbase/dbase_codepage.h"
#include "merivan/platform/engine/dbase/dbase_fields.h"
#include "merivan/platform/engine/dbase/dbase_header.h"
#include "merivan/platform/engine/dbase/dbase_memo.h"
#include "merivan/platform/locale/codepage.h"
#include "merivan/platform/threads/signal_free_thread.h"

namespace merivan::engine {

namespace {

constexpr size_t kBufferBytes = 256 * 1024;
// A table of this many bytes or more has its deletion marks counted by two
// threads, half the records each: the count is the kernel copying the file
// to us, which two cores do faster than one.
constexpr uint64_t kCountInHalvesBytes = 4 * 1024 * 1024;

MemoFormat MemoFormatOf(const DbaseHeader& h) {
  switch (h.flavour) {
    case DbaseFlavour::kFoxPro:
    case DbaseFlavour::kVisualFoxPro: return MemoFormat::kFoxPro;
    case DbaseFlavour::kDbase4:
    case DbaseFlavour::kLevel7: return MemoFormat::kDbase4;
    default: return MemoFormat::kDbase3;
  }
}

bool IsMemo(const DbaseField& f) {
  return f.storage == DbaseStorage::kMemoText || f.storage == DbaseStorage::kMemoBinary;
}

// The fields of a record in its bytes; everything but memos decodes from them alone.
class alignas(kRecordFormatAlignment) DbaseRecords final : public RecordFormat {
 public:
  std::vector<DbaseField> fields;
  std::optional<DbaseColumn> nullFlags;
  platform::ByteMap toAnsi;
  bool keepsAscii = false;
  uint32_t recordSize = 0;

  void ToAnsi(uint8_t* bytes, size_t count) const { ConvertBytes(toAnsi, keepsAscii, bytes, count); }
  bool FlagSet(const uint8_t* record, int bit) const {
    if (bit < 0 || !nullFlags || static_cast<uint32_t>(bit / 8) >= nullFlags->length) return false;
    return (record[nullFlags->offset + bit / 8] >> (bit % 8)) & 1;
  }

  size_t RecordSize() const override { return recordSize; }
  bool InRecord(size_t index) const override { return index < fields.size() && !IsMemo(fields[index]); }
  bool ReadField(const uint8_t* record, size_t index, uint8_t* area) const override {
    const DbaseField& f = fields[index];
    const uint8_t* raw;
    uint32_t length;
    return Stored(record, f, raw, length) && f.decode(f, raw, length, area);
  }
  // Characters are measured where they are stored and converted in one copy.
  size_t ReadText(const uint8_t* record, size_t index, uint8_t* area) const override {
    const DbaseField& f = fields[index];
    const uint8_t* raw;
    uint32_t length;
    if (!Stored(record, f, raw, length)) return 0;
    if (f.storage != DbaseStorage::kCharacters && f.storage != DbaseStorage::kVarCharacters) {
      if (!f.decode(f, raw, length, area)) return 0;
      const size_t n = StringLengthInArea(area, f.size);
      ToAnsi(area, n);
      return n;
    }
    return ConvertText(toAnsi, keepsAscii, raw, length, area);
  }

 private:
  // The stored bytes of a field, fewer for a short V / Q value; false for null.
  bool Stored(const uint8_t* record, const DbaseField& f, const uint8_t*& raw, uint32_t& length) const {
    raw = record + f.column.offset;
    length = f.column.length;
    if (nullFlags) {
      if (FlagSet(record, f.nullBit)) return false;
      if (FlagSet(record, f.varLengthBit)) length = std::min<uint32_t>(raw[length - 1], length - 1);
    }
    return true;
  }
};

class DbaseTable : public TableDriver {
 public:
  explicit DbaseTable(const std::string& path);

  const std::vector<FieldDescriptor>& Fields() const override { return descriptors_; }
  int32_t RecordCount() const override { return liveRecords_; }
  bool Next() override;
  bool ReadField(size_t index, uint8_t* area) override;
  size_t ReadText(size_t index, uint8_t* area) override {
    FieldAt(index);
    return records_.ReadText(current_, index, area);
  }
  uint32_t BlobSize(size_t index) override;
  uint32_t ReadBlob(size_t index, uint32_t offset, uint32_t count, uint8_t* dst) override;
  void ToAnsi(uint8_t* bytes, size_t count) const override { records_.ToAnsi(bytes, count); }
  const RecordFormat* Records() const override { return &records_; }
  const uint8_t* CurrentRecord() const override { return current_; }

 private:
  [[noreturn]] void Damaged(const std::string& what) const {
    ThrowEngineError(what + ".", file_.Path());
  }
  void MapColumns();
  void CountLiveRecords();
  // Deletion marks of the records from `first` to `end`, read through `buffer`.
  uint64_t CountDeleted(uint64_t first, uint64_t end, std::vector<uint8_t>& buffer) const;
  // Fills the buffer with the records from `first` (0-based, in file order) on.
  void ReadAhead(uint64_t first);
  const DbaseField& FieldAt(size_t index) const;
  const MemoSpan& Memo(size_t index);

  ReadOnlyFile file_;
  DbaseHeader header_;
  DbaseRecords records_;
  std::vector<FieldDescriptor> descriptors_;
  std::unique_ptr<MemoFile> memo_;
  int32_t liveRecords_ = 0;

  std::vector<uint8_t> buffer_;  // whole records read ahead
  uint64_t bufferFirst_ = 0;     // index of the buffer's first record
  uint64_t bufferCount_ = 0;
  uint64_t next_ = 0;  // index of the record Next looks at first
  const uint8_t* current_ = nullptr;
  bool ended_ = false;

  // Memo values already located, by field index, each with the record it belongs to.
  struct LocatedMemo {
    MemoSpan span;
    uint64_t record = UINT64_MAX;
  };
  std::vector<LocatedMemo> memos_;
};

DbaseTable::DbaseTable(const std::string& path) : file_(path), header_(ReadDbaseHeader(file_)) {
  MapColumns();

  int codePage = 0;
  if (header_.flavour == DbaseFlavour::kLevel7) codePage = LanguageDriverNameCodePage(header_.languageDriverName);
  if (codePage == 0) codePage = LanguageDriverCodePage(header_.languageDriver);
  records_.toAnsi = TableToAnsiMap(codePage, platform::AnsiCodePage());
  records_.keepsAscii = KeepsAscii(records_.toAnsi);
  records_.recordSize = header_.recordSize;

  for (const DbaseField& f : records_.fields) {
    std::string name = f.column.name;
    ToAnsi(reinterpret_cast<uint8_t*>(name.data()), name.size());
    descriptors_.push_back(FieldDescriptor{name, f.type, f.size});
  }

  const std::vector<DbaseField>& fields = records_.fields;
  if (std::any_of(fields.begin(), fields.end(), IsMemo)) memo_ = OpenMemoBeside(path, MemoFormatOf(header_));
  memos_.resize(fields.size());

  const uint64_t room = (file_.Size() - header_.headerSize) / header_.recordSize;
  if (room < header_.recordCount) Damaged("The table file holds fewer records than its header says");
  buffer_.resize(std::max<size_t>(1, kBufferBytes / header_.recordSize) * header_.recordSize);
  CountLiveRecords();
}

// Visual FoxPro numbers the bits of _NullFlags in column order: first a V
// or Q column's "shorter" bit, then a nullable column's null bit.
void DbaseTable::MapColumns() {
  int bit = 0;
  const bool vfp = header_.flavour == DbaseFlavour::kVisualFoxPro;
  for (const DbaseColumn& c : header_.columns) {
    std::string problem;
    std::optional<DbaseField> f = MapDbaseColumn(c, header_.flavour, &problem);
    if (!problem.empty()) Damaged(problem);
    if (!f) continue;
    if (f->storage == DbaseStorage::kNullFlags) {
      records_.nullFlags = c;
      continue;
    }
    if (vfp && (f->storage == DbaseStorage::kVarCharacters || f->storage == DbaseStorage::kVarBinary))
      f->varLengthBit = bit++;
    if (vfp && (c.flags & 0x02)) f->nullBit = bit++;
    records_.fields.push_back(*f);
  }
}

void DbaseTable::CountLiveRecords() {
  const uint64_t records = header_.recordCount;
  uint64_t deleted = 0;
  if (records * header_.recordSize < kCountInHalvesBytes) {
    deleted = CountDeleted(0, records, buffer_);
  } else {
    const uint64_t half = records / 2;
    uint64_t upper = 0;
    std::exception_ptr upperFailure;
    std::thread helper = platform::SignalFreeThread([&] {
      try {
        std::vector<uint8_t> buffer(buffer_.size());
        upper = CountDeleted(half, records, buffer);
      } catch (...) {
        upperFailure = std::current_exception();
      }
    });
    try {
      deleted = CountDeleted(0, half, buffer_);
    } catch (...) {
      helper.join();
      throw;
    }
    helper.join();
    if (upperFailure) std::rethrow_exception(upperFailure);
    deleted += upper;
  }
  const uint64_t live = records - deleted;
  if (live > INT32_MAX) Damaged("The table holds more records than can be counted");
  liveRecords_ = static_cast<int32_t>(live);
}

// Only the deletion marks are looked at, a buffer at a time.
uint64_t DbaseTable::CountDeleted(uint64_t first, uint64_t end, std::vector<uint8_t>& buffer) const {
  const size_t size = header_.recordSize;
  const uint64_t perBuffer = buffer.size() / size;
  uint64_t deleted = 0;
  for (; first < end; first += perBuffer) {
    const uint64_t count = std::min(perBuffer, end - first);
    file_.ReadExactly(header_.headerSize + first * size, static_cast<size_t>(count * size), buffer.data(),
                      "The table file ends inside a record.");
    const uint8_t* const stop = buffer.data() + count * size;
    for (const uint8_t* mark = buffer.data(); mark < stop; mark += size) deleted += *mark == '*';
  }
  return deleted;
}

void DbaseTable::ReadAhead(uint64_t first) {
  bufferFirst_ = first;
  bufferCount_ = std::min<uint64_t>(buffer_.size() / header_.recordSize, header_.recordCount - first);
  const size_t bytes = static_cast<size_t>(bufferCount_ * header_.recordSize);
  file_.ReadExactly(header_.headerSize + first * header_.recordSize, bytes, buffer_.data(),
                    "The table file ends inside a record.");
}

bool DbaseTable::Next() {
  if (ended_) return false;
  while (next_ < header_.recordCount) {
    if (next_ < bufferFirst_ || next_ >= bufferFirst_ + bufferCount_) ReadAhead(next_);
    const uint8_t* record = buffer_.data() + (next_++ - bufferFirst_) * header_.recordSize;
    if (record[0] == '*') continue;
    current_ = record;
    return true;
  }
  current_ = nullptr;
  ended_ = true;
  return false;
}

const DbaseField& DbaseTable::FieldAt(size_t index) const {
  if (index >= records_.fields.size() || !current_) ThrowNoSuchField();
  return records_.fields[index];
}

bool DbaseTable::ReadField(size_t index, uint8_t* area) {
  FieldAt(index);
  return records_.ReadField(current_, index, area);
}

const MemoSpan& DbaseTable::Memo(size_t index) {
  const DbaseField& f = FieldAt(index);
  LocatedMemo& located = memos_[index];
  const uint64_t record = next_ - 1;  // the current one
  if (located.record != record) {
    located.span = MemoSpan{};
    // A table whose memo file is gone shows its memo values as empty.
    if (IsMemo(f) && !records_.FlagSet(current_, f.nullBit) && memo_) {
      const std::optional<uint32_t> block = DbaseMemoBlock(f, current_ + f.column.offset);
      if (!block) memo_->ThrowOutside();
      if (*block != 0) located.span = memo_->Locate(*block);
    }
    located.record = record;
  }
  return located.span;
}

uint32_t DbaseTable::BlobSize(size_t index) { return Memo(index).length; }

uint32_t DbaseTable::ReadBlob(size_t index, uint32_t offset, uint32_t count, uint8_t* dst) {
  const MemoSpan& span = Memo(index);
  if (span.length == 0 || !memo_) return 0;
  return memo_->Read(span, offset, count, dst);
}

}  // namespace

std::unique_ptr<TableDriver> OpenDbaseTable(const std::string& path) { return std::make_unique<DbaseTable>(path); }

}  // namespace merivan::engine
