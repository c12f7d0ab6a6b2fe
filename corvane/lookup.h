#pragma once

#include <jni.h>

namespace corvane {

// The first driver whose name equals `name` byte for byte, as a new
// ODBCDriver with its attribute map; null when none matches (nothing raised)
// or on failure (an exception pending). Runs its own ODBC environment.
jobject findDriver(JNIEnv* env, const char* name);

// The same for data sources: a new DataSource with its driver, or null.
jobject findDataSource(JNIEnv* env, const char* name);

}  // namespace corvane
