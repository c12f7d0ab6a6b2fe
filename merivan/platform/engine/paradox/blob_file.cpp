#include "merivan/platform/engine/paradox/blob_file.h"

#include <algorithm>
#include <cstring>

#include "merivan/platform/engine/common/engine_error.h"
#include "merivan/platform/engine/common/byte_order.h"
#include "merivan/platform/files/find_file.h"

namespace merivan::engine::paradox {

namespace {

constexpr uint32_t kBlock = 4096;
constexpr uint32_t kSlots = 64;
constexpr uint32_t kSlotTable = 12;                       // first slot
constexpr uint32_t kSlotDataStart = kSlotTable + 5 * kSlots;  // no value may start before this
constexpr uint32_t kSingleHeader = 9;
constexpr uint32_t kGraphicPrefix = 8;
constexpr size_t kChunksAtOnce = 64 * 1024;


}  // namespace

const ReadOnlyFile& BlobFile::File() {
  if (!file_) {
    const auto found = platform::FindBesideIgnoringCase(tablePath_, ".MB");
    if (!found)
      ThrowEngineError("The blob file of the table is missing (looked up ignoring case).",
                       platform::ReplaceExtension(tablePath_, ".MB"));
    file_ = std::make_unique<ReadOnlyFile>(*found);
  }
  return *file_;
}

BlobFile::Span BlobFile::Locate(uint32_t offsetWord, uint32_t length, bool graphic) {
  const ReadOnlyFile& f = File();
  const uint64_t block = offsetWord & ~uint32_t{0xFF};
  const uint32_t index = offsetWord & 0xFF;
  // The message is composed only on failure: this runs for every blob value.
  auto damaged = [&](const std::string& what) {
    ThrowEngineError("Damaged Paradox blob file: a blob reference to offset " + std::to_string(block) + what + ".",
                     f.Path());
  };
  if (block < kBlock || block % kBlock != 0 || block + kBlock > f.Size())
    damaged(" does not name a block of the file");
  uint8_t head[kSlotDataStart];
  if (Read(block, sizeof head, head) != sizeof head) damaged(" names a block past the end");
  Span span{};
  if (index == 0xFF) {
    if (head[0] != 2) damaged(" names a block of type " + std::to_string(head[0]) + ", not a value block");
    const uint32_t stored = Le32(head + 3);
    const uint64_t room = uint64_t{Le16(head + 1)} * kBlock;
    if (stored != length) damaged(" of " + std::to_string(length) + " bytes finds " + std::to_string(stored));
    if (kSingleHeader + uint64_t{length} > room || block + kSingleHeader + length > f.Size())
      damaged(" of " + std::to_string(length) + " bytes runs past its blocks");
    span = {block + kSingleHeader, length};
  } else {
    if (index >= kSlots) damaged(" names slot " + std::to_string(index) + " of 64");
    if (head[0] != 3) damaged(" names a block of type " + std::to_string(head[0]) + ", not a small-value block");
    const uint8_t* slot = head + kSlotTable + 5 * index;
    const uint32_t start = uint32_t{slot[0]} * 16;
    const uint32_t sixteenths = slot[1];
    const uint32_t rest = slot[4];
    if (rest >= 16 || sixteenths == 0) damaged(" names the empty or bad slot " + std::to_string(index));
    const uint32_t stored = rest ? (sixteenths - 1) * 16 + rest : sixteenths * 16;
    if (stored != length) damaged(" of " + std::to_string(length) + " bytes finds " + std::to_string(stored));
    if (start < kSlotDataStart || start + length > kBlock)
      damaged(" names slot " + std::to_string(index) + " lying outside its block");
    span = {block + start, length};
  }
  if (graphic) {
    if (span.size < kGraphicPrefix) damaged(" holds a graphic without its 8-byte prefix");
    span.offset += kGraphicPrefix;
    span.size -= kGraphicPrefix;
  }
  return span;
}

size_t BlobFile::Read(uint64_t offset, size_t count, uint8_t* dst) {
  const ReadOnlyFile& f = File();
  if (!cipher_) return f.ReadAt(offset, count, dst);
  // Whole chunks around the range, up to 64 KB at a time.
  chunks_.resize(kChunksAtOnce);
  size_t done = 0;
  while (done < count) {
    const uint64_t at = offset + done;
    const uint64_t start = at / kCryptChunk * kCryptChunk;
    const uint64_t end = (at + (count - done) + kCryptChunk - 1) / kCryptChunk * kCryptChunk;
    const size_t skip = static_cast<size_t>(at - start);
    const size_t got = f.ReadAt(start, static_cast<size_t>(std::min<uint64_t>(end - start, kChunksAtOnce)), chunks_.data());
    const size_t whole = got / kCryptChunk * kCryptChunk;  // a cut chunk cannot be decrypted
    if (whole <= skip) break;
    cipher_->DecryptBlobChunks(chunks_.data(), whole);
    const size_t n = std::min(count - done, whole - skip);
    std::memcpy(dst + done, chunks_.data() + skip, n);
    done += n;
  }
  return done;
}

}  // namespace merivan::engine::paradox
