#pragma once

#include <jni.h>

#include "corvane/local_ref.h"

namespace corvane {

// A class looked up by path together with one of its methods.
struct JavaMember {
  LocalRef<jclass> cls;
  jmethodID method;
  // False when FindClass or GetMethodID found nothing; their exception is
  // then pending and the caller must return its failure value.
  bool found() const { return cls && method != nullptr; }
};

JavaMember lookUpMember(JNIEnv* env, const char* classPath, const char* name, const char* signature);
JavaMember lookUpConstructor(JNIEnv* env, const char* classPath, const char* signature);

}  // namespace corvane
