#include "merivan/store/tfield.h"

#include "merivan/store/ttable.h"

namespace merivan {

TField::TField(TTable& table, size_t driverIndex, const TFieldDef& def)
    : table_(table),
      driverIndex_(driverIndex),
      name_(def.Name),
      type_(def.DataType),
      size_(def.Size),
      transliterate_(def.DataType == ftString || def.DataType == ftMemo) {}

void TField::ValueText(std::string& out) const {
  const ValueTextField f{driverIndex_, type_, size_, transliterate_, &name_};
  FieldValueText(table_.Driver(), f, table_.ValueArea(), out);
}

std::string TField::ValueText() const {
  std::string out;
  ValueText(out);
  return out;
}

}  // namespace merivan
