#include "corvane/lookup.h"

#include "corvane/entry_kind.h"
#include "corvane/environment_frame.h"
#include "corvane/local_ref.h"

namespace corvane {
namespace {

jobject findEntry(JNIEnv* env, const EntryKind& kind, const char* name) {
  const JavaMember constructor = lookUpConstructor(env, kind.classPath, kind.constructorSignature);
  if (!constructor.found()) return nullptr;
  EnvironmentFrame odbc(env);
  if (!odbc.open()) return nullptr;
  EnumerationEntry entry;
  bool matched = false;
  while (!matched && fetchNext(kind.call, odbc.handle(), entry)) matched = sameName(entry.first, name);
  LocalRef<jobject> result(env, matched ? kind.build(env, constructor, entry) : nullptr);
  if (matched && !result) return nullptr;
  if (!odbc.close()) return nullptr;
  return result.release();
}

}  // namespace

jobject findDriver(JNIEnv* env, const char* name) { return findEntry(env, kDrivers, name); }

jobject findDataSource(JNIEnv* env, const char* name) { return findEntry(env, kDataSources, name); }

}  // namespace corvane
