#include "corvane/odbc.h"

#include <sqlext.h>

#include <cstring>

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

// What the listings and lookups need to know about one kind of entry: its
// Java class, its enumeration call, and how an entry becomes an object (null
// with an exception pending when that fails).
struct EntryKind {
  JavaConstructor (*constructor)(JNIEnv* env);
  EnumerationCall call;
  jobject (*build)(JNIEnv* env, const JavaConstructor& constructor, const EnumerationEntry& entry);
};

jobject buildDataSource(JNIEnv* env, const JavaConstructor& constructor, const EnumerationEntry& entry);

jobject buildDriver(JNIEnv* env, const JavaConstructor& constructor, const EnumerationEntry& entry) {
  return newDriver(env, constructor, entry.first, entry.second, sizeof entry.second);
}

// Data sources by SQLDataSources, built with the driver that findDriver
// gives; drivers by SQLDrivers, built with their attribute maps.
const EntryKind kDataSources{&dataSourceConstructor, &SQLDataSources, &buildDataSource};
const EntryKind kDrivers{&driverConstructor, &SQLDrivers, &buildDriver};

// The first entry whose first text equals `name` byte for byte, built in an
// environment of its own; null when none matches (nothing raised) or on
// failure (an exception pending).
jobject findEntry(JNIEnv* env, const EntryKind& kind, const char* name) {
  const JavaConstructor constructor = kind.constructor(env);
  if (!constructor.found()) return nullptr;
  OdbcEnvironment odbc(env);
  if (!odbc.open()) return nullptr;
  EnumerationEntry entry;
  bool matched = false;
  while (!matched && fetchNext(kind.call, odbc.handle(), entry)) matched = std::strcmp(entry.first, name) == 0;
  LocalRef<jobject> result(env, matched ? kind.build(env, constructor, entry) : nullptr);
  if (matched && !result) return nullptr;
  if (!odbc.close()) return nullptr;
  return result.release();
}

jobject buildDataSource(JNIEnv* env, const JavaConstructor& constructor, const EnumerationEntry& entry) {
  LocalRef<jobject> driver(env, findEntry(env, kDrivers, entry.second));
  // A driver lookup that raised has nothing more to say to the JVM but that.
  if (exceptionPending(env)) return nullptr;
  return newDataSource(env, constructor, entry.first, driver.get());
}

// The two-pass listing: the first pass counts the entries, the array gets
// that length, the second pass fills it from index 0. Entries the second pass
// meets beyond the counted length are not stored.
jobjectArray listEntries(JNIEnv* env, const EntryKind& kind) {
  const JavaConstructor constructor = kind.constructor(env);
  if (!constructor.found()) return nullptr;
  OdbcEnvironment odbc(env);
  if (!odbc.open()) return nullptr;

  EnumerationEntry entry;
  jsize count = 0;
  while (fetchNext(kind.call, odbc.handle(), entry)) ++count;

  LocalRef<jobjectArray> array(env, env->NewObjectArray(count, constructor.cls.get(), nullptr));
  if (!array) return nullptr;

  // The driver manager starts the enumeration again after it has ended it.
  for (jsize index = 0; index < count && fetchNext(kind.call, odbc.handle(), entry); ++index) {
    LocalRef<jobject> element(env, kind.build(env, constructor, entry));
    if (!element) return nullptr;
    env->SetObjectArrayElement(array.get(), index, element.get());
  }

  if (!odbc.close()) return nullptr;
  return array.release();
}

}  // namespace

jobjectArray listDataSources(JNIEnv* env) { return listEntries(env, kDataSources); }

jobjectArray listDrivers(JNIEnv* env) { return listEntries(env, kDrivers); }

jobject findDataSource(JNIEnv* env, const char* name) { return findEntry(env, kDataSources, name); }

}  // namespace corvane
