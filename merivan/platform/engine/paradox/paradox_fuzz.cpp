// libFuzzer target for the Paradox reader. The input is a table file,
// optionally followed by "\n--mb--\n" and the bytes of its .mb file; both
// are written to a scratch folder and the table is read to the end.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>

#include "merivan/platform/engine/common/engine_error.h"
#include "merivan/platform/engine/paradox/paradox_table.h"
#include "merivan/platform/engine/read_every_value.h"
#include "tests/support/temp_dir.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const merivan::testing::TempDir scratch;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string_view marker = "\n--mb--\n";
  const size_t split = input.find(marker);
  const std::string table = scratch / "t.db", blobs = scratch / "t.mb";
  std::ofstream(table, std::ios::binary | std::ios::trunc) << input.substr(0, split);
  if (split != std::string_view::npos)
    std::ofstream(blobs, std::ios::binary | std::ios::trunc) << input.substr(split + marker.size());
  else
    std::remove(blobs.c_str());
  try {
    auto t = merivan::engine::OpenParadoxTable(table);
    merivan::engine::ReadEveryValue(*t, 100000);
  } catch (const merivan::engine::EngineError&) {
    // A damaged table is reported, which is all we ask.
  }
  return 0;
}
