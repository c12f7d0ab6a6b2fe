#include "merivan/platform/engine/paradox/paradox_header.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "merivan/platform/engine/common/engine_error.h"
#include "merivan/platform/engine/common/byte_order.h"

namespace merivan::engine::paradox {

namespace {


constexpr uint32_t kPlainMarker = 0xFF00FF00u;  // encryption word 1 of every 4.x+ table
constexpr size_t kBlockHeader = 6;

std::string Hex32(uint32_t v) {
  char text[11];
  std::snprintf(text, sizeof text, "0x%08X", v);
  return text;
}

// The stored value of the password: at 0x25 in 3.x tables; from 4.x on 0x25
// holds a fixed mark and the value is at 0x5C. A word no table can hold is
// damage, not a password that nobody could type.
template <typename Damaged>
uint32_t PasswordValueOf(const uint8_t* data, bool v4, Damaged damaged) {
  const uint32_t word1 = Le32(data + 0x25);
  if (v4 && word1 != kPlainMarker && word1 != 0)
    damaged("the encryption mark at offset 0x25 reads " + Hex32(word1) + " instead of " + Hex32(kPlainMarker));
  const uint32_t value = v4 && word1 == kPlainMarker ? Le32(data + 0x5C) : word1;
  // A password's value has its upper half never 0.
  if (value != 0 && (value >> 16) == 0)
    damaged("the encryption word " + Hex32(value) + " is not the value of any password");
  return value;
}

bool IsKnownCode(uint8_t code) {
  switch (code) {
    case kPxAlpha: case kPxDate: case kPxShort: case kPxLong: case kPxCurrency: case kPxNumber:
    case kPxLogical: case kPxMemo: case kPxBlob: case kPxFmtMemo: case kPxOle: case kPxGraphic:
    case kPxTime: case kPxTimestamp: case kPxAutoInc: case kPxBcd: case kPxBytes:
      return true;
    default:
      return false;
  }
}

}  // namespace

uint32_t FixedWidth(uint8_t code) {
  switch (code) {
    case kPxDate: case kPxLong: case kPxTime: case kPxAutoInc: return 4;
    case kPxShort: return 2;
    case kPxCurrency: case kPxNumber: case kPxTimestamp: return 8;
    case kPxLogical: return 1;
    case kPxBcd: return 17;
    default: return 0;
  }
}

PxHeader ParseHeader(const uint8_t* data, size_t available, uint64_t fileSize, const std::string& path) {
  auto damaged = [&](const std::string& what) { ThrowEngineError("Damaged Paradox table: " + what + ".", path); };
  if (fileSize < 0x58 || available < 0x58) damaged("the file is too short for a table header");
  PxHeader h;
  h.recordSize = Le16(data + 0x00);
  h.headerSize = Le16(data + 0x02);
  const uint8_t fileType = data[0x04];
  h.version = data[0x39];
  if (fileType != 0 && fileType != 2)
    ThrowEngineError("Not a Paradox table (file type " + std::to_string(fileType) +
                         "; index files cannot be opened as tables).", path);
  if (h.version < 3 || h.version > 0x0C)
    ThrowEngineError("Not a Paradox table of a known version (version byte " + std::to_string(h.version) + ").",
                     path);
  const bool v4 = h.version >= 5;
  const size_t descriptors = v4 ? 0x78 : 0x58;
  if (h.headerSize < descriptors || h.headerSize > fileSize || h.headerSize > available)
    damaged("the header size " + std::to_string(h.headerSize) + " does not fit the file");

  h.passwordValue = PasswordValueOf(data, v4, damaged);
  h.codePage = v4 ? static_cast<int>(Le16(data + 0x6A)) : 0;

  const uint32_t blockKb = data[0x05];
  if (blockKb < 1 || blockKb > 32) damaged("the block size of " + std::to_string(blockKb) + " KB is impossible");
  h.blockSize = blockKb * 1024;
  if (h.recordSize < 1 || h.recordSize > h.blockSize - kBlockHeader)
    damaged("the record size " + std::to_string(h.recordSize) + " does not fit a block of " +
            std::to_string(h.blockSize) + " bytes");
  h.blocksInFile = static_cast<uint32_t>(std::min<uint64_t>((fileSize - h.headerSize) / h.blockSize, 0xFFFF));
  h.recordCount = Le32(data + 0x06);
  const uint64_t capacity = uint64_t{h.blocksInFile} * ((h.blockSize - kBlockHeader) / h.recordSize);
  if (h.recordCount > capacity || h.recordCount > 0x7FFFFFFFu)
    damaged("the header counts " + std::to_string(h.recordCount) + " records, the file holds at most " +
            std::to_string(capacity));
  h.firstBlock = Le16(data + 0x0E);

  const size_t n = Le16(data + 0x21);
  if (n < 1 || n > 255) damaged("the header declares " + std::to_string(n) + " fields");
  size_t pos = descriptors;
  if (pos + 2 * n > h.headerSize) damaged("the field descriptors run past the header");
  uint32_t offset = 0;
  h.columns.resize(n);
  for (size_t i = 0; i < n; ++i) {
    PxColumn& c = h.columns[i];
    c.code = data[pos + 2 * i];
    c.sizeByte = data[pos + 2 * i + 1];
    const uint32_t fixed = FixedWidth(c.code);
    c.width = fixed ? fixed : c.sizeByte;
    const std::string which = "field " + std::to_string(i + 1);
    if (fixed && c.code != kPxBcd && c.sizeByte != fixed)
      damaged(which + " of type " + std::to_string(c.code) + " has size " + std::to_string(c.sizeByte) +
              " instead of " + std::to_string(fixed));
    if (IsBlobCode(c.code) && c.width < 10)
      damaged(which + " is a blob of " + std::to_string(c.width) + " bytes, too small for its reference");
    if (!IsKnownCode(c.code) && c.width == 0) damaged(which + " has the unknown type " + std::to_string(c.code));
    c.offset = offset;
    offset += c.width;
  }
  if (offset != h.recordSize)
    damaged("the fields take " + std::to_string(offset) + " bytes but a record has " +
            std::to_string(h.recordSize));

  pos += 2 * n + 4 + 4 * n + (h.version >= 0x0C ? 261 : 79);
  for (size_t i = 0; i < n; ++i) {
    if (pos >= h.headerSize) damaged("the field names run past the header");
    const void* end = std::memchr(data + pos, 0, h.headerSize - pos);
    if (!end) damaged("the field names run past the header");
    const size_t len = static_cast<const uint8_t*>(end) - (data + pos);
    h.columns[i].name.assign(reinterpret_cast<const char*>(data + pos), len);
    pos += len + 1;
  }
  return h;
}

}  // namespace merivan::engine::paradox
