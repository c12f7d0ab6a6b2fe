#pragma once
// Field definitions of an open table: name, data type and size of every
// column, in column order.
#include <string>
#include <vector>

#include "merivan/store/field_type.h"

namespace merivan {

struct TFieldDef {
  std::string Name;  // Windows ANSI bytes, unique ignoring case
  TFieldType DataType = ftUnknown;
  int Size = 0;  // see engine::FieldDescriptor::size
};

class TFieldDefs {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  const TFieldDef& operator[](int i) const { return items_.at(static_cast<size_t>(i)); }
  void Clear() { items_.clear(); }
  void Add(TFieldDef def) { items_.push_back(std::move(def)); }

 private:
  std::vector<TFieldDef> items_;
};

}  // namespace merivan
