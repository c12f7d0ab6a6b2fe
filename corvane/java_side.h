#pragma once

#include <jni.h>

#include <cstddef>
#include <string>
#include <utility>

// The Java side of the library: the failures raised to the host, the owner of
// JNI local references, the strings, the host's classes and the objects built.
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

// --- Strings: standard UTF-8 on the ODBC side, UTF-16 on the Java side ---
// The UTF-16 units of UTF-8 bytes; each ill-formed sequence (its longest
// valid beginning, or a single stray byte) becomes one U+FFFD. `units` has
// room for `size` units, which is the most the bytes can give.
std::size_t decodeUtf8(const char* bytes, std::size_t size, jchar* units);
// The UTF-8 bytes of UTF-16 units, supplementary characters from their
// surrogate pairs; an unpaired surrogate becomes U+FFFD.
std::string encodeUtf8(const jchar* units, std::size_t count);

// A new Java string of the UTF-8 bytes up to their NUL; null with an
// exception pending on failure.
jstring newString(JNIEnv* env, const char* bytes);
// A Java string's text as UTF-8, read with GetStringRegion; false with an
// exception pending when the JVM could not give it.
bool utf8Of(JNIEnv* env, jstring string, std::string& bytes);

// --- The host's classes, looked up by path on every call ---
// A class together with its looked-up constructor.
struct JavaConstructor {
  LocalRef<jclass> cls;
  jmethodID method;
  // False when FindClass or GetMethodID found nothing; their exception is
  // then pending and the caller must return its failure value.
  bool found() const { return cls && method != nullptr; }
};

// ODBCDriver and its constructor.
JavaConstructor driverConstructor(JNIEnv* env);

// DataSource and ODBCDriver with their constructors, looked up in this order.
struct HostClasses {
  JavaConstructor dataSource;
  JavaConstructor driver;
  bool found() const { return dataSource.found() && driver.found(); }
};
HostClasses lookUpHostClasses(JNIEnv* env);

// --- Objects built for the host; null with an exception pending on failure ---
// A DataSource of the name's UTF-8 bytes and a driver (an ODBCDriver or null).
jobject newDataSource(JNIEnv* env, const JavaConstructor& constructor, const char* name, jobject driver);
// An ODBCDriver of the name's UTF-8 bytes and the HashMap of its attribute
// list, which is read within its `size` bytes.
jobject newDriver(JNIEnv* env, const JavaConstructor& constructor, const char* name, const char* attributeList,
                  std::size_t size);

}  // namespace corvane
