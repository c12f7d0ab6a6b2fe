#pragma once
// The value text of one field of the current record: the bytes the export
// writes for it, in the Windows ANSI code page.
#include <cstddef>
#include <cstdint>
#include <string>

#include "merivan/platform/engine/table_driver.h"
#include "merivan/store/field_type.h"

namespace merivan {

// A string value is read into an area of this size: the widest string plus its NUL.
constexpr size_t kStringAreaSize = 8193;

struct ValueTextField {
  size_t index;       // column of the driver
  TFieldType type;
  int size;
  bool transliterate;
  const std::string* name;  // for messages
};

// Where a value text goes: straight into the export's output buffer, or
// into a string.
class TextSink {
 public:
  // The most a Reserve may ask for.
  static constexpr size_t kMaxReserve = 64 * 1024;

  virtual ~TextSink() = default;
  // Room for `n` (at most kMaxReserve) bytes at the returned place; Commit
  // then keeps what was written there up to `end`. Nothing else may come
  // between the two.
  virtual char* Reserve(size_t n) = 0;
  virtual void Commit(char* end) = 0;
  // Bytes of any count.
  virtual void Append(const char* bytes, size_t n) = 0;
};

// A sink that appends to a string.
class StringSink final : public TextSink {
 public:
  explicit StringSink(std::string& text) : text_(text) {}
  char* Reserve(size_t n) override {
    start_ = text_.size();
    text_.resize(start_ + n);
    return text_.data() + start_;
  }
  void Commit(char* end) override { text_.resize(static_cast<size_t>(end - text_.data())); }
  void Append(const char* bytes, size_t n) override { text_.append(bytes, n); }

 private:
  std::string& text_;
  size_t start_ = 0;
};

// Writes the field's text to `out`. `area` holds at least
// engine::DataAreaSize(type, size) bytes (and kStringAreaSize for strings);
// a string value is converted in place there. Fails with EDatabaseError for
// a BCD value out of range and EReadError for a blob shorter than announced,
// having written nothing.
void FieldValueText(engine::TableDriver& driver, const ValueTextField& field, uint8_t* area, TextSink& out);
// The same, replacing `out`.
void FieldValueText(engine::TableDriver& driver, const ValueTextField& field, uint8_t* area, std::string& out);

}  // namespace merivan
