#pragma once
// Text the user typed that must not outlive its use, such as a password:
// UTF-8 bytes that are never copied, and overwritten when the text is
// destroyed, cleared, moved from, or outgrows its buffer.
#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>

namespace merivan::platform {

class SecretText {
 public:
  SecretText() = default;
  explicit SecretText(std::string_view utf8) { Append(utf8); }
  // The moved-from text is left empty; its buffer now belongs to the new one.
  SecretText(SecretText&& other) noexcept
      : bytes_(std::move(other.bytes_)),
        size_(std::exchange(other.size_, 0)),
        capacity_(std::exchange(other.capacity_, 0)) {}
  SecretText& operator=(SecretText&& other) noexcept {
    if (this != &other) {
      Clear();
      bytes_ = std::move(other.bytes_);
      size_ = std::exchange(other.size_, 0);
      capacity_ = std::exchange(other.capacity_, 0);
    }
    return *this;
  }
  SecretText(const SecretText&) = delete;
  SecretText& operator=(const SecretText&) = delete;
  ~SecretText() { Clear(); }

  std::string_view View() const { return {bytes_.get(), size_}; }
  size_t Size() const { return size_; }
  bool Empty() const { return size_ == 0; }

  // Characters, not bytes: a masked entry shows one '*' for each.
  size_t CharacterCount() const {
    size_t count = 0;
    for (size_t i = 0; i < size_; ++i) count += IsContinuation(bytes_[i]) ? 0 : 1;
    return count;
  }

  void Append(std::string_view utf8) {
    if (utf8.empty()) return;
    if (size_ + utf8.size() > capacity_) Grow(size_ + utf8.size());
    std::memcpy(bytes_.get() + size_, utf8.data(), utf8.size());
    size_ += utf8.size();
  }

  // Removes the last character with all its bytes (BackSpace).
  void RemoveLastCharacter() {
    while (size_ > 0) {
      const char last = bytes_[--size_];
      bytes_[size_] = 0;
      if (!IsContinuation(last)) break;
    }
  }

  // Overwrites the bytes, then forgets them; the buffer stays for reuse.
  void Clear() {
    // explicit_bzero is a write the compiler may not drop as dead.
    if (bytes_) explicit_bzero(bytes_.get(), capacity_);
    size_ = 0;
  }

 private:
  static bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

  void Grow(size_t needed) {
    size_t capacity = capacity_ ? capacity_ : 32;
    while (capacity < needed) capacity *= 2;
    auto bytes = std::make_unique<char[]>(capacity);
    if (size_) std::memcpy(bytes.get(), bytes_.get(), size_);
    if (bytes_) explicit_bzero(bytes_.get(), capacity_);
    bytes_ = std::move(bytes);
    capacity_ = capacity;
  }

  std::unique_ptr<char[]> bytes_;
  size_t size_ = 0;
  size_t capacity_ = 0;
};

}  // namespace merivan::platform
