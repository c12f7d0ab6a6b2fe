#include "merivan/store/engine_mapping.h"

namespace merivan {

TFieldType FieldTypeOf(engine::ColumnKind kind) {
  using engine::ColumnKind;
  switch (kind) {
    case ColumnKind::kUnknown: return ftUnknown;
    case ColumnKind::kString: return ftString;
    case ColumnKind::kSmallint: return ftSmallint;
    case ColumnKind::kInteger: return ftInteger;
    case ColumnKind::kWord: return ftWord;
    case ColumnKind::kBoolean: return ftBoolean;
    case ColumnKind::kFloat: return ftFloat;
    case ColumnKind::kCurrency: return ftCurrency;
    case ColumnKind::kBcd: return ftBCD;
    case ColumnKind::kDate: return ftDate;
    case ColumnKind::kTime: return ftTime;
    case ColumnKind::kDateTime: return ftDateTime;
    case ColumnKind::kBytes: return ftBytes;
    case ColumnKind::kVarBytes: return ftVarBytes;
    case ColumnKind::kAutoInc: return ftAutoInc;
    case ColumnKind::kBlob: return ftBlob;
    case ColumnKind::kMemo: return ftMemo;
    case ColumnKind::kGraphic: return ftGraphic;
    case ColumnKind::kFmtMemo: return ftFmtMemo;
    case ColumnKind::kParadoxOle: return ftParadoxOle;
    case ColumnKind::kDbaseOle: return ftDBaseOle;
    case ColumnKind::kTypedBinary: return ftTypedBinary;
  }
  return ftUnknown;
}

}  // namespace merivan
