#include "corvane/attributes.h"

#include <algorithm>
#include <cstring>

namespace corvane {

AttributeListScanner::AttributeListScanner(const char* list, std::size_t size) : list_(list), size_(size) {}

void AttributeListScanner::copyPiece(char* target) const {
  const std::size_t length = std::min(position_ - start_, kPieceSize - 1);
  std::memcpy(target, list_ + start_, length);
  target[length] = '\0';
}

bool AttributeListScanner::next() {
  // Bytes from `size_` on read as NUL, so the loop ends by position size_ + 1.
  while (!over_) {
    const char byte = at(position_);
    if (byte == '\0') {
      copyPiece(value_);
      if (at(position_ + 1) == '\0') {
        over_ = true;
      } else {
        ++position_;
        start_ = position_;
      }
      // An empty list, or values ahead of the first "=", have no key to go with.
      if (haveKey_) return true;
      continue;
    }
    if (byte == '=') {
      copyPiece(key_);
      haveKey_ = true;
      start_ = position_ + 1;
    }
    ++position_;
  }
  return false;
}

AttributeString::AttributeString() { append("DSN="); }

bool AttributeString::append(const char* bytes) {
  const std::size_t extra = std::strlen(bytes);
  if (extra > kMaxText - length_) return false;
  std::memcpy(bytes_.data() + length_, bytes, extra);
  length_ += extra;
  return true;
}

std::vector<AttributePair> splitAttributes(std::string_view text) {
  std::vector<AttributePair> pairs;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find(';'), text.size());
    const std::string_view piece = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (piece.empty()) continue;
    const std::size_t equals = piece.find('=');
    if (equals == std::string_view::npos) {
      pairs.push_back({piece, {}, false});
    } else {
      pairs.push_back({piece.substr(0, equals), piece.substr(equals + 1), true});
    }
  }
  return pairs;
}

}  // namespace corvane
