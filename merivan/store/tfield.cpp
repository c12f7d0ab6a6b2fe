#include "merivan/store/tfield.h"

#include "merivan/store/engine_mapping.h"
#include "merivan/store/ttable.h"

namespace merivan {

TField::TField(TTable& table, size_t driverIndex, const TFieldDef& def)
    : table_(table),
      name_(def.Name),
      value_{driverIndex, def.DataType, def.Size, def.DataType == ftString || def.DataType == ftMemo, &name_} {}

void TField::ValueText(TextSink& out) const {
  CallEngine([&] { FieldValueText(table_.Driver(), value_, table_.ValueArea(), out); });
}

char* TField::ValueText(char* out) const {
  return CallEngine([&] { return FieldValueText(table_.Driver(), value_, table_.ValueArea(), out); });
}

bool TField::InRecordCopy() const {
  const engine::RecordFormat* format = table_.Driver().Records();
  return format && format->InRecord(value_.index);
}

char* TField::ValueText(const engine::RecordFormat& format, const uint8_t* record, uint8_t* area, char* out) const {
  return CallEngine([&] { return FieldValueText(format, record, value_, area, out); });
}

void TField::ValueText(std::string& out) const {
  CallEngine([&] { FieldValueText(table_.Driver(), value_, table_.ValueArea(), out); });
}

std::string TField::ValueText() const {
  std::string out;
  ValueText(out);
  return out;
}

}  // namespace merivan
