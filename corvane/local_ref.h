#pragma once

#include <jni.h>

#include <utility>

namespace corvane {

// Owns one JNI local reference and deletes it on scope exit, so that long
// listings stay within the JVM's local reference capacity. DeleteLocalRef is
// allowed while an exception is pending, so failure paths may unwind freely.
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

}  // namespace corvane
