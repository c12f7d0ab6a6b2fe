#pragma once
// The .mb file beside a Paradox table: blob values too long for their
// record, in 4 KB blocks (a block of its own per value, or shared slots of
// small values). Opened on the first reference that needs it. The .mb of a
// protected table is encrypted whole, in 256-byte chunks.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "merivan/platform/engine/common/read_only_file.h"
#include "merivan/platform/engine/paradox/paradox_crypt.h"

namespace merivan::engine::paradox {

class BlobFile {
 public:
  // `cipher` (null for a plain table) must outlive the blob file.
  BlobFile(std::string tablePath, const TableCipher* cipher) : tablePath_(std::move(tablePath)), cipher_(cipher) {}

  struct Span {
    uint64_t offset;  // of the value's first byte in the .mb file
    uint32_t size;
  };
  // Where the value of a blob reference {offsetWord, length} lies; checks
  // the block and slot it names. A graphic value's 8-byte prefix is left out.
  // Fails with EngineError naming the .mb file.
  Span Locate(uint32_t offsetWord, uint32_t length, bool graphic);

  // Up to `count` bytes at `offset` of the .mb file, decrypted; the count
  // read (short only at the end of the file).
  size_t Read(uint64_t offset, size_t count, uint8_t* dst);

 private:
  const ReadOnlyFile& File();

  std::string tablePath_;
  const TableCipher* cipher_;
  std::unique_ptr<ReadOnlyFile> file_;
  std::vector<uint8_t> chunks_;  // whole chunks read for decryption
};

}  // namespace merivan::engine::paradox
