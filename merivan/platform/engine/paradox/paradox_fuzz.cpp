// libFuzzer target for the Paradox reader. The input is a table file,
// optionally followed by "\n--mb--\n" and the bytes of its .mb file; both
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
#include "merivan/platform/engine/paradox/paradox_table.h"

namespace {

const std::string& ScratchDir() {
  static const std::string dir = [] {
    const auto path = std::filesystem::temp_directory_path() / ("paradox_fuzz." + std::to_string(getpid()));
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
  const std::string_view marker = "\n--mb--\n";
  const size_t split = input.find(marker);
  const std::string db = ScratchDir() + "/t.db", mb = ScratchDir() + "/t.mb";
  Put(db, input.substr(0, split));
  if (split != std::string_view::npos) {
    Put(mb, input.substr(split + marker.size()));
  } else {
    std::remove(mb.c_str());
  }
  try {
    auto t = engine::OpenParadoxTable(db);
    std::vector<uint8_t> area(8200), chunk(4096);
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
        const size_t need = engine::DataAreaSize(f.type, f.size);
        if (need > area.size()) continue;
        if (t->ReadField(i, area.data()) && f.type == ftString) t->ToAnsi(area.data(), std::strlen((char*)area.data()));
      }
    }
  } catch (const EDBEngineError&) {
    // A damaged table is reported, which is all we ask.
  }
  return 0;
}
