#pragma once
// Field data types of the table store, in their fixed order.
namespace merivan {

enum TFieldType {
  ftUnknown,
  ftString,
  ftSmallint,
  ftInteger,
  ftWord,
  ftBoolean,
  ftFloat,
  ftCurrency,
  ftBCD,
  ftDate,
  ftTime,
  ftDateTime,
  ftBytes,
  ftVarBytes,
  ftAutoInc,
  ftBlob,
  ftMemo,
  ftGraphic,
  ftFmtMemo,
  ftParadoxOle,
  ftDBaseOle,
  ftTypedBinary,
  ftCursor,
};

// True for the types whose content is read through the blob reader.
inline bool IsBlobType(TFieldType t) {
  return t == ftBlob || t == ftMemo || t == ftGraphic || t == ftFmtMemo ||
         t == ftParadoxOle || t == ftDBaseOle || t == ftTypedBinary;
}

}  // namespace merivan
