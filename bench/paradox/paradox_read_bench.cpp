// The Paradox reader over the 1,000,000-record table: every record, every
// field decoded, strings converted to ANSI, as the export reads them.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "bench/paradox/million_table.h"
#include "merivan/platform/engine/paradox/paradox_table.h"
#include "merivan/platform/engine/read_every_value.h"

namespace {

std::string TablePath() {
  if (const char* given = std::getenv("BENCH_TABLE")) return given;
  const std::string path = (std::filesystem::temp_directory_path() / "merivan-bench-million.db").string();
  if (!std::filesystem::exists(path)) merivan::bench::WriteMillionTable(path);
  return path;
}

void BM_ReadMillionRecords(benchmark::State& state) {
  const std::string path = TablePath();
  for (auto _ : state) {
    auto table = merivan::engine::OpenParadoxTable(path);
    benchmark::DoNotOptimize(merivan::engine::ReadEveryValue(*table));
    state.counters["records"] = table->RecordCount();
  }
}
BENCHMARK(BM_ReadMillionRecords)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
