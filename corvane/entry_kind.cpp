#include "corvane/entry_kind.h"

#include <sqlext.h>

#include "corvane/attribute_map.h"
#include "corvane/java_contract.h"
#include "corvane/local_ref.h"
#include "corvane/lookup.h"

namespace corvane {
namespace {

jobject buildDataSource(JNIEnv* env, const JavaMember& constructor, const EnumerationEntry& entry) {
  LocalRef<jstring> name(env, env->NewStringUTF(entry.first));
  if (!name) return nullptr;
  LocalRef<jobject> driver(env, findDriver(env, entry.second));
  // A driver lookup that raised has nothing more to say to the JVM but that.
  if (exceptionPending(env)) return nullptr;
  return newObject(env, constructor.cls.get(), constructor.method, name.get(), driver.get());
}

jobject buildDriver(JNIEnv* env, const JavaMember& constructor, const EnumerationEntry& entry) {
  LocalRef<jstring> name(env, env->NewStringUTF(entry.first));
  if (!name) return nullptr;
  LocalRef<jobject> attributes(env, toAttributeMap(env, entry.second, sizeof entry.second));
  if (!attributes) return nullptr;
  return newObject(env, constructor.cls.get(), constructor.method, name.get(), attributes.get());
}

}  // namespace

const EntryKind kDataSources{kDataSourceClass, kDataSourceConstructor, &SQLDataSources, &buildDataSource};
const EntryKind kDrivers{kDriverClass, kDriverConstructor, &SQLDrivers, &buildDriver};

}  // namespace corvane
