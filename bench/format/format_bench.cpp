// Speed of the number and date texts, which the export calls once per field
// and record.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "merivan/format/date_time_text.h"
#include "merivan/format/number_text.h"
#include "merivan/format/regional_settings.h"

namespace {

using merivan::RegionalSettings;

// Doubles of every magnitude: random bit patterns without NaN and infinity.
std::vector<double> RandomDoubles() {
  std::mt19937_64 random(20020305);
  std::vector<double> values;
  values.reserve(4096);
  while (values.size() < 4096) {
    const uint64_t bits = random();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    if (std::isfinite(value)) values.push_back(value);
  }
  return values;
}

// Prices and amounts as an address table holds them.
std::vector<double> RandomAmounts() {
  std::mt19937_64 random(42);
  std::uniform_real_distribution<double> amount(0, 100000);
  std::vector<double> values(4096);
  for (double& v : values) v = amount(random);
  return values;
}

// One text per iteration into a reused string, as the export writes them.
template <typename Value, typename Format>
void TextsOf(benchmark::State& state, const std::vector<Value>& values, Format format) {
  std::string text;
  text.reserve(64);
  size_t i = 0;
  for (auto _ : state) {
    format(values[i++ & 4095], text);
    benchmark::DoNotOptimize(text.data());
  }
}

void FloatTextOf(benchmark::State& state, const std::vector<double>& values) {
  TextsOf(state, values, [](double v, std::string& out) { merivan::FloatText(v, out); });
}

void BM_FloatTextRandomBits(benchmark::State& state) { FloatTextOf(state, RandomDoubles()); }
BENCHMARK(BM_FloatTextRandomBits);

void BM_FloatTextAmounts(benchmark::State& state) { FloatTextOf(state, RandomAmounts()); }
BENCHMARK(BM_FloatTextAmounts);

void BM_FixedPointText(benchmark::State& state) {
  std::mt19937_64 random(7);
  std::vector<int64_t> values(4096);
  for (auto& v : values) v = static_cast<int64_t>(random());
  TextsOf(state, values, [](int64_t v, std::string& out) { merivan::FixedPointText(v, out); });
}
BENCHMARK(BM_FixedPointText);

struct Timestamp {
  int32_t day;
  int32_t ms;
};

std::vector<Timestamp> RandomTimestamps() {
  std::mt19937 random(5);
  std::uniform_int_distribution<int32_t> day(693594, 767011);  // 1900 to 2100
  std::uniform_int_distribution<int32_t> ms(0, 86'399'999);
  std::vector<Timestamp> values(4096);
  for (auto& v : values) v = {day(random), ms(random)};
  return values;
}

void CzechSettings() {
  RegionalSettings.DateMark = '.';
  RegionalSettings.TimeMark = ':';
  RegionalSettings.ShortDatePattern = "d.M.yyyy";
  RegionalSettings.LongTimePattern = "H:mm:ss";
}

// Into a buffer, as the export writes them, by a pattern read once.
void DateTimeTextsOf(benchmark::State& state, const merivan::DatePattern& pattern, bool withTime) {
  const std::vector<Timestamp> values = RandomTimestamps();
  char text[merivan::kDateTimeTextMax];
  size_t i = 0;
  for (auto _ : state) {
    const Timestamp& t = values[i++ & 4095];
    benchmark::DoNotOptimize(merivan::DateTimeText(pattern, t.day, withTime ? t.ms : 0, text));
  }
}

void DateTimeTextOf(benchmark::State& state, const std::string& pattern) {
  CzechSettings();
  DateTimeTextsOf(state, merivan::DatePattern(pattern), true);
}

void BM_DateTimeTextShortDate(benchmark::State& state) { DateTimeTextOf(state, "d.M.yyyy"); }
BENCHMARK(BM_DateTimeTextShortDate);

void BM_DateTimeTextLongTime(benchmark::State& state) { DateTimeTextOf(state, "H:mm:ss"); }
BENCHMARK(BM_DateTimeTextLongTime);

// The timestamp field: short date, a blank and long time through "c".
void BM_DateTimeTextDateAndTime(benchmark::State& state) { DateTimeTextOf(state, ""); }
BENCHMARK(BM_DateTimeTextDateAndTime);

// A Japanese-calendar user's date field: the short date "geeee/M/d" asks the
// platform for the era name and the era year of every value.
void BM_DateTimeTextJapaneseEra(benchmark::State& state) {
  const merivan::TRegionalSettings saved = RegionalSettings;
  const char* all = std::getenv("LC_ALL");
  const std::string savedAll = all ? all : "";
  setenv("LC_ALL", "ja_JP.UTF-8@calendar=japanese", 1);
  merivan::LoadRegionalSettings();
  DateTimeTextsOf(state, RegionalSettings.ShortDatePattern, false);
  if (all)
    setenv("LC_ALL", savedAll.c_str(), 1);
  else
    unsetenv("LC_ALL");
  RegionalSettings = saved;
}
BENCHMARK(BM_DateTimeTextJapaneseEra);

}  // namespace

int main(int argc, char** argv) {
  merivan::LoadRegionalSettings();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
