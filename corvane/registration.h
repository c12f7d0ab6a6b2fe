#pragma once

#include <jni.h>

namespace corvane {

// Adds a data source through the ODBC installer and returns it, looked up by
// its exact name, as a new DataSource; null on failure or when not found.
jobject registerDataSource(JNIEnv* env, jstring name, jstring driver, jstring attributes);

// Removes a data source through the ODBC installer; true when it reports success.
jboolean unregisterDataSource(JNIEnv* env, jstring name, jstring driver);

}  // namespace corvane
