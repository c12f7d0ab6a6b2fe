#include "bench/corvane/embedded_jvm.h"

#include <stdexcept>

namespace corvane_bench {

EmbeddedJvm::EmbeddedJvm(const std::string& classPath, const std::string& libraryPath) {
  std::string classOption = "-Djava.class.path=" + classPath;
  std::string libraryOption = "-Djava.library.path=" + libraryPath;
  JavaVMOption options[2];
  options[0].optionString = classOption.data();
  options[0].extraInfo = nullptr;
  options[1].optionString = libraryOption.data();
  options[1].extraInfo = nullptr;
  JavaVMInitArgs args{};
  args.version = JNI_VERSION_10;
  args.nOptions = 2;
  args.options = options;
  args.ignoreUnrecognized = JNI_FALSE;
  void* env = nullptr;
  if (JNI_CreateJavaVM(&vm_, &env, &args) != JNI_OK) throw std::runtime_error("cannot start the JVM");
  env_ = static_cast<JNIEnv*>(env);
}

EmbeddedJvm::~EmbeddedJvm() { vm_->DestroyJavaVM(); }

}  // namespace corvane_bench
