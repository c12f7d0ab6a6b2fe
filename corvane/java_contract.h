#pragma once

#include <jni.h>

// The host's Java classes and members, looked up by path on every call.
namespace corvane {

inline constexpr const char* kDataSourceClass = "com/vornik/zarvel/DataSource";
inline constexpr const char* kDataSourceConstructor = "(Ljava/lang/String;Lcom/vornik/zarvel/ODBCDriver;)V";
inline constexpr const char* kDriverClass = "com/vornik/zarvel/ODBCDriver";
inline constexpr const char* kDriverConstructor = "(Ljava/lang/String;Ljava/util/HashMap;)V";
inline constexpr const char* kHashMapClass = "java/util/HashMap";
inline constexpr const char* kHashMapConstructor = "()V";
inline constexpr const char* kHashMapPut = "(Ljava/lang/Object;Ljava/lang/Object;)Ljava/lang/Object;";
inline constexpr const char* kThrowableClass = "java/lang/Throwable";

// Raises java.lang.Throwable itself with one of the fixed messages.
void throwError(JNIEnv* env, const char* message);

// The variadic forwarders over NewObjectV and CallObjectMethodV.
jobject newObject(JNIEnv* env, jclass cls, jmethodID constructor, ...);
jobject callObjectMethod(JNIEnv* env, jobject object, jmethodID method, ...);

// True while a Java exception is pending: the caller must then return its
// failure value, since JNI allows hardly any call in that state.
bool exceptionPending(JNIEnv* env);

}  // namespace corvane
