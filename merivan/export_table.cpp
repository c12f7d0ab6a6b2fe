#include "merivan/export_table.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <vector>

#include "merivan/exceptions.h"
#include "merivan/field_list.h"
#include "merivan/format/decimal_digits.h"
#include "merivan/output_file.h"
#include "merivan/recode_cp852.h"
#include "merivan/uetxt.h"

namespace merivan {

namespace {

constexpr const char* kActiveOnlyTable = "adresati.db";
constexpr const char* kActiveOnlyFilter = "Aktivni=true";
constexpr const char* kLineEnd = "\r\n";
// "Export. Počet záznamů: " in Windows-1250.
constexpr const char* kStatusPrefix = "Export. Po\xE8" "et z\xE1znam\xF9: ";

void WriteHeader(TTable& table, TOutputFile& out, std::vector<std::string>& names) {
  names.clear();
  const TFieldDefs& defs = table.FieldDefs();
  for (int i = 0; i < defs.Count(); ++i) {
    names.push_back(defs[i].Name);
    if (i > 0) out.Write(';');
    out.Write(defs[i].Name);
  }
  out.Write(kLineEnd);
}

// Value texts straight into the output buffer, recoded there to code page
// 852 when asked.
class ValueSink final : public TextSink {
 public:
  ValueSink(TOutputFile& out, bool recode) : out_(out), recode_(recode) {}

  char* Reserve(size_t n) override { return start_ = out_.Reserve(n); }
  void Commit(char* end) override {
    if (recode_) RecodeToCp852InPlace(start_, end);
    out_.Commit(end);
  }
  void Append(const char* bytes, size_t n) override {
    if (!recode_) {
      out_.Write(std::string_view(bytes, n));
      return;
    }
    while (n > 0) {
      const size_t part = std::min(n, kMaxReserve);
      char* room = Reserve(part);
      std::memcpy(room, bytes, part);
      Commit(room + part);
      bytes += part;
      n -= part;
    }
  }

 private:
  TOutputFile& out_;
  bool recode_;
  char* start_ = nullptr;
};

// The fields of the list, looked up on the first record in list order, so
// that a missing name fails right where its value would go.
class RecordWriter {
 public:
  RecordWriter(const std::vector<std::string>& names, TOutputFile& out, bool recode)
      : names_(names), out_(out), values_(out, recode) {
    fields_.reserve(names.size());
  }

  void Write(TTable& table) {
    for (size_t i = 0; i < names_.size(); ++i) {
      if (i == fields_.size()) fields_.push_back(&table.FieldByName(names_[i]));
      const TField& field = *fields_[i];
      if (i > 0) out_.Write(';');
      const bool quoted = field.DataType() == ftString;
      if (quoted) out_.Write('"');
      field.ValueText(values_);
      if (quoted) out_.Write('"');
    }
    out_.Write('\r');
    out_.Write('\n');
  }

 private:
  const std::vector<std::string>& names_;
  TOutputFile& out_;
  ValueSink values_;
  std::vector<const TField*> fields_;
};

// Only the digits change from one record to the next, so they are written
// over the old ones when their count stays.
void SetStatus(TApplication& app, int64_t records) {
  char digits[format_detail::kMaxDecimalDigits + 1];
  const auto count = static_cast<size_t>(format_detail::WriteSignedDecimal(digits, records) - digits);
  std::string& hint = app.Hint;
  const size_t prefix = std::strlen(kStatusPrefix);
  if (hint.size() != prefix + count || hint.compare(0, prefix, kStatusPrefix) != 0) {
    hint.assign(kStatusPrefix);
    hint.append(digits, count);
    return;
  }
  std::memcpy(&hint[prefix], digits, count);
}

}  // namespace

void ExportTable(TTable& table, const std::string& outputPath, const std::string& codePageName,
                 const std::string& fieldList) {
  if (Main == nullptr) throw EInvalidOperation("ExportTable needs the main window");
  TApplication& app = Main->Application();
  platform::WindowSystem& windows = app.WindowSystem();
  int64_t records = 0;
  TOutputFile out(outputPath);
  // A progress line on the terminal would land among the lines of an output
  // file that is that terminal.
  const bool showProgress = !out.IsTerminal();
  bool openedHere = false;
  std::exception_ptr failure;
  try {
    std::vector<std::string> names = ParseFieldList(fieldList);
    if (app.ParamStr(2) == kActiveOnlyTable) {
      table.SetFilter(kActiveOnlyFilter);
      table.SetFiltered(true);
    } else {
      table.SetFilter("");
      table.SetFiltered(false);
    }
    openedHere = !table.Active();
    table.SetActive(true);
    if (fieldList.empty()) WriteHeader(table, out, names);
    Main->progres.SetMinValue(0);
    Main->progres.SetMaxValue(table.RecordCount());
    RecordWriter writer(names, out, codePageName == kCp852Name);
    while (!table.Eof()) {
      Main->progres.AddProgress(1);
      app.ProcessMessages();
      app.ProcessMessages();
      writer.Write(table);
      table.Next();
      ++records;
      SetStatus(app, records);
      if (showProgress) windows.ShowProgress(records, Main->progres.MaxValue(), table.TableName());
    }
  } catch (...) {
    failure = std::current_exception();
  }
  // Clean-up, table then file, whatever happened. The first failure is the
  // one that goes on: a clean-up step failing after it never replaces it.
  windows.EndProgress();
  try {
    if (openedHere) table.SetActive(false);
  } catch (...) {
    if (!failure) failure = std::current_exception();
  }
  try {
    out.Close();
  } catch (...) {
    if (!failure) failure = std::current_exception();
  }
  if (failure) std::rethrow_exception(failure);
}

}  // namespace merivan
