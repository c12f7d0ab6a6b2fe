#include "merivan/platform/engine/dbase/dbase_header.h"

#include <cstdio>

#include "merivan/platform/engine/common/byte_order.h"
#include "merivan/platform/engine/common/engine_error.h"

namespace merivan::engine {

namespace {

std::string NameOf(const uint8_t* p, size_t width) {
  size_t n = 0;
  while (n < width && p[n] != 0) ++n;
  return std::string(reinterpret_cast<const char*>(p), n);
}

[[noreturn]] void Damaged(const std::string& what, const ReadOnlyFile& file) {
  ThrowEngineError(what + ".", file.Path());
}

// dBASE II: a fixed 521-byte header of 16-byte descriptors.
void ReadDbase2(const ReadOnlyFile& file, DbaseHeader& h) {
  constexpr uint32_t kHeaderSize = 521;
  if (file.Size() < kHeaderSize) Damaged("The table header is shorter than its format needs", file);
  std::vector<uint8_t> bytes(kHeaderSize);
  file.ReadExactly(0, kHeaderSize, bytes.data(), "Cannot read the table header.");
  h.recordCount = Le16(&bytes[1]);
  h.recordSize = Le16(&bytes[6]);
  h.headerSize = kHeaderSize;
  for (size_t at = 8; at + 16 <= kHeaderSize && bytes[at] != 0x0D; at += 16) {
    DbaseColumn c;
    c.name = NameOf(&bytes[at], 11);
    c.type = static_cast<char>(bytes[at + 11]);
    c.length = bytes[at + 12];
    c.decimals = bytes[at + 15];
    h.columns.push_back(c);
  }
}

// dBASE III and later: 32-byte header, then 32- or 48-byte descriptors ended by 0x0D.
void ReadDbase3On(const ReadOnlyFile& file, DbaseHeader& h) {
  uint8_t fixed[32];
  if (file.Size() < sizeof fixed) Damaged("The file is too short for a table header", file);
  file.ReadExactly(0, sizeof fixed, fixed, "Cannot read the table header.");
  h.recordCount = Le32(&fixed[4]);
  h.headerSize = Le16(&fixed[8]);
  h.recordSize = Le16(&fixed[10]);
  h.languageDriver = fixed[29];
  if (fixed[15] != 0) Damaged("The table is encrypted", file);
  const bool level7 = h.flavour == DbaseFlavour::kLevel7;
  const size_t first = level7 ? 68 : 32;
  const size_t width = level7 ? 48 : 32;
  if (h.headerSize < first + 1 || h.headerSize > file.Size())
    Damaged("The table header size is out of range", file);
  std::vector<uint8_t> bytes(h.headerSize);
  file.ReadExactly(0, bytes.size(), bytes.data(), "Cannot read the table header.");
  if (level7) h.languageDriverName = NameOf(&bytes[32], 32);
  bool ended = false;
  for (size_t at = first; at < bytes.size(); at += width) {
    if (bytes[at] == 0x0D) {
      ended = true;
      break;
    }
    if (at + width > bytes.size()) break;
    const uint8_t* d = &bytes[at];
    DbaseColumn c;
    if (level7) {
      c.name = NameOf(d, 32);
      c.type = static_cast<char>(d[32]);
      c.length = d[33];
      c.decimals = d[34];
    } else {
      c.name = NameOf(d, 11);
      c.type = static_cast<char>(d[11]);
      c.length = d[16];
      c.decimals = d[17];
      if (h.flavour == DbaseFlavour::kVisualFoxPro) c.flags = d[18];
      // FoxPro and Clipper keep character widths above 255 in the decimals byte.
      if (c.type == 'C' && h.flavour != DbaseFlavour::kVisualFoxPro && c.decimals != 0) {
        c.length |= c.decimals << 8;
        c.decimals = 0;
      }
    }
    h.columns.push_back(c);
  }
  if (!ended) Damaged("The field list of the table header has no end mark", file);
}

}  // namespace

bool DbaseFlavourOf(uint8_t version, DbaseFlavour* flavour) {
  switch (version) {
    case 0x02: *flavour = DbaseFlavour::kDbase2; return true;
    case 0x03: case 0x83: *flavour = DbaseFlavour::kDbase3; return true;
    case 0x04: case 0x05: case 0x43: case 0x63: case 0x7B: case 0x8B: case 0xCB: case 0xE5:
      *flavour = DbaseFlavour::kDbase4; return true;
    case 0x8C: *flavour = DbaseFlavour::kLevel7; return true;
    case 0xF5: case 0xFB: *flavour = DbaseFlavour::kFoxPro; return true;
    case 0x30: case 0x31: case 0x32: *flavour = DbaseFlavour::kVisualFoxPro; return true;
    default: return false;
  }
}

DbaseHeader ReadDbaseHeader(const ReadOnlyFile& file) {
  DbaseHeader h;
  if (file.Size() < 1) Damaged("The file is empty", file);
  file.ReadExactly(0, 1, &h.version, "Cannot read the table header.");
  if (!DbaseFlavourOf(h.version, &h.flavour)) {
    char what[80];
    std::snprintf(what, sizeof what, "Not a dBASE or FoxPro table (version byte $%02X)", h.version);
    Damaged(what, file);
  }
  if (h.flavour == DbaseFlavour::kDbase2)
    ReadDbase2(file, h);
  else
    ReadDbase3On(file, h);

  uint32_t offset = 1;  // byte 0 is the deletion mark
  for (DbaseColumn& c : h.columns) {
    c.offset = offset;
    offset += c.length;
  }
  if (h.recordSize == 0 || offset > h.recordSize)
    Damaged("The record size of the table header does not hold its fields", file);
  return h;
}

}  // namespace merivan::engine
