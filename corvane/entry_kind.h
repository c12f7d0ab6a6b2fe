#pragma once

#include <jni.h>

#include "corvane/enumeration.h"
#include "corvane/java_class.h"

namespace corvane {

// What the listings and lookups need to know about one kind of entry: the
// Java class they build, the enumeration call, and how an entry becomes an
// object (null with an exception pending when that fails).
struct EntryKind {
  const char* classPath;
  const char* constructorSignature;
  EnumerationCall call;
  jobject (*build)(JNIEnv* env, const JavaMember& constructor, const EnumerationEntry& entry);
};

// Data sources by SQLDataSources, built with the driver that findDriver gives.
extern const EntryKind kDataSources;
// Drivers by SQLDrivers, built with their attribute maps.
extern const EntryKind kDrivers;

}  // namespace corvane
