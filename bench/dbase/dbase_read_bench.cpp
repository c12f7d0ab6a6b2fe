// The dBASE reader over the 1,000,000-record table: every record, every
// field decoded, strings converted to ANSI, as the export reads them.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "bench/dbase/million_dbase.h"
#include "merivan/platform/engine/dbase/dbase_table.h"

namespace {

const std::string& MillionTable() {
  static const std::string path = [] {
    const char* given = std::getenv("BENCH_TABLE");
    const std::string p =
        given ? std::string(given) : (std::filesystem::temp_directory_path() / "merivan-bench-million.dbf").string();
    if (!std::filesystem::exists(p)) merivan::bench::WriteMillionDbase(p);
    return p;
  }();
  return path;
}

void BM_ReadMillionDbaseRecords(benchmark::State& state) {
  const std::string& path = MillionTable();
  for (auto _ : state) {
    auto table = merivan::engine::OpenDbaseTable(path);
    const auto& fields = table->Fields();
    std::vector<uint8_t> area(64);
    int64_t records = 0, present = 0;
    while (table->Next()) {
      ++records;
      for (size_t i = 0; i < fields.size(); ++i) {
        if (!table->ReadField(i, area.data())) continue;
        ++present;
        if (fields[i].type == merivan::ftString)
          table->ToAnsi(area.data(), std::strlen(reinterpret_cast<char*>(area.data())));
      }
    }
    benchmark::DoNotOptimize(present);
    state.counters["records"] = static_cast<double>(records);
  }
}
BENCHMARK(BM_ReadMillionDbaseRecords)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
