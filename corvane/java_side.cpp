#include "corvane/java_side.h"

#include "corvane/attributes.h"

namespace corvane {
namespace {

JavaConstructor lookUpConstructor(JNIEnv* env, const char* classPath, const char* signature) {
  JavaConstructor constructor{LocalRef<jclass>(env, env->FindClass(classPath)), nullptr};
  if (constructor.cls) constructor.method = env->GetMethodID(constructor.cls.get(), "<init>", signature);
  return constructor;
}

// A driver's attribute list as a new java.util.HashMap of strings, put in
// the order of the list's scan.
jobject toAttributeMap(JNIEnv* env, const char* list, std::size_t size) {
  const JavaConstructor constructor = lookUpConstructor(env, "java/util/HashMap", "()V");
  if (!constructor.found()) return nullptr;
  const jmethodID put =
      env->GetMethodID(constructor.cls.get(), "put", "(Ljava/lang/Object;Ljava/lang/Object;)Ljava/lang/Object;");
  if (put == nullptr) return nullptr;
  LocalRef<jobject> map(env, env->NewObject(constructor.cls.get(), constructor.method));
  if (!map) return nullptr;

  AttributeListScanner scanner(list, size);
  while (scanner.next()) {
    LocalRef<jstring> key(env, env->NewStringUTF(scanner.key()));
    if (!key) return nullptr;
    LocalRef<jstring> value(env, env->NewStringUTF(scanner.value()));
    if (!value) return nullptr;
    // put's previous value is of no interest, but its reference is ours.
    LocalRef<jobject> previous(env, env->CallObjectMethod(map.get(), put, key.get(), value.get()));
    if (exceptionPending(env)) return nullptr;
  }
  return map.release();
}

}  // namespace

void throwError(JNIEnv* env, const char* message) {
  LocalRef<jclass> throwable(env, env->FindClass("java/lang/Throwable"));
  // A failed FindClass has left its own exception pending; nothing to add.
  if (throwable) env->ThrowNew(throwable.get(), message);
}

UtfChars::UtfChars(JNIEnv* env, jstring string)
    : env_(env), string_(string), bytes_(env->GetStringUTFChars(string, nullptr)) {}

UtfChars::~UtfChars() {
  if (bytes_ != nullptr) env_->ReleaseStringUTFChars(string_, bytes_);
}

JavaConstructor dataSourceConstructor(JNIEnv* env) {
  return lookUpConstructor(env, "com/vornik/zarvel/DataSource",
                           "(Ljava/lang/String;Lcom/vornik/zarvel/ODBCDriver;)V");
}

JavaConstructor driverConstructor(JNIEnv* env) {
  return lookUpConstructor(env, "com/vornik/zarvel/ODBCDriver", "(Ljava/lang/String;Ljava/util/HashMap;)V");
}

jobject newDataSource(JNIEnv* env, const JavaConstructor& constructor, const char* name, jobject driver) {
  LocalRef<jstring> nameString(env, env->NewStringUTF(name));
  if (!nameString) return nullptr;
  return env->NewObject(constructor.cls.get(), constructor.method, nameString.get(), driver);
}

jobject newDriver(JNIEnv* env, const JavaConstructor& constructor, const char* name, const char* attributeList,
                  std::size_t size) {
  LocalRef<jstring> nameString(env, env->NewStringUTF(name));
  if (!nameString) return nullptr;
  LocalRef<jobject> attributes(env, toAttributeMap(env, attributeList, size));
  if (!attributes) return nullptr;
  return env->NewObject(constructor.cls.get(), constructor.method, nameString.get(), attributes.get());
}

}  // namespace corvane
