#include "merivan/export_table.h"

#include <cstring>
#include <exception>
#include <memory>
#include <optional>
#include <vector>

#include "merivan/batched_lines.h"
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

// The record lines straight into the output buffer, the value texts
// recoded there to code page 852 when asked. What is written goes back to
// the file when the sink is done, also when a failure ends the line.
class LineSink final : public TextSink {
 public:
  LineSink(TOutputFile& out, bool recode) : TextSink(recode), out_(out) {}
  ~LineSink() override { Sync(); }
  LineSink(const LineSink&) = delete;
  LineSink& operator=(const LineSink&) = delete;

  // Hands what was written back to the file, before others write there.
  void Sync() {
    if (next_) out_.Commit(next_);
    next_ = end_ = nullptr;
  }

 private:
  void MakeRoom(size_t n) override {
    Sync();
    next_ = out_.Reserve(n);
    end_ = out_.BufferEnd();
  }
  void Convert(char* begin, char* end) override { RecodeToCp852InPlace(begin, end); }

  TOutputFile& out_;
};

// The fields of the list, looked up on the first record in list order, so
// that a missing name fails right where its value would go. From then on a
// line whose texts all have a bound is written into one room of the
// output, the marks between the values with them; when the table's records
// also read from copies, the lines are made in batches on two threads.
class RecordWriter {
 public:
  RecordWriter(const std::vector<std::string>& names, TOutputFile& out, bool recode)
      : names_(names), out_(out), recode_(recode), line_(out, recode) {
    fields_.reserve(names.size());
  }

  void Write(TTable& table) {
    if (batches_) {
      batches_->Add(table.Driver().CurrentRecord());
    } else if (lineBound_ != 0) {
      WriteInOneRoom();
    } else {
      WriteValueByValue(table);
    }
  }

  // Writes the lines still in batches; raises the failure of an earlier
  // record that a batch met. Nothing more once a failure went out.
  void Finish() {
    if (batches_) batches_->Finish();
  }

 private:
  void WriteValueByValue(TTable& table) {
    for (size_t i = 0; i < names_.size(); ++i) {
      if (i == fields_.size()) {
        const TField& field = table.FieldByName(names_[i]);
        fields_.push_back({&field, field.DataType() == ftString});
      }
      const LineColumn& c = fields_[i];
      if (i > 0) line_.PutMark(';');
      if (c.quoted) line_.PutMark('"');
      c.field->ValueText(line_);
      if (c.quoted) line_.PutMark('"');
    }
    line_.PutMark('\r');
    line_.PutMark('\n');
    if (firstLine_) PlanOneRoom(table);
    firstLine_ = false;
  }

  // The bound of a whole line, when every text has one and they fit one room.
  void PlanOneRoom(TTable& table) {
    size_t bound = 2 + names_.size();  // the line end and the separators
    bool inCopies = table.Driver().Records() != nullptr;
    for (const LineColumn& c : fields_) {
      const size_t text = c.field->TextBound();
      if (text == 0) return;
      bound += text + (c.quoted ? 2 : 0);
      inCopies = inCopies && c.field->InRecordCopy();
    }
    if (bound > TextSink::kMaxReserve) return;
    lineBound_ = bound;
    if (!inCopies) return;
    line_.Sync();
    batches_ = std::make_unique<BatchedLines>(fields_, bound, *table.Driver().Records(), table.ValueAreaSize(),
                                              out_, recode_);
  }

  // The marks are ASCII, which recoding leaves as it is: the whole line is
  // committed, and converted, at once. A failing value keeps what came before it.
  void WriteInOneRoom() {
    char* p = line_.Reserve(lineBound_);
    try {
      WriteBoundedLine(fields_, p, [](const TField& field, char* at) { return field.ValueText(at); });
    } catch (...) {
      line_.Commit(p);
      throw;
    }
    line_.Commit(p);
  }

  const std::vector<std::string>& names_;
  TOutputFile& out_;
  const bool recode_;
  LineSink line_;
  std::vector<LineColumn> fields_;
  bool firstLine_ = true;
  size_t lineBound_ = 0;  // 0: value by value
  std::unique_ptr<BatchedLines> batches_;  // last: its thread stops before the fields it reads go
};

// The status text after each record. The count grows by one from record to
// record, so its digits are counted up in place (a carry past the first
// digit writes the text anew).
class StatusText {
 public:
  explicit StatusText(std::string& hint) : hint_(hint) {}

  void Set(int64_t records) {
    if (records == shown_ + 1 && shown_ > 0 && CountUp()) {
      shown_ = records;
      return;
    }
    char digits[format_detail::kMaxDecimalDigits + 1];
    const auto count = static_cast<size_t>(format_detail::WriteSignedDecimal(digits, records) - digits);
    hint_.assign(kStatusPrefix);
    hint_.append(digits, count);
    shown_ = records;
  }

 private:
  // Adds one to the digits at the end of hint_; false when all are nines.
  bool CountUp() {
    const size_t first = std::strlen(kStatusPrefix);
    for (size_t i = hint_.size(); i-- > first;) {
      if (hint_[i] != '9') {
        ++hint_[i];
        return true;
      }
      hint_[i] = '0';
    }
    return false;
  }

  std::string& hint_;
  int64_t shown_ = 0;  // the count at the end of hint_; 0 before the first record
};

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
  std::optional<RecordWriter> writer;
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
    writer.emplace(names, out, codePageName == kCp852Name);
    StatusText status(app.Hint);
    while (!table.Eof()) {
      Main->progres.AddProgress(1);
      app.ProcessMessages();
      app.ProcessMessages();
      writer->Write(table);
      table.Next();
      ++records;
      status.Set(records);
      if (showProgress) windows.ShowProgress(records, Main->progres.MaxValue(), table.TableName());
    }
    writer->Finish();
  } catch (...) {
    failure = std::current_exception();
    // The lines of the records before the failure still go out; a failure
    // among them came first, and is the one that goes on.
    try {
      if (writer) writer->Finish();
    } catch (...) {
      failure = std::current_exception();
    }
  }
  writer.reset();
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
