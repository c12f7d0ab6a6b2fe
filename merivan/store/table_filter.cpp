#include "merivan/store/table_filter.h"

#include <cmath>
#include <cstdlib>

#include "merivan/exceptions.h"
#include "merivan/platform/locale/ascii_text.h"
#include "merivan/platform/locale/message_text.h"
#include "merivan/store/bcd.h"
#include "merivan/store/unique_names.h"

namespace merivan {

namespace {

std::string Trimmed(std::string_view s) { return std::string(platform::TrimBlanks(s)); }

bool CanFilterOn(TFieldType t) { return !(t == ftBytes || t == ftVarBytes || IsBlobType(t)); }

}  // namespace

TableFilter::TableFilter(const std::string& expression, const std::string& tableName, const TFieldDefs& defs,
                         const std::vector<size_t>& driverIndex) {
  const std::string_view whole = expression;
  const size_t eq = whole.find('=');
  const std::string name = eq == std::string::npos ? std::string() : Trimmed(whole.substr(0, eq));
  const std::string value = eq == std::string::npos ? std::string() : Trimmed(whole.substr(eq + 1));
  if (name.empty() || value.empty()) throw EDatabaseError("Invalid filter expression: " + expression);

  if (platform::EqualsIgnoringAsciiCase(value, "true") || platform::EqualsIgnoringAsciiCase(value, "false")) {
    literal_ = Literal::kBoolean;
    number_ = platform::EqualsIgnoringAsciiCase(value, "true") ? 1 : 0;
    text_ = number_ != 0 ? "True" : "False";
  } else if (value.size() >= 2 && value.front() == '\'' && value.back() == '\'') {
    literal_ = Literal::kText;
    text_ = value.substr(1, value.size() - 2);
  } else {
    char* end = nullptr;
    number_ = std::strtod(value.c_str(), &end);
    if (end != value.c_str() + value.size()) throw EDatabaseError("Invalid filter expression: " + expression);
    literal_ = Literal::kNumber;
    text_ = value;
  }

  int found = -1;
  for (int i = 0; i < defs.Count(); ++i) {
    if (SameFieldName(defs[i].Name, name)) {
      found = i;
      break;
    }
  }
  if (found < 0) throw EDatabaseError(tableName + ": Field '" + name + "' not found");
  const TFieldDef& def = defs[found];
  if (!CanFilterOn(def.DataType))
    throw EDatabaseError("Field '" + platform::ShownText(def.Name) + "' cannot be used in a filter expression");
  if (literal_ == Literal::kText && def.DataType != ftString) {
    throw EDatabaseError("Invalid filter expression: " + expression);
  }
  index_ = driverIndex[static_cast<size_t>(found)];
  type_ = def.DataType;
  size_ = def.Size;
}

bool TableFilter::Matches(engine::TableDriver& driver, uint8_t* area) const {
  if (!driver.ReadField(index_, area)) return false;
  double v = 0;
  switch (type_) {
    case ftString: {
      const size_t len = engine::StringLengthInArea(area, size_);
      if (len != text_.size()) return false;
      driver.ToAnsi(area, len);
      return SameFieldName(std::string_view(reinterpret_cast<const char*>(area), len), text_);
    }
    case ftBoolean: {
      const bool b = engine::LoadUint16(area) != 0;
      return literal_ == Literal::kBoolean ? b == (number_ != 0) : (b ? 1.0 : 0.0) == number_;
    }
    case ftSmallint: v = engine::LoadInt16(area); break;
    case ftWord: v = engine::LoadUint16(area); break;
    case ftInteger: case ftAutoInc: case ftDate: case ftTime: v = engine::LoadInt32(area); break;
    case ftFloat: case ftCurrency: case ftDateTime: v = engine::LoadDouble(area); break;
    case ftBCD: {
      int64_t fixed;
      if (!BcdToFixedPoint(area, fixed)) return false;
      v = static_cast<double>(fixed) / 10000.0;
      break;
    }
    default: return false;
  }
  return v == number_;
}

}  // namespace merivan
