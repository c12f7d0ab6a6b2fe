#pragma once
// For the readers' tests: a reader's record format must read copies of its
// records exactly as the reader reads its current record, after the table
// has moved on and on another thread.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "merivan/platform/engine/data_area.h"
#include "merivan/platform/engine/table_driver.h"

namespace merivan::testing {

// Reads the rest of the table, every field of every record from the reader
// and then from a copy of the record; blobs must be the fields the format
// does not hold. Returns the number of records read.
inline size_t ExpectCopiesReadAsTheTable(engine::TableDriver& t) {
  const engine::RecordFormat* format = t.Records();
  if (!format) {
    ADD_FAILURE() << "the reader gives no record format";
    return 0;
  }
  const std::vector<engine::FieldDescriptor>& fields = t.Fields();
  for (size_t i = 0; i < fields.size(); ++i)
    EXPECT_EQ(format->InRecord(i), !engine::IsBlobKind(fields[i].type)) << fields[i].name;

  // One field's read: whether it had a value, then its data area (past the
  // area's end too, so that a read beyond it shows), or its text.
  constexpr size_t kSlack = 16;
  auto area = [&](size_t i) { return std::string(engine::DataAreaSize(fields[i].type, fields[i].size) + kSlack, '\xEE'); };
  auto bytes = [](std::string& s) { return reinterpret_cast<uint8_t*>(s.data()); };

  // Every field the format holds, read by `readField` and `readText` (the
  // reader's calls or the format's on a copy).
  auto readAll = [&](auto readField, auto readText) {
    std::vector<std::string> reads;
    for (size_t i = 0; i < fields.size(); ++i) {
      if (!format->InRecord(i)) continue;
      std::string a = area(i);
      reads.push_back(std::string(1, readField(i, bytes(a)) ? 'v' : 'n') + a);
      if (fields[i].type != engine::ColumnKind::kString) continue;
      std::string text = area(i);
      text.resize(readText(i, bytes(text)));
      reads.push_back(text);
    }
    return reads;
  };

  std::vector<std::string> copies;
  std::vector<std::vector<std::string>> expected;
  while (t.Next()) {
    copies.emplace_back(reinterpret_cast<const char*>(t.CurrentRecord()), format->RecordSize());
    expected.push_back(readAll([&](size_t i, uint8_t* to) { return t.ReadField(i, to); },
                               [&](size_t i, uint8_t* to) { return t.ReadText(i, to); }));
    // A string's text is what reading it from the data area gives: up to its NUL, then converted.
    for (size_t i = 0; i < fields.size(); ++i) {
      if (fields[i].type != engine::ColumnKind::kString) continue;
      std::string text = area(i), plain = area(i);
      text.resize(t.ReadText(i, bytes(text)));
      const size_t n = t.ReadField(i, bytes(plain)) ? engine::StringLengthInArea(bytes(plain), fields[i].size) : 0;
      t.ToAnsi(bytes(plain), n);
      plain.resize(n);
      EXPECT_EQ(text, plain) << fields[i].name;
    }
  }

  // The copies, read on a thread of their own once the table is at its end.
  std::vector<std::vector<std::string>> fromCopies;
  std::thread([&] {
    for (const std::string& copy : copies) {
      const auto* record = reinterpret_cast<const uint8_t*>(copy.data());
      fromCopies.push_back(readAll([&](size_t i, uint8_t* to) { return format->ReadField(record, i, to); },
                                   [&](size_t i, uint8_t* to) { return format->ReadText(record, i, to); }));
    }
  }).join();
  EXPECT_EQ(fromCopies, expected);
  return copies.size();
}

}  // namespace merivan::testing
