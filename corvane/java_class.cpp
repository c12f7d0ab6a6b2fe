#include "corvane/java_class.h"

namespace corvane {

JavaMember lookUpMember(JNIEnv* env, const char* classPath, const char* name, const char* signature) {
  JavaMember member{LocalRef<jclass>(env, env->FindClass(classPath)), nullptr};
  if (member.cls) member.method = env->GetMethodID(member.cls.get(), name, signature);
  return member;
}

JavaMember lookUpConstructor(JNIEnv* env, const char* classPath, const char* signature) {
  return lookUpMember(env, classPath, "<init>", signature);
}

}  // namespace corvane
