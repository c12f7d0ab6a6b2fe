// getDataSources as a Java host calls it, beside the same ODBC calls made
// from plain C++ and beside pyodbc's dataSources() on the same ini files, for
// 10 to 500 data sources over 20 drivers. The gap to the raw calls is what
// libcorvane and the JNI add to the driver manager; pyodbc is the peer that
// lists the names only.
#include <benchmark/benchmark.h>
#include <jni.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <vector>

#include "bench/corvane/bench_ini.h"
#include "bench/corvane/embedded_jvm.h"
#include "bench/corvane/pyodbc_peer.h"
#include "bench/corvane/raw_listing.h"

namespace {

using corvane_bench::BenchIni;
using corvane_bench::EmbeddedJvm;
using corvane_bench::PyodbcPeer;

constexpr int kDrivers = 20;

struct Host {
  BenchIni ini{CORVANE_BENCH_WORK};
  EmbeddedJvm jvm{CORVANE_BENCH_CLASSES, CORVANE_LIBRARY_DIR};
  jclass zarvel = nullptr;
  jmethodID getDataSources = nullptr;

  // Writes the ini files; gives how many data sources the driver manager
  // lists of them (it lists at most 4096 bytes of names).
  int write(int dataSources) const {
    ini.write(dataSources, kDrivers);
    return corvane_bench::rawListDataSources();
  }
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
  const int listed = h.write(dataSources);
  JNIEnv* env = h.jvm.env();
  for (auto _ : state) {
    auto array = static_cast<jobjectArray>(env->CallStaticObjectMethod(h.zarvel, h.getDataSources));
    if (array == nullptr || env->GetArrayLength(array) != listed) {
      state.SkipWithError("getDataSources gave the wrong result");
      env->ExceptionClear();
      break;
    }
    env->DeleteLocalRef(array);
  }
  state.counters["listed"] = listed;
}

void BM_RawOdbcCalls(benchmark::State& state) {
  Host& h = host();  // the same process state as the Java runs
  const int dataSources = static_cast<int>(state.range(0));
  const int listed = h.write(dataSources);
  for (auto _ : state) {
    if (corvane_bench::rawListDataSources() != listed) {
      state.SkipWithError("the raw listing found the wrong drivers");
      break;
    }
  }
  state.counters["listed"] = listed;
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
  const int listed = h.write(dataSources);
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
    if (found != listed || array == nullptr || env->GetArrayLength(array) != listed) {
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

// getDataSources and pyodbc's dataSources() in turn on every iteration, on
// the same files, each timed by the CPU clock of its own thread or process;
// the ratio is the goal's figure (at most 1.2), though getDataSources also
// builds every data source's driver with its attribute map.
void BM_VersusPyodbc(benchmark::State& state) {
  Host& h = host();
  const int listed = h.write(static_cast<int>(state.range(0)));
  static PyodbcPeer peer(CORVANE_BENCH_PYTHON);
  JNIEnv* env = h.jvm.env();
  double java = 0;
  double javaWall = 0;
  double pyodbc = 0;
  double pyodbcWall = 0;
  for (auto _ : state) {
    PyodbcPeer::Call call;
    const double start = threadSeconds();
    const auto wallStart = std::chrono::steady_clock::now();
    auto array = static_cast<jobjectArray>(env->CallStaticObjectMethod(h.zarvel, h.getDataSources));
    java += threadSeconds() - start;
    javaWall += std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    if (!peer.call(call) || array == nullptr || env->GetArrayLength(array) != listed || call.listed != listed) {
      state.SkipWithError("pyodbc and getDataSources disagree, or pyodbc is missing");
      env->ExceptionClear();
      break;
    }
    pyodbc += call.cpuSeconds;
    pyodbcWall += call.wallSeconds;
    env->DeleteLocalRef(array);
  }
  const double iterations = static_cast<double>(state.iterations());
  state.counters["listed"] = listed;
  state.counters["java_ms"] = java * 1e3 / iterations;
  state.counters["pyodbc_ms"] = pyodbc * 1e3 / iterations;
  state.counters["ratio"] = pyodbc > 0 ? java / pyodbc : 0;
  state.counters["java_wall_ms"] = javaWall * 1e3 / iterations;
  state.counters["pyodbc_wall_ms"] = pyodbcWall * 1e3 / iterations;
}

// The machine is shared: the fastest of several repetitions is the figure
// least disturbed by other load (run with --benchmark_repetitions=N).
double fastest(const std::vector<double>& times) { return *std::min_element(times.begin(), times.end()); }

// The pyodbc comparison comes first: unixODBC keeps every ini key it reads
// for 20 seconds in a list per process that each read scans, so listings
// after those of other, larger sets are slower for a while, and the peer's
// process has seen only its own sets.
BENCHMARK(BM_VersusPyodbc)->Args({100})->Iterations(30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VersusPyodbc)->Args({500})->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VersusPyodbc)->Args({2000})->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawOdbcCalls)->Arg(10)->Arg(100)->Arg(300)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);
BENCHMARK(BM_JavaGetDataSources)->Arg(10)->Arg(100)->Arg(300)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);
BENCHMARK(BM_JniShare)->Args({10})->Iterations(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JniShare)->Args({100})->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JniShare)->Args({300})->Iterations(6)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
