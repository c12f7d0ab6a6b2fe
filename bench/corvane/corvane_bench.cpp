// getDataSources as a Java host calls it, beside the same ODBC calls made
// from plain C++, for 10, 100 and 300 data sources over 20 drivers; the gap
// between the two is what libcorvane and the JNI add to the driver manager.
#include <benchmark/benchmark.h>
#include <jni.h>
#include <time.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "bench/corvane/bench_ini.h"
#include "bench/corvane/embedded_jvm.h"
#include "bench/corvane/raw_listing.h"

namespace {

using corvane_bench::BenchIni;
using corvane_bench::EmbeddedJvm;

constexpr int kDrivers = 20;

struct Host {
  BenchIni ini{CORVANE_BENCH_WORK};
  EmbeddedJvm jvm{CORVANE_BENCH_CLASSES, CORVANE_LIBRARY_DIR};
  jclass zarvel = nullptr;
  jmethodID getDataSources = nullptr;
};

Host& host() {
  // Made once, on the first benchmark: the JVM can start only once per process.
  static const std::unique_ptr<Host> instance = [] {
    auto made = std::make_unique<Host>();
    JNIEnv* env = made->jvm.env();
    made->zarvel = env->FindClass("com/vornik/zarvel/Zarvel");
    if (made->zarvel != nullptr) {
      made->getDataSources = env->GetStaticMethodID(made->zarvel, "getDataSources", "()[Lcom/vornik/zarvel/DataSource;");
    }
    if (made->getDataSources == nullptr) {
      env->ExceptionDescribe();
      std::abort();
    }
    return made;
  }();
  return *instance;
}

void BM_JavaGetDataSources(benchmark::State& state) {
  Host& h = host();
  const int dataSources = static_cast<int>(state.range(0));
  h.ini.write(dataSources, kDrivers);
  JNIEnv* env = h.jvm.env();
  for (auto _ : state) {
    auto array = static_cast<jobjectArray>(env->CallStaticObjectMethod(h.zarvel, h.getDataSources));
    if (array == nullptr || env->GetArrayLength(array) != dataSources) {
      state.SkipWithError("getDataSources gave the wrong result");
      env->ExceptionClear();
      break;
    }
    env->DeleteLocalRef(array);
  }
  state.counters["data_sources"] = dataSources;
}

void BM_RawOdbcCalls(benchmark::State& state) {
  Host& h = host();  // the same process state as the Java runs
  const int dataSources = static_cast<int>(state.range(0));
  h.ini.write(dataSources, kDrivers);
  for (auto _ : state) {
    if (corvane_bench::rawListDataSources() != dataSources) {
      state.SkipWithError("the raw listing found the wrong drivers");
      break;
    }
  }
  state.counters["data_sources"] = dataSources;
}

double threadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Both listings in turn on every iteration, each timed by this thread's CPU
// clock, so that other load on the machine weighs on both alike; the share
// is what the Java call costs beyond the raw ODBC calls.
void BM_JniShare(benchmark::State& state) {
  Host& h = host();
  const int dataSources = static_cast<int>(state.range(0));
  h.ini.write(dataSources, kDrivers);
  JNIEnv* env = h.jvm.env();
  double raw = 0;
  double java = 0;
  bool rawFirst = true;
  for (auto _ : state) {
    // Alternate the order, so neither gains from what the other left in caches.
    int found = 0;
    jobjectArray array = nullptr;
    const auto timeRaw = [&] {
      const double start = threadSeconds();
      found = corvane_bench::rawListDataSources();
      raw += threadSeconds() - start;
    };
    const auto timeJava = [&] {
      const double start = threadSeconds();
      array = static_cast<jobjectArray>(env->CallStaticObjectMethod(h.zarvel, h.getDataSources));
      java += threadSeconds() - start;
    };
    if (rawFirst) {
      timeRaw();
      timeJava();
    } else {
      timeJava();
      timeRaw();
    }
    rawFirst = !rawFirst;
    if (found != dataSources || array == nullptr || env->GetArrayLength(array) != dataSources) {
      state.SkipWithError("the listings disagree");
      env->ExceptionClear();
      break;
    }
    env->DeleteLocalRef(array);
  }
  const double iterations = static_cast<double>(state.iterations());
  state.counters["raw_ms"] = raw * 1e3 / iterations;
  state.counters["java_ms"] = java * 1e3 / iterations;
  state.counters["jni_share_pct"] = raw > 0 ? (java - raw) * 100 / raw : 0;
}

// The machine is shared: the fastest of several repetitions is the figure
// least disturbed by other load (run with --benchmark_repetitions=N).
double fastest(const std::vector<double>& times) { return *std::min_element(times.begin(), times.end()); }

BENCHMARK(BM_RawOdbcCalls)->Arg(10)->Arg(100)->Arg(300)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);
BENCHMARK(BM_JavaGetDataSources)->Arg(10)->Arg(100)->Arg(300)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);
BENCHMARK(BM_JniShare)->Args({10})->Iterations(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JniShare)->Args({100})->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JniShare)->Args({300})->Iterations(6)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
