#include "corvane/attribute_map.h"

#include "corvane/attribute_list.h"
#include "corvane/java_class.h"
#include "corvane/java_contract.h"

namespace corvane {

jobject toAttributeMap(JNIEnv* env, const char* list, std::size_t size) {
  JavaMember constructor = lookUpConstructor(env, kHashMapClass, kHashMapConstructor);
  if (!constructor.found()) return nullptr;
  const jmethodID put = env->GetMethodID(constructor.cls.get(), "put", kHashMapPut);
  if (put == nullptr) return nullptr;
  LocalRef<jobject> map(env, newObject(env, constructor.cls.get(), constructor.method));
  if (!map) return nullptr;

  AttributeListScanner scanner(list, size);
  while (scanner.next()) {
    LocalRef<jstring> key(env, env->NewStringUTF(scanner.key()));
    if (!key) return nullptr;
    LocalRef<jstring> value(env, env->NewStringUTF(scanner.value()));
    if (!value) return nullptr;
    // put's previous value is of no interest, but its reference is ours.
    LocalRef<jobject> previous(env, callObjectMethod(env, map.get(), put, key.get(), value.get()));
    if (exceptionPending(env)) return nullptr;
  }
  return map.release();
}

}  // namespace corvane
