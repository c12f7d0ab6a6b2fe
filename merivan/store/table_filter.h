#pragma once
// Record filters of the form <field> = <literal>, compiled when the table is
// opened. The literal is true or false (ignoring case), a number, or a text
// in single quotes. true means the value 1: a non-zero Boolean, a number
// equal to 1, a string equal to "True" ignoring case. A null value never matches.
#include <cstdint>
#include <string>
#include <vector>

#include "merivan/platform/engine/table_driver.h"
#include "merivan/store/field_defs.h"

namespace merivan {

class TableFilter {
 public:
  // Fails with EDatabaseError: "<tableName>: Field '<name>' not found", "Field
  // '<name>' cannot be used in a filter expression" for bytes, blob and memo
  // columns, or "Invalid filter expression: <text>".
  // `driverIndex[i]` is the driver column of field definition i.
  TableFilter(const std::string& expression, const std::string& tableName, const TFieldDefs& defs,
              const std::vector<size_t>& driverIndex);

  // Whether the driver's current record passes. `area` is scratch space of
  // at least engine::kStringAreaSize bytes.
  bool Matches(engine::TableDriver& driver, uint8_t* area) const;

 private:
  enum class Literal { kBoolean, kNumber, kText };
  size_t index_ = 0;
  TFieldType type_ = ftUnknown;
  int size_ = 0;
  Literal literal_ = Literal::kBoolean;
  double number_ = 0;  // the literal as a number: 1 for true, 0 for false
  std::string text_;   // the literal as a text: "True" or "False" for Booleans
};

}  // namespace merivan
