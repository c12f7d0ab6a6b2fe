#pragma once

#include <jni.h>

#include "corvane/entry_kind.h"

namespace corvane {

// The two-pass listing: the first pass counts the entries, the array gets
// that length, the second pass fills it from index 0. Entries the second pass
// meets beyond the counted length are not stored. Null on failure.
jobjectArray listEntries(JNIEnv* env, const EntryKind& kind);

}  // namespace corvane
