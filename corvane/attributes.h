#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

// The two attribute texts of the library: a driver's attribute list as the
// driver manager reports it, and the attribute string of installer requests.
namespace corvane {

// Walks a driver's attribute list (key=value entries, each ended by a NUL,
// the list by a second NUL) and yields the key/value pairs to put into the
// driver's map, in list order. Every "=" ends a key, so "P=Q=R" yields Q -> R;
// the key is kept across entries, so an entry without "=" yields the most
// recent key with that entry as its value. Before the first "=" there is no
// key, and such a value is skipped. The scan never reads past `size` bytes:
// a list cut without its double NUL ends at the buffer's end, its last entry
// used as cut. Pieces longer than the key or value buffer are cut to fit.
class AttributeListScanner {
 public:
  static constexpr std::size_t kPieceSize = 1024;

  AttributeListScanner(const char* list, std::size_t size);

  // Advances to the next pair; false once the list is over.
  bool next();
  const char* key() const { return key_; }
  const char* value() const { return value_; }

 private:
  char at(std::size_t position) const { return position < size_ ? list_[position] : '\0'; }
  void copyPiece(char* target) const;

  const char* list_;
  std::size_t size_;
  std::size_t position_ = 0;
  std::size_t start_ = 0;
  bool haveKey_ = false;
  bool over_ = false;
  char key_[kPieceSize] = {};
  char value_[kPieceSize] = {};
};

// The installer's attribute string: "DSN=" and the texts appended to it in a
// 1024-byte array filled with NUL bytes, so at least two NULs end the list.
class AttributeString {
 public:
  static constexpr std::size_t kSize = 1024;
  // Text that still leaves the two ending NUL bytes.
  static constexpr std::size_t kMaxText = kSize - 2;

  AttributeString();

  // Appends the bytes up to the NUL; false, leaving the string as it was,
  // when the text would no longer fit.
  bool append(const char* bytes);
  const char* data() const { return bytes_.data(); }
  std::size_t length() const { return length_; }
  std::string_view text() const { return {bytes_.data(), length_}; }

 private:
  std::array<char, kSize> bytes_{};
  std::size_t length_ = 0;
};

// One piece of an attribute text split at its first "="; a piece without
// one is all key.
struct AttributePair {
  std::string_view key;
  std::string_view value;
  bool assigned;
};

// The pieces of an attribute text separated by ";", empty pieces left out.
std::vector<AttributePair> splitAttributes(std::string_view text);

// The longest key or value unixODBC stores safely: its ini writer overruns
// its heap from 1000 bytes on.
inline constexpr std::size_t kMaxIniText = 999;

}  // namespace corvane
