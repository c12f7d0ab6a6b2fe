#include "corvane/utf_chars.h"

namespace corvane {

UtfChars::UtfChars(JNIEnv* env, jstring string)
    : env_(env), string_(string), bytes_(env->GetStringUTFChars(string, nullptr)) {}

UtfChars::~UtfChars() {
  if (bytes_ != nullptr) env_->ReleaseStringUTFChars(string_, bytes_);
}

}  // namespace corvane
