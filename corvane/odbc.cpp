#include "corvane/odbc.h"

#include <sqlext.h>

#include <cstring>
#include <vector>

#include "corvane/java_side.h"

namespace corvane {

OdbcEnvironment::OdbcEnvironment(JNIEnv* env) : env_(env), held_(succeeded(SQLAllocEnv(&handle_))) {
  if (!held_) throwError(env_, kCouldNotAllocate);
}

OdbcEnvironment::~OdbcEnvironment() {
  if (held_) SQLFreeEnv(handle_);
}

bool OdbcEnvironment::close() {
  held_ = false;
  if (succeeded(SQLFreeEnv(handle_))) return true;
  throwError(env_, kCouldNotFree);
  return false;
}

bool fetchNext(EnumerationCall call, SQLHENV environment, EnumerationEntry& entry) {
  SQLSMALLINT firstLength = 0;
  SQLSMALLINT secondLength = 0;
  const SQLRETURN result =
      call(environment, SQL_FETCH_NEXT, reinterpret_cast<SQLCHAR*>(entry.first), SQLSMALLINT{kTextSize}, &firstLength,
           reinterpret_cast<SQLCHAR*>(entry.second), SQLSMALLINT{kTextSize}, &secondLength);
  if (!succeeded(result)) return false;
  // A driver manager that fills the buffer to its end leaves no NUL; the
  // texts are read up to their NUL, so make sure there is one.
  entry.first[kTextSize - 1] = '\0';
  entry.second[kTextSize - 1] = '\0';
  return true;
}

namespace {

using Entries = std::vector<EnumerationEntry>;

// Far more entries than unixODBC lists (at most 4096 bytes of names), so
// that a driver manager that never ends an enumeration cannot exhaust memory.
constexpr std::size_t kMaxEntries = 8192;

// Every entry of one enumeration, fetched in one pass.
Entries fetchAll(EnumerationCall call, SQLHENV environment) {
  Entries entries;
  EnumerationEntry entry;
  while (entries.size() < kMaxEntries && fetchNext(call, environment, entry)) entries.push_back(entry);
  return entries;
}

// The installed drivers, in an environment of their own as every lookup has;
// false once that environment's failure has been raised.
bool fetchDrivers(JNIEnv* env, Entries& drivers) {
  OdbcEnvironment odbc(env);
  if (!odbc.open()) return false;
  drivers = fetchAll(&SQLDrivers, odbc.handle());
  return odbc.close();
}

// The first entry whose first text equals `name` byte for byte, or null.
const EnumerationEntry* firstNamed(const Entries& entries, const char* name) {
  for (const EnumerationEntry& entry : entries) {
    if (std::strcmp(entry.first, name) == 0) return &entry;
  }
  return nullptr;
}

jobject newDriverOf(JNIEnv* env, const JavaConstructor& constructor, const EnumerationEntry& driver) {
  return newDriver(env, constructor, driver.first, driver.second, sizeof driver.second);
}

// A data source with the first driver of its driver's name, or with null
// when none is installed.
jobject newDataSourceOf(JNIEnv* env, const HostClasses& classes, const EnumerationEntry& entry,
                        const Entries& drivers) {
  const EnumerationEntry* installed = firstNamed(drivers, entry.second);
  LocalRef<jobject> driver(env, installed != nullptr ? newDriverOf(env, classes.driver, *installed) : nullptr);
  if (installed != nullptr && !driver) return nullptr;
  return newDataSource(env, classes.dataSource, entry.first, driver.get());
}

// An array of exactly the fetched entries, each built by `build`.
template <typename Build>
jobjectArray newArray(JNIEnv* env, jclass elementClass, const Entries& entries, Build build) {
  LocalRef<jobjectArray> array(env, env->NewObjectArray(static_cast<jsize>(entries.size()), elementClass, nullptr));
  if (!array) return nullptr;
  for (std::size_t index = 0; index < entries.size(); ++index) {
    LocalRef<jobject> element(env, build(entries[index]));
    if (!element) return nullptr;
    env->SetObjectArrayElement(array.get(), static_cast<jsize>(index), element.get());
  }
  return array.release();
}

// Runs `work` on an environment of the method's own and gives its result,
// or null once a failure is pending; what `work` built is not given when the
// environment cannot be freed.
template <typename Result, typename Work>
Result inEnvironment(JNIEnv* env, Work work) {
  OdbcEnvironment odbc(env);
  if (!odbc.open()) return nullptr;
  LocalRef<Result> result(env, work(odbc.handle()));
  if (exceptionPending(env) || !odbc.close()) return nullptr;
  return result.release();
}

}  // namespace

// The data sources are fetched in one pass and the drivers in one more, so
// the array has exactly the entries seen and no element is left null by a
// data source added or removed meanwhile.
jobjectArray listDataSources(JNIEnv* env) {
  const HostClasses classes = lookUpHostClasses(env);
  if (!classes.found()) return nullptr;
  return inEnvironment<jobjectArray>(env, [&](SQLHENV environment) -> jobjectArray {
    const Entries dataSources = fetchAll(&SQLDataSources, environment);
    Entries drivers;
    if (!fetchDrivers(env, drivers)) return nullptr;
    return newArray(env, classes.dataSource.cls.get(), dataSources,
                    [&](const EnumerationEntry& entry) { return newDataSourceOf(env, classes, entry, drivers); });
  });
}

jobjectArray listDrivers(JNIEnv* env) {
  const JavaConstructor driver = driverConstructor(env);
  if (!driver.found()) return nullptr;
  return inEnvironment<jobjectArray>(env, [&](SQLHENV environment) {
    return newArray(env, driver.cls.get(), fetchAll(&SQLDrivers, environment),
                    [&](const EnumerationEntry& entry) { return newDriverOf(env, driver, entry); });
  });
}

jobject findDataSource(JNIEnv* env, const char* name) {
  const HostClasses classes = lookUpHostClasses(env);
  if (!classes.found()) return nullptr;
  return inEnvironment<jobject>(env, [&](SQLHENV environment) -> jobject {
    // The enumeration stops at the first data source of the name.
    EnumerationEntry entry;
    bool matched = false;
    while (!matched && fetchNext(&SQLDataSources, environment, entry)) matched = std::strcmp(entry.first, name) == 0;
    Entries drivers;
    if (!matched || !fetchDrivers(env, drivers)) return nullptr;
    return newDataSourceOf(env, classes, entry, drivers);
  });
}

}  // namespace corvane
