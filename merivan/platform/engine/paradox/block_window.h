#pragma once
// Data blocks of a table read through one window of consecutive blocks, so a
// table whose blocks follow each other in the file costs one read per 256 KB
// while memory stays fixed whatever the table's size. Blocks of a protected
// table are decrypted as they are first asked for.
#include <cstdint>
#include <vector>

#include "merivan/platform/engine/common/read_only_file.h"
#include "merivan/platform/engine/paradox/paradox_crypt.h"

namespace merivan::engine::paradox {

class BlockWindow {
 public:
  // `cipher` (null for a plain table) must outlive the window.
  BlockWindow(const ReadOnlyFile& file, uint32_t headerSize, uint32_t blockSize, uint32_t blocksInFile,
              const TableCipher* cipher);

  // Block `k` (1-based, 1 <= k <= blocksInFile): blockSize bytes, valid
  // until the next call. Fails with EngineError if the file shrank.
  const uint8_t* Block(uint32_t k);

 private:
  const ReadOnlyFile& file_;
  uint32_t headerSize_, blockSize_, blocksInFile_;
  uint32_t perWindow_;
  const TableCipher* cipher_;
  std::vector<uint8_t> buffer_;
  std::vector<bool> decrypted_;  // per block of the window
  uint32_t first_ = 0, count_ = 0;  // blocks held: first_ .. first_ + count_ - 1
};

}  // namespace merivan::engine::paradox
