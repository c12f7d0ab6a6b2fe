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
      call(environment, SQL_FETCH_NEXT, reinterpret_cast<SQLCHAR*>(entry.first), SQLSMALLINT{kTextSize},
           &firstLength, reinterpret_cast<SQLCHAR*>(entry.second), SQLSMALLINT{kTextSize}, &secondLength);
  if (!succeeded(result)) return false;
  // A driver manager that fills the buffer to its end leaves no NUL; the
  // texts are read up to their NUL, so make sure there is one.
  entry.first[kTextSize - 1] = '\0';
  entry.second[kTextSize - 1] = '\0';
  return true;
}

namespace {

using Entries = std::vector<EnumerationEntry>;

// Every entry of one enumeration, fetched in one pass.
Entries fetchAll(EnumerationCall call, SQLHENV environment) {
  Entries entries;
  EnumerationEntry entry;
  while (fetchNext(call, environment, entry)) entries.push_back(entry);
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
jobject newDataSourceOf(JNIEnv* env, const JavaConstructor& dataSource, const JavaConstructor& driver,
                        const EnumerationEntry& entry, const Entries& drivers) {
  const EnumerationEntry* installed = firstNamed(drivers, entry.second);
  LocalRef<jobject> driverObject(env, installed != nullptr ? newDriverOf(env, driver, *installed) : nullptr);
  if (installed != nullptr && !driverObject) return nullptr;
  return newDataSource(env, dataSource, entry.first, driverObject.get());
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

}  // namespace

// The data sources are fetched in one pass and the drivers in one more, so
// the array has exactly the entries seen and no element is left null by a
// data source added or removed meanwhile.
jobjectArray listDataSources(JNIEnv* env) {
  const JavaConstructor dataSource = dataSourceConstructor(env);
  if (!dataSource.found()) return nullptr;
  const JavaConstructor driver = driverConstructor(env);
  if (!driver.found()) return nullptr;
  OdbcEnvironment odbc(env);
  if (!odbc.open()) return nullptr;
  const Entries dataSources = fetchAll(&SQLDataSources, odbc.handle());
  Entries drivers;
  if (!fetchDrivers(env, drivers)) return nullptr;
  LocalRef<jobjectArray> array(env, newArray(env, dataSource.cls.get(), dataSources, [&](const EnumerationEntry& entry) {
    return newDataSourceOf(env, dataSource, driver, entry, drivers);
  }));
  if (!array || !odbc.close()) return nullptr;
  return array.release();
}

jobjectArray listDrivers(JNIEnv* env) {
  const JavaConstructor driver = driverConstructor(env);
  if (!driver.found()) return nullptr;
  OdbcEnvironment odbc(env);
  if (!odbc.open()) return nullptr;
  const Entries drivers = fetchAll(&SQLDrivers, odbc.handle());
  LocalRef<jobjectArray> array(env, newArray(env, driver.cls.get(), drivers, [&](const EnumerationEntry& entry) {
    return newDriverOf(env, driver, entry);
  }));
  if (!array || !odbc.close()) return nullptr;
  return array.release();
}

jobject findDataSource(JNIEnv* env, const char* name) {
  const JavaConstructor dataSource = dataSourceConstructor(env);
  if (!dataSource.found()) return nullptr;
  const JavaConstructor driver = driverConstructor(env);
  if (!driver.found()) return nullptr;
  OdbcEnvironment odbc(env);
  if (!odbc.open()) return nullptr;
  // The enumeration stops at the first data source of the name.
  EnumerationEntry entry;
  bool matched = false;
  while (!matched && fetchNext(&SQLDataSources, odbc.handle(), entry)) matched = std::strcmp(entry.first, name) == 0;
  Entries drivers;
  if (matched && !fetchDrivers(env, drivers)) return nullptr;
  LocalRef<jobject> result(env, matched ? newDataSourceOf(env, dataSource, driver, entry, drivers) : nullptr);
  if (matched && !result) return nullptr;
  if (!odbc.close()) return nullptr;
  return result.release();
}

}  // namespace corvane
