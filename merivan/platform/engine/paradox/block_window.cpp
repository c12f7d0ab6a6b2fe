#include "merivan/platform/engine/paradox/block_window.h"

#include <algorithm>

#include "merivan/platform/engine/common/engine_error.h"

namespace merivan::engine::paradox {

namespace {
constexpr uint32_t kWindowBytes = 256 * 1024;
}

BlockWindow::BlockWindow(const ReadOnlyFile& file, uint32_t headerSize, uint32_t blockSize, uint32_t blocksInFile,
                         const TableCipher* cipher)
    : file_(file),
      headerSize_(headerSize),
      blockSize_(blockSize),
      blocksInFile_(blocksInFile),
      perWindow_(std::max<uint32_t>(1, kWindowBytes / blockSize)),
      cipher_(cipher) {
  buffer_.resize(size_t{perWindow_} * blockSize_);
  decrypted_.resize(perWindow_);
}

const uint8_t* BlockWindow::Block(uint32_t k) {
  if (k < first_ || k >= first_ + count_) {
    const uint32_t count = std::min(perWindow_, blocksInFile_ - k + 1);
    const size_t bytes = size_t{count} * blockSize_;
    const uint64_t offset = headerSize_ + uint64_t{k - 1} * blockSize_;
    const size_t got = file_.ReadAt(offset, bytes, buffer_.data());
    if (got < blockSize_) {
      count_ = 0;
      ThrowEngineError("Damaged Paradox table: data block " + std::to_string(k) + " is cut short.", file_.Path());
    }
    first_ = k;
    count_ = static_cast<uint32_t>(got / blockSize_);
    std::fill(decrypted_.begin(), decrypted_.end(), false);
  }
  const uint32_t slot = k - first_;
  uint8_t* block = &buffer_[size_t{slot} * blockSize_];
  // A chain that jumps about reads windows it uses one block of: each block
  // is decrypted only when asked for.
  if (cipher_ && !decrypted_[slot]) {
    cipher_->DecryptBlock(block, blockSize_, k);
    decrypted_[slot] = true;
  }
  return block;
}

}  // namespace merivan::engine::paradox
