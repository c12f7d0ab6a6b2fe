#include "merivan/platform/locale/dbcs.h"

namespace merivan::platform {

namespace {

struct LeadRange {
  int codePage;
  unsigned char first;
  unsigned char last;
};

// Shift-JIS leaves 0xA0-0xDF to single-byte katakana; the other three use
// the whole upper half, user-defined rows included.
constexpr LeadRange kLeadRanges[] = {
    {932, 0x81, 0x9F}, {932, 0xE0, 0xFC}, {936, 0x81, 0xFE}, {949, 0x81, 0xFE}, {950, 0x81, 0xFE},
};

}  // namespace

bool IsDoubleByteCodePage(int codePage) {
  for (const auto& r : kLeadRanges)
    if (r.codePage == codePage) return true;
  return false;
}

std::bitset<256> LeadBytesOf(int codePage) {
  std::bitset<256> lead;
  for (const auto& r : kLeadRanges)
    if (r.codePage == codePage)
      for (int b = r.first; b <= r.last; ++b) lead.set(b);
  return lead;
}

}  // namespace merivan::platform
