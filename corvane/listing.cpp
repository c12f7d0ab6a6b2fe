#include "corvane/listing.h"

#include "corvane/environment_frame.h"
#include "corvane/local_ref.h"

namespace corvane {

jobjectArray listEntries(JNIEnv* env, const EntryKind& kind) {
  const JavaMember constructor = lookUpConstructor(env, kind.classPath, kind.constructorSignature);
  if (!constructor.found()) return nullptr;
  EnvironmentFrame odbc(env);
  if (!odbc.open()) return nullptr;

  EnumerationEntry entry;
  jsize count = 0;
  while (fetchNext(kind.call, odbc.handle(), entry)) ++count;

  LocalRef<jobjectArray> array(env, env->NewObjectArray(count, constructor.cls.get(), nullptr));
  if (!array) return nullptr;

  // The driver manager starts the enumeration again after it has ended it.
  // Entries added since the first pass have no place and are not fetched.
  for (jsize index = 0; index < count && fetchNext(kind.call, odbc.handle(), entry); ++index) {
    LocalRef<jobject> element(env, kind.build(env, constructor, entry));
    if (!element) return nullptr;
    env->SetObjectArrayElement(array.get(), index, element.get());
  }

  if (!odbc.close()) return nullptr;
  return array.release();
}

}  // namespace corvane
