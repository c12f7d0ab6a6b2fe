// The four native methods of com.vornik.zarvel.Zarvel, the library's only
// exports. The receiver (an instance or the class) is never read.
#include <jni.h>
#include <odbcinst.h>

#include "corvane/attributes.h"
#include "corvane/installer.h"
#include "corvane/java_side.h"
#include "corvane/odbc.h"

namespace corvane {
namespace {

constexpr jsize kMaxNameLength = 32;

// The installer request inside its own environment; false once the failure
// has been raised.
bool requestInstaller(JNIEnv* env, WORD request, const char* driver, const AttributeString& attributes,
                      const char* failure) {
  OdbcEnvironment odbc(env);
  if (!odbc.open()) return false;
  if (!configDataSource(request, driver, attributes.data())) {
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

jobject registerDataSource(JNIEnv* env, jstring name, jstring driver, jstring attributes) {
  AttributeString attributeString;
  if (!namesGiven(env, name, driver)) return nullptr;
  if (env->GetStringLength(name) > kMaxNameLength) {
    throwError(env, kNameTooLong);
    return nullptr;
  }
  const UtfChars nameBytes(env, name);
  if (nameBytes.get() == nullptr) return nullptr;
  attributeString.append(nameBytes.get());  // 32 characters take at most 96 bytes
  const UtfChars driverBytes(env, driver);
  if (driverBytes.get() == nullptr) return nullptr;
  if (attributes != nullptr) {
    const UtfChars attributeBytes(env, attributes);
    if (attributeBytes.get() == nullptr) return nullptr;
    if (!attributeString.append(";") || !attributeString.append(attributeBytes.get())) {
      throwError(env, kAttributesTooLong);
      return nullptr;
    }
  }
  if (!requestInstaller(env, ODBC_ADD_DSN, driverBytes.get(), attributeString, kRegisterFailed)) return nullptr;
  return findDataSource(env, nameBytes.get());
}

jboolean unregisterDataSource(JNIEnv* env, jstring name, jstring driver) {
  AttributeString attributeString;
  if (!namesGiven(env, name, driver)) return JNI_FALSE;
  const UtfChars nameBytes(env, name);
  if (nameBytes.get() == nullptr) return JNI_FALSE;
  if (!attributeString.append(nameBytes.get())) {
    throwError(env, kNameTooLong);
    return JNI_FALSE;
  }
  const UtfChars driverBytes(env, driver);
  if (driverBytes.get() == nullptr) return JNI_FALSE;
  return requestInstaller(env, ODBC_REMOVE_DSN, driverBytes.get(), attributeString, kRemoveFailed) ? JNI_TRUE
                                                                                                  : JNI_FALSE;
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
