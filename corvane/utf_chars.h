#pragma once

#include <jni.h>

namespace corvane {

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

}  // namespace corvane
