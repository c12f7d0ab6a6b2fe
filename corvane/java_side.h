#pragma once

#include <jni.h>

#include <cstddef>
#include <utility>

// The Java side of the library: the host's classes, the failures raised to
// it, the owners of JNI references and string bytes, and the objects built.
namespace corvane {

// --- The fixed texts with which the library raises java.lang.Throwable ---
inline constexpr const char* kCouldNotAllocate = "Could not allocate ODBC environmental handle!";
inline constexpr const char* kCouldNotFree = "Could not free ODBC environmental handle!";
inline constexpr const char* kNameIsNull = "DataSource name is null!";
inline constexpr const char* kDriverIsNull = "Driver name is null!";
inline constexpr const char* kNameTooLong = "DataSource name too long!";
inline constexpr const char* kAttributesTooLong = "DataSource attributes too long!";
inline constexpr const char* kRegisterFailed = "Error trying to register ODBC DataSource!";
inline constexpr const char* kRemoveFailed = "Error trying to remove ODBC DataSource!";

// Raises java.lang.Throwable itself with one of the fixed messages.
void throwError(JNIEnv* env, const char* message);

// True while a Java exception is pending: the caller must then return its
// failure value, since JNI allows hardly any call in that state.
inline bool exceptionPending(JNIEnv* env) { return env->ExceptionCheck() == JNI_TRUE; }

// --- Owners ---
// One JNI local reference, deleted on scope exit so that long listings stay
// within the JVM's local reference capacity. DeleteLocalRef is allowed while
// an exception is pending, so failure paths may unwind freely.
template <typename T>
class LocalRef {
 public:
  LocalRef(JNIEnv* env, T ref) : env_(env), ref_(ref) {}
  ~LocalRef() {
    if (ref_ != nullptr) env_->DeleteLocalRef(ref_);
  }
  LocalRef(const LocalRef&) = delete;
  LocalRef& operator=(const LocalRef&) = delete;
  LocalRef(LocalRef&& other) noexcept : env_(other.env_), ref_(std::exchange(other.ref_, nullptr)) {}
  LocalRef& operator=(LocalRef&&) = delete;

  T get() const { return ref_; }
  explicit operator bool() const { return ref_ != nullptr; }
  // Hands the reference to the caller (the host, once returned to it).
  T release() { return std::exchange(ref_, nullptr); }

 private:
  JNIEnv* env_;
  T ref_;
};

// The modified UTF-8 bytes of a Java string, released with
// ReleaseStringUTFChars on every way out of the scope.
class UtfChars {
 public:
  UtfChars(JNIEnv* env, jstring string);
  ~UtfChars();
  UtfChars(const UtfChars&) = delete;
  UtfChars& operator=(const UtfChars&) = delete;

  // Null when the JVM could not supply the bytes (its exception is pending).
  const char* get() const { return bytes_; }

 private:
  JNIEnv* env_;
  jstring string_;
  const char* bytes_;
};

// --- The host's classes, looked up by path on every call ---
// A class together with its looked-up constructor.
struct JavaConstructor {
  LocalRef<jclass> cls;
  jmethodID method;
  // False when FindClass or GetMethodID found nothing; their exception is
  // then pending and the caller must return its failure value.
  bool found() const { return cls && method != nullptr; }
};

JavaConstructor dataSourceConstructor(JNIEnv* env);
JavaConstructor driverConstructor(JNIEnv* env);

// --- Objects built for the host; null with an exception pending on failure ---
// A DataSource of the name's bytes and a driver (an ODBCDriver or null).
jobject newDataSource(JNIEnv* env, const JavaConstructor& constructor, const char* name, jobject driver);
// An ODBCDriver of the name's bytes and the HashMap of its attribute list,
// which is read within its `size` bytes.
jobject newDriver(JNIEnv* env, const JavaConstructor& constructor, const char* name, const char* attributeList,
                  std::size_t size);

}  // namespace corvane
