#pragma once

#include <jni.h>

#include <string>

namespace corvane_bench {

// A JVM inside this process with the host classes on its class path and
// libcorvane on its library path; destroyed with the object.
class EmbeddedJvm {
 public:
  EmbeddedJvm(const std::string& classPath, const std::string& libraryPath);
  ~EmbeddedJvm();
  EmbeddedJvm(const EmbeddedJvm&) = delete;
  EmbeddedJvm& operator=(const EmbeddedJvm&) = delete;

  JNIEnv* env() const { return env_; }

 private:
  JavaVM* vm_ = nullptr;
  JNIEnv* env_ = nullptr;
};

}  // namespace corvane_bench
