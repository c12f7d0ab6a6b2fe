#pragma once
// The header of a Paradox table (.db), versions 3.0 to 7.x: the record and
// block geometry, the field descriptors and names, code page, encryption.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace merivan::engine::paradox {

// Field type codes of the file.
enum PxFieldCode : uint8_t {
  kPxAlpha = 0x01,
  kPxDate = 0x02,
  kPxShort = 0x03,
  kPxLong = 0x04,
  kPxCurrency = 0x05,
  kPxNumber = 0x06,
  kPxLogical = 0x09,
  kPxMemo = 0x0C,
  kPxBlob = 0x0D,
  kPxFmtMemo = 0x0E,
  kPxOle = 0x0F,
  kPxGraphic = 0x10,
  kPxTime = 0x14,
  kPxTimestamp = 0x15,
  kPxAutoInc = 0x16,
  kPxBcd = 0x17,
  kPxBytes = 0x18,
};

struct PxColumn {
  uint8_t code;      // field type code; unknown codes are kept (and skipped by the reader)
  uint8_t sizeByte;  // the descriptor's size: width, or decimal places for BCD
  uint32_t offset;   // in the record
  uint32_t width;    // bytes in the record
  std::string name;  // in the table's code page
};

struct PxHeader {
  uint32_t recordSize = 0;
  uint32_t headerSize = 0;
  uint32_t blockSize = 0;
  uint32_t recordCount = 0;
  uint32_t firstBlock = 0;
  uint32_t blocksInFile = 0;  // whole data blocks the file holds
  int version = 0;            // the version byte (3 = 3.0 ... 0x0C = 7.x)
  int codePage = 0;           // 0 for 3.x tables, which store none
  uint32_t passwordValue = 0;  // the value of the table's password; 0 for a plain table
  std::vector<PxColumn> columns;
};

// The largest header a table can declare (its size is a 16-bit word).
constexpr size_t kMaxHeaderSize = 0xFFFF;

// Parses and checks the header. `data` holds the file's first `available`
// bytes (all of them or at least kMaxHeaderSize); `path` names the file in
// messages. Fails with EngineError on anything a table cannot be, an
// encryption word that no password can give included. The header of a
// protected table is plain: it parses like any other.
PxHeader ParseHeader(const uint8_t* data, size_t available, uint64_t fileSize, const std::string& path);

// Record bytes of a known type code, 0 when the descriptor's size gives it.
uint32_t FixedWidth(uint8_t code);
// Inline: the reader asks it for every value.
inline bool IsBlobCode(uint8_t code) {
  return code == kPxMemo || code == kPxBlob || code == kPxFmtMemo || code == kPxOle || code == kPxGraphic;
}

}  // namespace merivan::engine::paradox
