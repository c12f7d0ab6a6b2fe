// The four native methods of com.vornik.zarvel.Zarvel, the library's only
// exports. The receiver (an instance or the class) is never read.
#include <jni.h>

#include "corvane/entry_kind.h"
#include "corvane/listing.h"
#include "corvane/registration.h"

extern "C" {

JNIEXPORT jobjectArray JNICALL Java_com_vornik_zarvel_Zarvel_getDataSources(JNIEnv* env, jobject) {
  return corvane::listEntries(env, corvane::kDataSources);
}

JNIEXPORT jobjectArray JNICALL Java_com_vornik_zarvel_Zarvel_getDrivers(JNIEnv* env, jobject) {
  return corvane::listEntries(env, corvane::kDrivers);
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
