#include "merivan/platform/locale/ansi_case.h"

#include <gtest/gtest.h>

namespace merivan::platform {
namespace {

TEST(LowerCaseMap, FoldsTheLettersOfEachCodePageAndNothingElse) {
  const ByteMap cp1250 = LowerCaseMapOf(1250);
  const ByteMap cp1252 = LowerCaseMapOf(1252);
  struct Case {
    const ByteMap& map;
    uint8_t in, out;
  } cases[] = {
      {cp1250, 'A', 'a'},   {cp1250, 'z', 'z'},   {cp1250, '_', '_'},   {cp1250, '1', '1'},
      {cp1250, 0xC8, 0xE8},  // Č -> č
      {cp1250, 0xD8, 0xF8},  // Ř -> ř
      {cp1250, 0x8A, 0x9A},  // Š -> š
      {cp1250, 0xE8, 0xE8},  // č stays
      {cp1250, 0xA0, 0xA0},  // no-break space has no case
      {cp1250, 0x81, 0x81},  // unassigned stays
      {cp1252, 0xC8, 0xE8},  // È -> è
      {cp1252, 0xD7, 0xD7},  // × has no case
  };
  for (const auto& c : cases) EXPECT_EQ(c.map[c.in], c.out) << std::hex << int(c.in);
}

}  // namespace
}  // namespace merivan::platform
