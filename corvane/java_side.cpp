#include "corvane/java_side.h"

#include <cstring>
#include <iterator>
#include <vector>

#include "corvane/attributes.h"

namespace corvane {
namespace {

JavaConstructor lookUpConstructor(JNIEnv* env, const char* classPath, const char* signature) {
  JavaConstructor constructor{LocalRef<jclass>(env, env->FindClass(classPath)), nullptr};
  if (constructor.cls) constructor.method = env->GetMethodID(constructor.cls.get(), "<init>", signature);
  return constructor;
}

// A driver's attribute list as a new java.util.HashMap of strings, put in
// the order of the list's scan.
jobject toAttributeMap(JNIEnv* env, const char* list, std::size_t size) {
  const JavaConstructor constructor = lookUpConstructor(env, "java/util/HashMap", "()V");
  if (!constructor.found()) return nullptr;
  const jmethodID put =
      env->GetMethodID(constructor.cls.get(), "put", "(Ljava/lang/Object;Ljava/lang/Object;)Ljava/lang/Object;");
  if (put == nullptr) return nullptr;
  LocalRef<jobject> map(env, env->NewObject(constructor.cls.get(), constructor.method));
  if (!map) return nullptr;

  AttributeListScanner scanner(list, size);
  while (scanner.next()) {
    LocalRef<jstring> key(env, newString(env, scanner.key()));
    if (!key) return nullptr;
    LocalRef<jstring> value(env, newString(env, scanner.value()));
    if (!value) return nullptr;
    // put's previous value is of no interest, but its reference is ours.
    LocalRef<jobject> previous(env, env->CallObjectMethod(map.get(), put, key.get(), value.get()));
    if (exceptionPending(env)) return nullptr;
  }
  return map.release();
}

}  // namespace

void throwError(JNIEnv* env, const char* message) {
  LocalRef<jclass> throwable(env, env->FindClass("java/lang/Throwable"));
  // A failed FindClass has left its own exception pending; nothing to add.
  if (throwable) env->ThrowNew(throwable.get(), message);
}

std::size_t decodeUtf8(const char* text, std::size_t size, jchar* units) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  std::size_t count = 0;
  std::size_t position = 0;
  while (position < size) {
    const unsigned lead = bytes[position++];
    if (lead < 0x80) {
      units[count++] = static_cast<jchar>(lead);
      continue;
    }
    // The sequence's length, and the range of its second byte that excludes
    // overlong forms, surrogates and code points beyond U+10FFFF.
    std::size_t length = 0;
    unsigned low = 0x80;
    unsigned high = 0xBF;
    char32_t codePoint = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      codePoint = lead & 0x0F;
      low = lead == 0xE0 ? 0xA0 : low;
      high = lead == 0xED ? 0x9F : high;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      codePoint = lead & 0x07;
      low = lead == 0xF0 ? 0x90 : low;
      high = lead == 0xF4 ? 0x8F : high;
    }
    std::size_t taken = 1;
    for (; length != 0 && taken < length && position < size; ++taken, ++position) {
      const unsigned next = bytes[position];
      if (next < (taken == 1 ? low : 0x80) || next > (taken == 1 ? high : 0xBF)) break;
      codePoint = codePoint << 6 | (next & 0x3F);
    }
    if (length == 0 || taken < length) {
      units[count++] = 0xFFFD;
    } else if (codePoint < 0x10000) {
      units[count++] = static_cast<jchar>(codePoint);
    } else {
      codePoint -= 0x10000;
      units[count++] = static_cast<jchar>(0xD800 + (codePoint >> 10));
      units[count++] = static_cast<jchar>(0xDC00 + (codePoint & 0x3FF));
    }
  }
  return count;
}

std::string encodeUtf8(const jchar* units, std::size_t count) {
  std::string bytes;
  bytes.reserve(count * 3);
  for (std::size_t i = 0; i < count; ++i) {
    char32_t c = units[i];
    const bool high = c >= 0xD800 && c <= 0xDBFF;
    if (high && i + 1 < count && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      bytes += static_cast<char>(c);
    } else if (c < 0x800) {
      bytes += static_cast<char>(0xC0 | c >> 6);
      bytes += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      bytes += static_cast<char>(0xE0 | c >> 12);
      bytes += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      bytes += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      bytes += static_cast<char>(0xF0 | c >> 18);
      bytes += static_cast<char>(0x80 | (c >> 12 & 0x3F));
      bytes += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      bytes += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return bytes;
}

jstring newString(JNIEnv* env, const char* bytes) {
  const std::size_t size = std::strlen(bytes);
  // Every text of the driver manager fits its 1024-byte buffer.
  jchar local[1024];
  std::vector<jchar> large;
  jchar* units = local;
  if (size > std::size(local)) {
    large.resize(size);
    units = large.data();
  }
  const std::size_t count = decodeUtf8(bytes, size, units);
  return env->NewString(units, static_cast<jsize>(count));
}

bool utf8Of(JNIEnv* env, jstring string, std::string& bytes) {
  const jsize length = env->GetStringLength(string);
  // One unit more, so that an empty string still has a buffer to name.
  std::vector<jchar> units(static_cast<std::size_t>(length) + 1);
  env->GetStringRegion(string, 0, length, units.data());
  if (exceptionPending(env)) return false;
  bytes = encodeUtf8(units.data(), static_cast<std::size_t>(length));
  return true;
}

HostClasses lookUpHostClasses(JNIEnv* env) {
  JavaConstructor dataSource =
      lookUpConstructor(env, "com/vornik/zarvel/DataSource", "(Ljava/lang/String;Lcom/vornik/zarvel/ODBCDriver;)V");
  // No further look-up while the JVM's error is pending.
  if (!dataSource.found()) return {std::move(dataSource), {LocalRef<jclass>(env, nullptr), nullptr}};
  return {std::move(dataSource), driverConstructor(env)};
}

JavaConstructor driverConstructor(JNIEnv* env) {
  return lookUpConstructor(env, "com/vornik/zarvel/ODBCDriver", "(Ljava/lang/String;Ljava/util/HashMap;)V");
}

jobject newDataSource(JNIEnv* env, const JavaConstructor& constructor, const char* name, jobject driver) {
  LocalRef<jstring> nameString(env, newString(env, name));
  if (!nameString) return nullptr;
  return env->NewObject(constructor.cls.get(), constructor.method, nameString.get(), driver);
}

jobject newDriver(JNIEnv* env, const JavaConstructor& constructor, const char* name, const char* attributeList,
                  std::size_t size) {
  LocalRef<jstring> nameString(env, newString(env, name));
  if (!nameString) return nullptr;
  LocalRef<jobject> attributes(env, toAttributeMap(env, attributeList, size));
  if (!attributes) return nullptr;
  return env->NewObject(constructor.cls.get(), constructor.method, nameString.get(), attributes.get());
}

}  // namespace corvane
