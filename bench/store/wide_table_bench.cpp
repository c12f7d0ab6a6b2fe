// Opening a table and looking up every one of its fields by name, as the
// export does on its first record: the cost per column must not grow with
// the number of columns.
#include <benchmark/benchmark.h>

#include <string>

#include "merivan/store/fake_table_driver.h"
#include "merivan/store/ttable.h"

namespace {

using merivan::testing::FakeTable;

FakeTable WideTable(int columns) {
  FakeTable t;
  std::vector<merivan::testing::FakeValue> record;
  for (int i = 0; i < columns; ++i) {
    t.fields.push_back({"Column" + std::to_string(i), merivan::ftInteger, 0});
    record.push_back(merivan::testing::Bytes<int32_t>(i));
  }
  t.records = {record};
  return t;
}

void BM_LookUpEveryColumn(benchmark::State& state) {
  const int columns = static_cast<int>(state.range(0));
  const FakeTable t = WideTable(columns);
  std::vector<std::string> names;
  for (int i = 0; i < columns; ++i) names.push_back("COLUMN" + std::to_string(i));
  for (auto _ : state) {
    merivan::TTable table;
    table.SetTableName("wide.txt");
    table.SetDriverOpener([&t](const std::string&, const std::string&, const merivan::engine::Passwords&) {
      return std::make_unique<merivan::testing::FakeTableDriver>(t);
    });
    table.SetActive(true);
    for (const std::string& name : names) benchmark::DoNotOptimize(&table.FieldByName(name));
  }
  state.SetItemsProcessed(state.iterations() * columns);
}
BENCHMARK(BM_LookUpEveryColumn)->Arg(2000)->Arg(20000)->Arg(80000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
