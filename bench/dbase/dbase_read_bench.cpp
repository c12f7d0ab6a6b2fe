// The dBASE reader over the 1,000,000-record table: every record, every
// field decoded, strings converted to ANSI, as the export reads them; and
// the opening of the table alone.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "bench/dbase/million_dbase.h"
#include "merivan/platform/engine/dbase/dbase_table.h"
#include "merivan/platform/engine/read_every_value.h"

namespace {

std::string TablePath() {
  if (const char* given = std::getenv("BENCH_TABLE")) return given;
  const std::string path = (std::filesystem::temp_directory_path() / "merivan-bench-million.dbf").string();
  if (!std::filesystem::exists(path)) merivan::bench::WriteMillionDbase(path);
  return path;
}

void BM_ReadMillionDbaseRecords(benchmark::State& state) {
  const std::string path = TablePath();
  for (auto _ : state) {
    auto table = merivan::engine::OpenDbaseTable(path);
    benchmark::DoNotOptimize(merivan::engine::ReadEveryValue(*table));
    state.counters["records"] = table->RecordCount();
  }
}
BENCHMARK(BM_ReadMillionDbaseRecords)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Opening alone: the header and the count of the live records.
void BM_OpenMillionDbaseTable(benchmark::State& state) {
  const std::string path = TablePath();
  for (auto _ : state) {
    auto table = merivan::engine::OpenDbaseTable(path);
    benchmark::DoNotOptimize(table->RecordCount());
  }
}
BENCHMARK(BM_OpenMillionDbaseTable)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
