#include "corvane/installer.h"

#include <dlfcn.h>

#include <mutex>

namespace corvane {

ConfigDataSourceFunction bindInstallerFunction(const char* library, const char* function) {
  // The handle stays open for the life of the process, like a linked library.
  void* handle = dlopen(library, RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) return nullptr;
  void* symbol = dlsym(handle, function);
  if (symbol == nullptr) {
    dlclose(handle);
    return nullptr;
  }
  return reinterpret_cast<ConfigDataSourceFunction>(symbol);
}

bool configDataSource(ConfigDataSourceFunction configure, WORD request, const char* driver, const char* attributes) {
  return configure != nullptr && configure(nullptr, request, driver, attributes) != 0;
}

bool configDataSource(WORD request, const char* driver, const char* attributes) {
  // Bound once, on the first request of any thread; C++ makes this thread-safe.
  static const ConfigDataSourceFunction configure = bindInstallerFunction("libodbcinst.so.2", "SQLConfigDataSource");
  // unixODBC's SQLConfigDataSource resets libltdl's search path without a
  // lock, and two requests at once free the old path twice, corrupting the
  // host's heap: the library's requests go one at a time.
  static std::mutex oneRequestAtATime;
  const std::lock_guard<std::mutex> lock(oneRequestAtATime);
  return configDataSource(configure, request, driver, attributes);
}

}  // namespace corvane
