#include "merivan/platform/engine/paradox/paradox_table.h"

#include <string.h>  // explicit_bzero

#include <algorithm>
#include <cstring>
#include <optional>

#include "merivan/platform/engine/common/byte_order.h"
#include "merivan/platform/engine/common/engine_error.h"
#include "merivan/platform/engine/common/read_only_file.h"
#include "merivan/platform/engine/common/table_codepage.h"
#include "merivan/platform/engine/paradox/blob_file.h"
#include "merivan/platform/engine/paradox/block_window.h"
#include "merivan/platform/engine/paradox/field_decode.h"
#include "merivan/platform/engine/paradox/paradox_crypt.h"
#include "merivan/platform/engine/paradox/paradox_header.h"
#include "merivan/platform/locale/codepage.h"

namespace merivan::engine {

namespace {

using namespace paradox;

constexpr uint32_t kBlobRef = 10;  // u32 offset, u32 length, u16 modification number


// The fields of a record in its bytes; everything but blobs decodes from them alone.
class alignas(kRecordFormatAlignment) ParadoxRecords final : public RecordFormat {
 public:
  // What reading a field needs, in one place per field.
  struct FieldSlot {
    FieldDecoder decode;  // null for blob fields
    uint32_t offset;      // in the record
    uint32_t width;
    uint8_t code;
    uint8_t places;       // a BCD field's
    size_t column;        // in the header, for messages
  };

  ParadoxRecords(uint32_t recordSize, platform::ByteMap map)
      : recordSize_(recordSize), map_(std::move(map)), keepsAscii_(KeepsAscii(map_)) {}

  void Add(const FieldSlot& slot) { slots_.push_back(slot); }
  size_t Count() const { return slots_.size(); }
  const FieldSlot& Slot(size_t index) const { return slots_[index]; }
  void ToAnsi(uint8_t* bytes, size_t count) const { ConvertBytes(map_, keepsAscii_, bytes, count); }

  size_t RecordSize() const override { return recordSize_; }
  bool InRecord(size_t index) const override { return index < slots_.size() && slots_[index].decode; }
  bool ReadField(const uint8_t* record, size_t index, uint8_t* area) const override {
    const FieldSlot& f = slots_[index];
    return f.decode(record + f.offset, f.width, f.places, area);
  }
  // Alpha values (the one string type) are measured and converted in one copy.
  size_t ReadText(const uint8_t* record, size_t index, uint8_t* area) const override {
    const FieldSlot& f = slots_[index];
    return ConvertText(map_, keepsAscii_, record + f.offset, f.width, area);
  }

 private:
  uint32_t recordSize_;
  std::vector<FieldSlot> slots_;
  platform::ByteMap map_;
  bool keepsAscii_;
};

class ParadoxTable final : public TableDriver {
 public:
  ParadoxTable(const std::string& path, const Passwords& passwords);

  const std::vector<FieldDescriptor>& Fields() const override { return fields_; }
  int32_t RecordCount() const override { return static_cast<int32_t>(header_.recordCount); }
  bool Next() override;
  bool ReadField(size_t index, uint8_t* area) override;
  size_t ReadText(size_t index, uint8_t* area) override;
  uint32_t BlobSize(size_t index) override { return Blob(index).size; }
  uint32_t ReadBlob(size_t index, uint32_t offset, uint32_t count, uint8_t* dst) override;
  void ToAnsi(uint8_t* bytes, size_t count) const override { records_.ToAnsi(bytes, count); }
  const RecordFormat* Records() const override { return &records_; }
  const uint8_t* CurrentRecord() const override { return record_; }

 private:
  [[noreturn]] void Damaged(const std::string& what) const {
    ThrowEngineError("Damaged Paradox table: " + what + ".", file_.Path());
  }
  using FieldSlot = ParadoxRecords::FieldSlot;
  const FieldSlot& Slot(size_t index) const {
    if (index >= records_.Count() || !record_) ThrowNoSuchField();
    return records_.Slot(index);
  }
  bool EnterBlock(uint32_t k);

  // Where the current record's value of a blob field lies.
  struct BlobValue {
    bool inRecord = true;
    uint64_t offset = 0;  // in the record, or in the .mb file
    uint32_t size = 0;
  };
  const BlobValue& Blob(size_t index);

  ReadOnlyFile file_;
  PxHeader header_;
  std::optional<TableCipher> cipher_;  // a protected table's keys
  std::vector<FieldDescriptor> fields_;
  ParadoxRecords records_;
  BlockWindow window_;
  BlobFile blobs_;

