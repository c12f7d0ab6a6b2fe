#pragma once
// The memo file beside a dBASE / FoxPro table: .dbt of dBASE III (values
// ended by 0x1A 0x1A), .dbt of dBASE IV and level 7 (values with a length
// prefix) and .fpt of FoxPro (big-endian block headers).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "merivan/platform/engine/common/read_only_file.h"

namespace merivan::engine {

enum class MemoFormat { kDbase3, kDbase4, kFoxPro };

// Where a memo value lies in its file.
struct MemoSpan {
  uint64_t offset = 0;
  uint32_t length = 0;
};

class MemoFile {
 public:
  // Reads the memo file's header; fails with EngineError naming the file.
  MemoFile(const std::string& path, MemoFormat format);

  // The value stored from `block` on; fails when it lies outside the file.
  MemoSpan Locate(uint32_t block);
  // Fails as Locate does for a block outside the file: for a pointer that
  // names no block at all.
  [[noreturn]] void ThrowOutside() const;
  // Reads up to `count` bytes of `span` from `offset`; returns the count read.
  uint32_t Read(const MemoSpan& span, uint32_t offset, uint32_t count, uint8_t* dst) const;

 private:
  MemoSpan LocateDbase3(uint64_t start);
  ReadOnlyFile file_;
  MemoFormat format_;
  uint32_t blockSize_ = 512;
  std::vector<uint8_t> scan_;  // dBASE III end-mark search, kept for the next value
};

// The memo file of the table at `tablePath` (same base name, extension
// .dbt or .fpt in any case), or nullptr when there is none.
std::unique_ptr<MemoFile> OpenMemoBeside(const std::string& tablePath, MemoFormat format);

}  // namespace merivan::engine
