#include "corvane/java_contract.h"

#include <cstdarg>

#include "corvane/local_ref.h"

namespace corvane {

void throwError(JNIEnv* env, const char* message) {
  LocalRef<jclass> throwable(env, env->FindClass(kThrowableClass));
  // A failed FindClass has left its own exception pending; nothing to add.
  if (throwable) env->ThrowNew(throwable.get(), message);
}

jobject newObject(JNIEnv* env, jclass cls, jmethodID constructor, ...) {
  va_list args;
  va_start(args, constructor);
  jobject object = env->NewObjectV(cls, constructor, args);
  va_end(args);
  return object;
}

jobject callObjectMethod(JNIEnv* env, jobject object, jmethodID method, ...) {
  va_list args;
  va_start(args, method);
  jobject result = env->CallObjectMethodV(object, method, args);
  va_end(args);
  return result;
}

bool exceptionPending(JNIEnv* env) { return env->ExceptionCheck() == JNI_TRUE; }

}  // namespace corvane
