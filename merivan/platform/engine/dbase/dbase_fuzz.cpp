// libFuzzer target for the dBASE / FoxPro reader. The input is a table file,
// optionally followed by "\n--memo--\n" and the bytes of its memo file; both
// are written to a scratch folder and the table is read to the end.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>

#include "merivan/platform/engine/common/engine_error.h"
#include "merivan/platform/engine/dbase/dbase_table.h"
#include "merivan/platform/engine/read_every_value.h"
#include "tests/support/temp_dir.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const merivan::testing::TempDir scratch;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string_view marker = "\n--memo--\n";
  const size_t split = input.find(marker);
  const std::string table = scratch / "t.dbf";
  std::ofstream(table, std::ios::binary | std::ios::trunc) << input.substr(0, split);
  // The reader looks for either memo file name, whatever the version byte says.
  for (const char* name : {"t.dbt", "t.fpt"}) {
    if (split != std::string_view::npos)
      std::ofstream(scratch / name, std::ios::binary | std::ios::trunc) << input.substr(split + marker.size());
    else
      std::remove((scratch / name).c_str());
  }
  try {
    auto t = merivan::engine::OpenDbaseTable(table);
    merivan::engine::ReadEveryValue(*t, 100000);
  } catch (const merivan::engine::EngineError&) {
    // A damaged table is reported, which is all we ask.
  }
  return 0;
}
