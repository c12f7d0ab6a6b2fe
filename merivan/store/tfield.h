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

  const std::string& FieldName() const { return name_; }
  TFieldType DataType() const { return type_; }
  int Size() const { return size_; }
  // Set for ftString and ftMemo: their bytes are converted to ANSI.
  bool Transliterate() const { return transliterate_; }

  // The value text of the current record; the first form replaces `out`.
  void ValueText(std::string& out) const;
  std::string ValueText() const;

 private:
  TTable& table_;
  size_t driverIndex_;
  std::string name_;
  TFieldType type_;
  int size_;
  bool transliterate_;
};

}  // namespace merivan