  std::vector<bool> visited_;  // data blocks met on the chain, to catch loops
  uint32_t nextBlock_;
  const uint8_t* record_ = nullptr;
  uint32_t leftInBlock_ = 0;
  uint64_t recordsRead_ = 0;
  bool ended_ = false;

  // The last blob looked up, for the size and read calls that follow it.
  uint64_t blobRecord_ = 0;
  size_t blobIndex_ = 0;
  BlobValue blob_;
};

PxHeader ReadHeader(const ReadOnlyFile& file) {
  std::vector<uint8_t> bytes(static_cast<size_t>(std::min<uint64_t>(file.Size(), kMaxHeaderSize)));
  const size_t got = file.ReadAt(0, bytes.size(), bytes.data());
  return ParseHeader(bytes.data(), got, file.Size(), file.Path());
}

// Whether the first data block reads as a plain block of this table: then
// the words that mark the table protected are damage, as the blocks of a
// protected table read as noise.
bool FirstBlockIsPlain(const ReadOnlyFile& file, const PxHeader& h) {
  if (h.recordCount == 0 || h.firstBlock < 1 || h.firstBlock > h.blocksInFile) return false;
  uint8_t head[6];
  if (file.ReadAt(h.headerSize + uint64_t{h.firstBlock - 1} * h.blockSize, sizeof head, head) != sizeof head)
    return false;
  const uint32_t next = Le16(head), previous = Le16(head + 2);
  const int16_t addDataSize = static_cast<int16_t>(Le16(head + 4));
  return next <= h.blocksInFile && next != h.firstBlock && previous == 0 && addDataSize >= 0 &&
         addDataSize % h.recordSize == 0 && 6 + uint64_t(addDataSize) + h.recordSize <= h.blockSize;
}

// A password in the table's code page, overwritten once checked.
struct PasswordBytes {
  std::string bytes;
  ~PasswordBytes() { explicit_bzero(bytes.data(), bytes.size()); }
};

// The keys of a protected table, made from the first of `passwords` whose
// value is the one the header stores (all 32 bits): the data could be
// decrypted from the header alone, so the check is ours to make. nullopt for
// a plain table.
std::optional<TableCipher> Unlock(const ReadOnlyFile& file, const PxHeader& h, const Passwords& passwords) {
  if (h.passwordValue == 0) return std::nullopt;
  if (FirstBlockIsPlain(file, h))
    ThrowEngineError("Damaged Paradox table: the header marks it password-protected, but its data blocks are "
                     "not encrypted.",
                     file.Path());
  // Typed text is UTF-8; the password is the bytes the table's text is in
  // (3.x tables name no code page: theirs is the user's OEM one).
  const int codePage = h.codePage != 0 ? h.codePage : platform::OemCodePage();
  for (const std::string_view typed : passwords) {
    const PasswordBytes password{platform::Utf8ToCodePage(typed, codePage)};
    if (PasswordValue(password.bytes) == h.passwordValue) return std::make_optional<TableCipher>(password.bytes);
  }
  ThrowPasswordFailure(passwords.empty(), file.Path());
}

ParadoxTable::ParadoxTable(const std::string& path, const Passwords& passwords)
    : file_(path),
      header_(ReadHeader(file_)),
      cipher_(Unlock(file_, header_, passwords)),
      // 3.x tables name no code page: they get the OEM conversion.
      records_(header_.recordSize, TableToAnsiMap(header_.codePage, platform::AnsiCodePage())),
      window_(file_, header_.headerSize, header_.blockSize, header_.blocksInFile, cipher_ ? &*cipher_ : nullptr),
      blobs_(path, cipher_ ? &*cipher_ : nullptr),
      visited_(size_t{header_.blocksInFile} + 1, false),
      nextBlock_(header_.firstBlock) {
  for (size_t i = 0; i < header_.columns.size(); ++i) {
    const PxColumn& c = header_.columns[i];
    const ColumnKind kind = ColumnKindOf(c.code);
    if (kind == ColumnKind::kUnknown) continue;  // a column we cannot type is left out
    std::string name = c.name;
    ToAnsi(reinterpret_cast<uint8_t*>(name.data()), name.size());
    const bool sized = kind == ColumnKind::kString || kind == ColumnKind::kBytes || kind == ColumnKind::kBcd;
    fields_.push_back({std::move(name), kind, sized ? c.sizeByte : 0});
    records_.Add({DecoderOf(c.code), c.offset, c.width, c.code, c.sizeByte, i});
  }
}

bool ParadoxTable::EnterBlock(uint32_t k) {
  if (k > header_.blocksInFile)
    Damaged("a block pointer names block " + std::to_string(k) + " of a file with " +
            std::to_string(header_.blocksInFile) + " blocks");
  if (visited_[k]) Damaged("the chain of data blocks loops back to block " + std::to_string(k));
  visited_[k] = true;
  const uint8_t* block = window_.Block(k);
  nextBlock_ = Le16(block);
  const int16_t addDataSize = static_cast<int16_t>(Le16(block + 4));
  if (addDataSize < 0) return false;
  if (static_cast<uint32_t>(addDataSize) % header_.recordSize != 0)
    Damaged("data block " + std::to_string(k) + " holds a part of a record");
  const uint32_t records = static_cast<uint32_t>(addDataSize) / header_.recordSize + 1;
  if (6 + uint64_t{records} * header_.recordSize > header_.blockSize)
    Damaged("data block " + std::to_string(k) + " claims more records than it can hold");
  record_ = block + 6;
  leftInBlock_ = records - 1;
  return true;
}

bool ParadoxTable::Next() {
  if (ended_) return false;
  if (leftInBlock_ > 0) {
    record_ += header_.recordSize;
    --leftInBlock_;
  } else {
    for (;;) {
      if (nextBlock_ == 0) {
        ended_ = true;
        record_ = nullptr;
        if (recordsRead_ != header_.recordCount)
          Damaged("the header counts " + std::to_string(header_.recordCount) + " records, the data blocks hold " +
                  std::to_string(recordsRead_));
        return false;
      }
      if (EnterBlock(nextBlock_)) break;
    }
  }
  if (++recordsRead_ > header_.recordCount) {
    ended_ = true;
    record_ = nullptr;
    Damaged("the data blocks hold more than the " + std::to_string(header_.recordCount) +
            " records the header counts");
  }
  return true;
}

bool ParadoxTable::ReadField(size_t index, uint8_t* area) {
  const FieldSlot& f = Slot(index);
  if (!f.decode) return Blob(index).size > 0;
  return records_.ReadField(record_, index, area);
}

size_t ParadoxTable::ReadText(size_t index, uint8_t* area) {
  if (Slot(index).code != kPxAlpha) return TableDriver::ReadText(index, area);
  return records_.ReadText(record_, index, area);
}

const ParadoxTable::BlobValue& ParadoxTable::Blob(size_t index) {
  const FieldSlot& c = Slot(index);
  if (c.decode) ThrowNoSuchField();
  if (blobRecord_ == recordsRead_ && blobIndex_ == index) return blob_;
  const uint32_t leader = c.width - kBlobRef;
  const uint8_t* ref = record_ + c.offset + leader;
  const uint32_t offsetWord = Le32(ref);
  const uint32_t length = Le32(ref + 4);
  BlobValue value;
  if (length == 0) {
    value = {true, 0, 0};
  } else if (offsetWord == 0) {
    // A value that fits its record lies there whole; only .mb copies of
    // graphics carry the 8-byte prefix.
    if (length > leader)
      Damaged("a blob of field " + std::to_string(c.column + 1) + " claims " + std::to_string(length) +
              " bytes in a record that holds " + std::to_string(leader));
    value = {true, c.offset, length};
  } else {
    const BlobFile::Span span = blobs_.Locate(offsetWord, length, c.code == kPxGraphic);
    value = {false, span.offset, span.size};
  }
  blob_ = value;
  blobRecord_ = recordsRead_;
  blobIndex_ = index;
  return blob_;
}

uint32_t ParadoxTable::ReadBlob(size_t index, uint32_t offset, uint32_t count, uint8_t* dst) {
  const BlobValue& b = Blob(index);
  if (offset >= b.size) return 0;
  const uint32_t n = std::min(count, b.size - offset);
  if (b.inRecord) {
    std::memcpy(dst, record_ + b.offset + offset, n);
    return n;
  }
  return static_cast<uint32_t>(blobs_.Read(b.offset + offset, n, dst));
}

}  // namespace

std::unique_ptr<TableDriver> OpenParadoxTable(const std::string& path, const Passwords& passwords) {
  return std::make_unique<ParadoxTable>(path, passwords);
}

}  // namespace merivan::engine
