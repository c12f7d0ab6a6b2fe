#include "corvane/attribute_string.h"

#include <cstring>

namespace corvane {

AttributeString::AttributeString() { append("DSN="); }

bool AttributeString::append(const char* bytes) {
  const std::size_t extra = std::strlen(bytes);
  if (extra > kMaxText - length_) return false;
  std::memcpy(bytes_.data() + length_, bytes, extra);
  length_ += extra;
  return true;
}

}  // namespace corvane
