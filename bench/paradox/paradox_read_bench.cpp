// The Paradox reader over the 1,000,000-record table: every record, every
// field decoded, strings converted to ANSI, as the export reads them; the
// plain table beside its copy protected by a password.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "bench/paradox/million_table.h"
#include "merivan/platform/engine/paradox/paradox_table.h"
#include "merivan/platform/engine/read_every_value.h"

namespace {

// BENCH_TABLE, or a table in the temporary folder written on first use; the
// protected copy lies beside it with "-protected" before the extension.
std::string TablePath(bool protect) {
  const char* given = std::getenv("BENCH_TABLE");
  std::string path = given ? given : (std::filesystem::temp_directory_path() / "merivan-bench-million.db").string();
  if (protect) path.insert(path.rfind('.'), "-protected");
  if (!std::filesystem::exists(path))
    merivan::bench::WriteMillionTable(path, merivan::bench::kMillion, protect ? merivan::bench::kBenchPassword : "");
  return path;
}

void BM_ReadMillionRecords(benchmark::State& state) {
  const bool protect = state.range(0) != 0;
  const std::string path = TablePath(protect);
  for (auto _ : state) {
    auto table = merivan::engine::OpenParadoxTable(path, {merivan::bench::kBenchPassword});
    benchmark::DoNotOptimize(merivan::engine::ReadEveryValue(*table));
    state.counters["records"] = table->RecordCount();
  }
  state.SetLabel(protect ? "protected" : "plain");
}
BENCHMARK(BM_ReadMillionRecords)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
