#pragma once
// The .mb file beside a Paradox table: blob values too long for their
// record, in 4 KB blocks (a block of its own per value, or shared slots of
// small values). Opened on the first reference that needs it.
#include <cstdint>
#include <memory>
#include <string>

#include "merivan/platform/engine/common/read_only_file.h"

namespace merivan::engine::paradox {

class BlobFile {
 public:
  explicit BlobFile(std::string tablePath) : tablePath_(std::move(tablePath)) {}

  struct Span {
    uint64_t offset;  // of the value's first byte in the .mb file
    uint32_t size;
  };
  // Where the value of a blob reference {offsetWord, length} lies; checks
  // the block and slot it names. A graphic value's 8-byte prefix is left out.
  // Fails with EngineError naming the .mb file.
  Span Locate(uint32_t offsetWord, uint32_t length, bool graphic);

  // Up to `count` bytes at `offset` of the .mb file; the count read.
  size_t Read(uint64_t offset, size_t count, uint8_t* dst);

 private:
  const ReadOnlyFile& File();

  std::string tablePath_;
  std::unique_ptr<ReadOnlyFile> file_;
};

}  // namespace merivan::engine::paradox
