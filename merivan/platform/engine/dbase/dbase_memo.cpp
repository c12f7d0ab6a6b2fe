#include "merivan/platform/engine/dbase/dbase_memo.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "merivan/platform/engine/common/byte_order.h"
#include "merivan/platform/engine/common/engine_error.h"
#include "merivan/platform/files/find_file.h"

namespace merivan::engine {

namespace {
// Every memo file starts with a header of this many bytes, inside block 0.
constexpr uint32_t kHeaderSize = 32;
}  // namespace

MemoFile::MemoFile(const std::string& path, MemoFormat format) : file_(path), format_(format) {
  uint8_t header[kHeaderSize] = {};
  file_.ReadExactly(0, sizeof header, header, "The memo file is too short for its header.");
  if (format_ == MemoFormat::kFoxPro) {
    blockSize_ = static_cast<uint32_t>(BigEndian(header + 6, 2));
  } else if (format_ == MemoFormat::kDbase4) {
    blockSize_ = Le16(header + 20);
    if (blockSize_ == 0) blockSize_ = 512;
  }
  if (blockSize_ == 0) ThrowEngineError("The memo file header gives a block size of 0.", path);
}

void MemoFile::ThrowOutside() const { ThrowEngineError("A memo value lies outside the memo file.", file_.Path()); }

MemoSpan MemoFile::Locate(uint32_t block) {
  const uint64_t start = static_cast<uint64_t>(block) * blockSize_;
  // Block 0 holds the header, so no value starts inside it.
  if (start < kHeaderSize || start >= file_.Size()) ThrowOutside();
  uint8_t head[8];
  const bool full = file_.ReadAt(start, sizeof head, head) == sizeof head;
  MemoSpan span;
  if (format_ == MemoFormat::kFoxPro) {
    if (!full) ThrowEngineError("A memo block header is cut short.", file_.Path());
    span.offset = start + 8;
    span.length = static_cast<uint32_t>(BigEndian(head + 4, 4));
  } else if (full && head[0] == 0xFF && head[1] == 0xFF && head[2] == 0x08 && head[3] == 0x00) {
    const uint32_t stored = Le32(head + 4);
    if (stored < 8) ThrowEngineError("A memo value has an invalid length.", file_.Path());
    span.offset = start + 8;
    span.length = stored - 8;
  } else {
    return LocateDbase3(start);
  }
  if (span.length > file_.Size() - span.offset)
    ThrowEngineError("A memo value runs past the end of the memo file.", file_.Path());
  return span;
}

// dBASE III values carry no length: they end at the first 0x1A 0x1A (or at a
// lone 0x1A that ends the file). Most end inside their first block, so the
// search reads one block, then doubles its reads up to 64 KB.
MemoSpan MemoFile::LocateDbase3(uint64_t start) {
  constexpr size_t kMaxRead = 64 * 1024;
  size_t want = std::min<size_t>(blockSize_, kMaxRead);
  uint64_t at = start;
  bool pendingEnd = false;  // the previous read ended in 0x1A
  while (at < file_.Size()) {
    if (scan_.size() < want) scan_.resize(want);
    const uint8_t* chunk = scan_.data();
    const size_t n = file_.ReadAt(at, want, scan_.data());
    if (n == 0) break;
    want = std::min(want * 2, kMaxRead);
    if (pendingEnd && chunk[0] == 0x1A) return MemoSpan{start, static_cast<uint32_t>(at - 1 - start)};
    for (size_t i = 0; i + 1 < n; ++i)
      if (chunk[i] == 0x1A && chunk[i + 1] == 0x1A) {
        const uint64_t length = at + i - start;
        if (length > UINT32_MAX) break;
        return MemoSpan{start, static_cast<uint32_t>(length)};
      }
    pendingEnd = chunk[n - 1] == 0x1A;
    at += n;
    if (at - start > UINT32_MAX) break;
  }
  if (pendingEnd) return MemoSpan{start, static_cast<uint32_t>(file_.Size() - 1 - start)};
  ThrowEngineError("A memo value has no end mark.", file_.Path());
}

uint32_t MemoFile::Read(const MemoSpan& span, uint32_t offset, uint32_t count, uint8_t* dst) const {
  if (offset >= span.length) return 0;
  const uint32_t n = std::min(count, span.length - offset);
  return static_cast<uint32_t>(file_.ReadAt(span.offset + offset, n, dst));
}

std::unique_ptr<MemoFile> OpenMemoBeside(const std::string& tablePath, MemoFormat format) {
  const char* first = format == MemoFormat::kFoxPro ? ".fpt" : ".dbt";
  const char* second = format == MemoFormat::kFoxPro ? ".dbt" : ".fpt";
  for (const char* ext : {first, second}) {
    if (auto found = platform::FindBesideIgnoringCase(tablePath, ext)) {
      const bool fox = std::strcmp(ext, ".fpt") == 0;
      // A FoxPro table with a .dbt beside it reads the .dbt as dBASE IV.
      const MemoFormat actual =
          fox ? MemoFormat::kFoxPro : (format == MemoFormat::kFoxPro ? MemoFormat::kDbase4 : format);
      return std::make_unique<MemoFile>(*found, actual);
    }
  }
  return nullptr;
}

}  // namespace merivan::engine
