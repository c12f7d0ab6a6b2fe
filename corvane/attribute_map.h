#pragma once

#include <jni.h>

#include <cstddef>

namespace corvane {

// A driver's attribute list as a new java.util.HashMap of strings, or null
// with a Java exception pending.
jobject toAttributeMap(JNIEnv* env, const char* list, std::size_t size);

}  // namespace corvane
