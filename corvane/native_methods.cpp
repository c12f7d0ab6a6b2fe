// The four native methods of com.vornik.zarvel.Zarvel, the library's only
// exports. The receiver (an instance or the class) is never read.
#include <jni.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "corvane/attributes.h"
#include "corvane/installer.h"
#include "corvane/java_side.h"
#include "corvane/odbc.h"

namespace corvane {
namespace {

constexpr jsize kMaxNameLength = 32;

// The installer request inside its own environment; false once the failure
// has been raised.
template <typename Request>
bool requestInstaller(JNIEnv* env, Request request, const char* failure) {
  OdbcEnvironment odbc(env);
  if (!odbc.open()) return false;
  if (!request()) {
    throwError(env, failure);
    return false;  // the environment is freed on the way out, its result untested
  }
  return odbc.close();
}

// Both requests need the name and the driver, tested in this order; false
// once the message of the first one missing has been raised.
bool namesGiven(JNIEnv* env, jstring name, jstring driver) {
  const char* missing = name == nullptr ? kNameIsNull : driver == nullptr ? kDriverIsNull : nullptr;
  if (missing != nullptr) throwError(env, missing);
  return missing == nullptr;
}

// The UTF-8 texts of the arguments; false once a failure is pending. A NUL
// character would cut the text short for the installer, so a text holding
// one is refused with the request's failure message.
bool textsOf(JNIEnv* env, std::initializer_list<std::pair<jstring, std::string*>> arguments, const char* failure) {
  for (const auto& [string, text] : arguments) {
    if (!utf8Of(env, string, *text)) return false;
    if (text->find('\0') != std::string::npos) {
      throwError(env, failure);
      return false;
    }
  }
  return true;
}

jobject registerDataSource(JNIEnv* env, jstring name, jstring driver, jstring attributes) {
  AttributeString attributeString;
  if (!namesGiven(env, name, driver)) return nullptr;
  // Java characters (UTF-16 units) count, not bytes.
  if (env->GetStringLength(name) > kMaxNameLength) {
    throwError(env, kNameTooLong);
    return nullptr;
  }
  std::string nameText;
  std::string driverText;
  std::string attributeText;
  if (!textsOf(env, {{name, &nameText}, {driver, &driverText}}, kRegisterFailed)) return nullptr;
  if (attributes != nullptr && !textsOf(env, {{attributes, &attributeText}}, kRegisterFailed)) return nullptr;
  attributeString.append(nameText.c_str());  // 32 characters take at most 96 bytes
  const std::vector<AttributePair> pairs = splitAttributes(attributeText);
  const bool longPair = std::any_of(pairs.begin(), pairs.end(), [](const AttributePair& pair) {
    return pair.key.size() > kMaxIniText || pair.value.size() > kMaxIniText;
  });
  if (attributes != nullptr &&
      (longPair || !attributeString.append(";") || !attributeString.append(attributeText.c_str()))) {
    throwError(env, kAttributesTooLong);
    return nullptr;
  }
  const auto add = [&] { return addDataSource(driverText.c_str(), nameText.c_str(), attributeString, pairs); };
  if (!requestInstaller(env, add, kRegisterFailed)) return nullptr;
  return findDataSource(env, nameText.c_str());
}

jboolean unregisterDataSource(JNIEnv* env, jstring name, jstring driver) {
  AttributeString attributeString;
  if (!namesGiven(env, name, driver)) return JNI_FALSE;
  std::string nameText;
  std::string driverText;
  if (!textsOf(env, {{name, &nameText}, {driver, &driverText}}, kRemoveFailed)) return JNI_FALSE;
  if (!attributeString.append(nameText.c_str())) {
    throwError(env, kNameTooLong);
    return JNI_FALSE;
  }
  const auto remove = [&] { return removeDataSource(driverText.c_str(), nameText.c_str(), attributeString); };
  return requestInstaller(env, remove, kRemoveFailed) ? JNI_TRUE : JNI_FALSE;
}

}  // namespace
}  // namespace corvane

extern "C" {

JNIEXPORT jobjectArray JNICALL Java_com_vornik_zarvel_Zarvel_getDataSources(JNIEnv* env, jobject) {
  return corvane::listDataSources(env);
}

JNIEXPORT jobjectArray JNICALL Java_com_vornik_zarvel_Zarvel_getDrivers(JNIEnv* env, jobject) {
  return corvane::listDrivers(env);
}

JNIEXPORT jobject JNICALL Java_com_vornik_zarvel_Zarvel_registerDataSource(JNIEnv* env, jobject, jstring name,
                                                                           jstring driver, jstring attributes) {
  return corvane::registerDataSource(env, name, driver, attributes);
}

JNIEXPORT jboolean JNICALL Java_com_vornik_zarvel_Zarvel_unregisterDataSource(JNIEnv* env, jobject, jstring name,
                                                                              jstring driver) {
  return corvane::unregisterDataSource(env, name, driver);
}

}  // extern "C"
