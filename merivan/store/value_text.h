#pragma once
// The value text of one field of the current record: the bytes the export
// writes for it, in the Windows ANSI code page.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "merivan/platform/engine/table_driver.h"
#include "merivan/store/field_type.h"

namespace merivan {

struct ValueTextField {
  size_t index;       // column of the driver
  TFieldType type;
  int size;
  bool transliterate;
  const std::string* name;  // for messages
};

// Where a value text goes: a window of room that the text is written into
// in place, moved on by the sink when it runs out (the export's output
// buffer, or a string). Everything inline is a pointer test or two: the
// export writes several texts per record through it.
class TextSink {
 public:
  // The most one Reserve may ask for.
  static constexpr size_t kMaxReserve = 64 * 1024;

  virtual ~TextSink() = default;

  // Room for `n` (at most kMaxReserve) bytes at the returned place; Commit
  // then keeps what was written there up to `end`, converted when the sink
  // converts. Nothing else may come between the two.
  char* Reserve(size_t n) {
    if (static_cast<size_t>(end_ - next_) < n) MakeRoom(n);
    return start_ = next_;
  }
  void Commit(char* end) {
    if (converting_) Convert(start_, end);
    next_ = end;
  }
  // Bytes of a value, of any count.
  void Append(const char* bytes, size_t n) {
    while (n > 0) {
      const size_t part = n < kMaxReserve ? n : kMaxReserve;
      char* room = Reserve(part);
      std::memcpy(room, bytes, part);
      Commit(room + part);
      bytes += part;
      n -= part;
    }
  }
  // A byte of the writer's own (a separator, a quote, a line end): never converted.
  void PutMark(char c) {
    if (next_ == end_) MakeRoom(1);
    *next_++ = c;
  }

 protected:
  explicit TextSink(bool converting = false) : converting_(converting) {}
  // Makes room for `n` bytes at next_, setting next_ and end_ anew.
  virtual void MakeRoom(size_t n) = 0;
  virtual void Convert(char* /*begin*/, char* /*end*/) {}

  char* next_ = nullptr;
  char* end_ = nullptr;

 private:
  const bool converting_;
  char* start_ = nullptr;
};

// A sink that appends to a string; the string holds exactly what was
// written once the sink is gone.
class StringSink final : public TextSink {
 public:
  explicit StringSink(std::string& text) : text_(text) {}
  ~StringSink() override { text_.resize(Used()); }
  StringSink(const StringSink&) = delete;
  StringSink& operator=(const StringSink&) = delete;

 private:
  size_t Used() const { return next_ ? static_cast<size_t>(next_ - text_.data()) : text_.size(); }
  void MakeRoom(size_t n) override {
    const size_t used = Used();
    text_.resize(std::max(used + n, 2 * text_.size()));
    next_ = text_.data() + used;
    end_ = text_.data() + text_.size();
  }

  std::string& text_;
};

// The most bytes the field's text can take; 0 when only its content tells
// (blobs, and Bytes longer than one room of a TextSink).
size_t ValueTextBound(const ValueTextField& field);

// Writes the text of a field with a bound at `out`, which has room for it,
// and returns its end. Fails as the sink form does, having written nothing
// that counts.
char* FieldValueText(engine::TableDriver& driver, const ValueTextField& field, uint8_t* area, char* out);
// The same from a copy of a record, read by the table's format, for a field
// the format has InRecord. Safe on any thread while the table is open.
char* FieldValueText(const engine::RecordFormat& format, const uint8_t* record, const ValueTextField& field,
                     uint8_t* area, char* out);

// Writes the field's text to `out`. `area` holds at least
// engine::DataAreaSize of the column bytes; a string value is read and
// converted in the sink's room instead. Fails with EDatabaseError for
// a BCD value out of range and EReadError for a blob shorter than announced,
// having written nothing.
void FieldValueText(engine::TableDriver& driver, const ValueTextField& field, uint8_t* area, TextSink& out);
// The same, replacing `out`.
void FieldValueText(engine::TableDriver& driver, const ValueTextField& field, uint8_t* area, std::string& out);

}  // namespace merivan
