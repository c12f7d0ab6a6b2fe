#include "merivan/format/date_layout.h"

namespace merivan::format_detail {

bool DateLayout::AddNumber(DatePart part, int minDigits) {
  if (count_ == kFieldsMax) return false;
  Field& field = fields_[count_++];
  field.part = part;
  field.singleBelow = minDigits == 2 ? 0 : 2 * 10;
  if (part < DatePart::Hour)
    showsDate_ = true;
  else
    showsTime_ = true;
  return true;
}

bool DateLayout::AddSeparator(std::string_view bytes) {
  if (count_ == 0) return false;
  Field& field = fields_[count_ - 1];
  if (field.tailLength + bytes.size() > kTailMax) return false;
  bytes.copy(field.tail + field.tailLength, bytes.size());
  field.tailLength = static_cast<uint8_t>(field.tailLength + bytes.size());
  return true;
}

bool DateLayout::AddDateMark(char mark) {
  usesDateMark_ = true;
  dateMark_ = mark;
  return AddSeparator(std::string_view(&mark, 1));
}

bool DateLayout::AddTimeMark(char mark) {
  usesTimeMark_ = true;
  timeMark_ = mark;
  return AddSeparator(std::string_view(&mark, 1));
}

}  // namespace merivan::format_detail
