#pragma once
// The value text of one field of the current record: the bytes the export
// writes for it, in the Windows ANSI code page.
#include <cstddef>
#include <cstdint>
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

// Replaces `out` with the field's text. `area` holds at least
// engine::DataAreaSize of the column bytes (and engine::kStringAreaSize for strings).
// Fails with EDatabaseError for a BCD value out of range and EReadError for
// a blob shorter than announced.
void FieldValueText(engine::TableDriver& driver, const ValueTextField& field, uint8_t* area, std::string& out);

}  // namespace merivan
