#pragma once
// One column of an open table, reading the current record's value.
#include <string>

#include "merivan/store/field_defs.h"
#include "merivan/store/value_text.h"

namespace merivan {

class TTable;

class TField {
 public:
  TField(TTable& table, size_t driverIndex, const TFieldDef& def);
  // The value description points at the field's own name: fields stay put.
  TField(const TField&) = delete;
  TField& operator=(const TField&) = delete;

  const std::string& FieldName() const { return name_; }
  TFieldType DataType() const { return value_.type; }
  int Size() const { return value_.size; }
  // Set for ftString and ftMemo: their bytes are converted to ANSI.
  bool Transliterate() const { return value_.transliterate; }

  // The value text of the current record: written to `out`, replacing
  // `out`, or returned.
  void ValueText(TextSink& out) const;
  // At `out`, which has room for TextBound() bytes; returns the end. Only
  // for a field whose TextBound() is not 0.
  char* ValueText(char* out) const;
  size_t TextBound() const { return ValueTextBound(value_); }
  // Whether the text can also be had from a copy of the current record: the
  // table's records have a format (engine::TableDriver::Records) that holds
  // this field's value whole.
  bool InRecordCopy() const;
  // The text from a copy of a record of this table, read by `format` (the
  // table's own), at `out` with room for TextBound() bytes; `area` is the
  // caller's scratch of TTable::ValueAreaSize bytes. For a field with a
  // bound that is InRecordCopy; safe on any thread while the table is open.
  char* ValueText(const engine::RecordFormat& format, const uint8_t* record, uint8_t* area, char* out) const;
  void ValueText(std::string& out) const;
  std::string ValueText() const;

 private:
  TTable& table_;
  std::string name_;
  ValueTextField value_;  // what the value text reads, fixed at opening
};

}  // namespace merivan
