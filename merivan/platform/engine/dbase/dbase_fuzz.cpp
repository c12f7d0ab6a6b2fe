// libFuzzer target for the dBASE / FoxPro reader. The input is a table file,
// optionally followed by "\n--memo--\n" and the bytes of its memo file; both
// are written to a scratch folder and the table is read to the end.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "merivan/exceptions.h"
#include "merivan/platform/engine/dbase/dbase_table.h"

namespace {

const std::string& ScratchDir() {
  static const std::string dir = [] {
    const auto path = std::filesystem::temp_directory_path() / ("dbase_fuzz." + std::to_string(getpid()));
    std::filesystem::create_directories(path);
    return path.string();
  }();
  return dir;
}

void Put(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace merivan;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string_view marker = "\n--memo--\n";
  const size_t split = input.find(marker);
  const std::string table = ScratchDir() + "/t.dbf";
  Put(table, input.substr(0, split));
  // The reader looks for either memo file name, whatever the version byte says.
  for (const char* ext : {"/t.dbt", "/t.fpt"}) {
    const std::string memo = ScratchDir() + ext;
    if (split != std::string_view::npos)
      Put(memo, input.substr(split + marker.size()));
    else
      std::remove(memo.c_str());
  }
  try {
    auto t = engine::OpenDbaseTable(table);
    std::vector<uint8_t> area(70000), chunk(4096);
    for (int records = 0; t->Next() && records < 100000; ++records) {
      for (size_t i = 0; i < t->Fields().size(); ++i) {
        const engine::FieldDescriptor& f = t->Fields()[i];
        if (IsBlobType(f.type)) {
          const uint32_t n = t->BlobSize(i);
          for (uint32_t at = 0; at < n;) {
            const uint32_t got = t->ReadBlob(i, at, static_cast<uint32_t>(chunk.size()), chunk.data());
            if (got == 0) break;
            at += got;
          }
          continue;
        }
        if (engine::DataAreaSize(f.type, f.size) > area.size()) continue;
        if (t->ReadField(i, area.data()) && f.type == ftString)
          t->ToAnsi(area.data(), std::strlen(reinterpret_cast<char*>(area.data())));
      }
    }
  } catch (const EDBEngineError&) {
    // A damaged table is reported, which is all we ask.
  }
  return 0;
}
