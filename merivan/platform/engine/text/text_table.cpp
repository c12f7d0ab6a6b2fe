#include "merivan/platform/engine/text/text_table.h"

#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "merivan/platform/engine/common/engine_error.h"
#include "merivan/platform/engine/common/read_only_file.h"
#include "merivan/platform/engine/common/table_codepage.h"
#include "merivan/platform/engine/text/text_schema.h"
#include "merivan/platform/engine/text/text_values.h"
#include "merivan/platform/files/find_file.h"
#include "merivan/platform/locale/codepage.h"

namespace merivan::engine {

namespace {

// A line longer than this is no record of a text table but a damaged file.
constexpr size_t kMaxLine = 16 * 1024 * 1024;
// A schema of even 100,000 columns stays below this; a larger file is none.
constexpr uint64_t kMaxSchemaSize = 16 * 1024 * 1024;

// The lines of a file front to back, read in blocks.
class LineReader {
 public:
  explicit LineReader(const std::string& path) : file_(path), block_(64 * 1024) {}

  const std::string& Path() const { return file_.Path(); }
  // The next line without its '\n' into `line`; false at the end of the file.
  bool Next(std::string& line);
  void Rewind() { offset_ = at_ = end_ = 0; }

 private:
  ReadOnlyFile file_;
  std::vector<uint8_t> block_;
  uint64_t offset_ = 0;     // of the byte after the block
  size_t at_ = 0, end_ = 0;  // the unread bytes of the block
};

bool LineReader::Next(std::string& line) {
  line.clear();
  bool any = false;
  for (;;) {
    if (at_ == end_) {
      at_ = 0;
      end_ = file_.ReadAt(offset_, block_.size(), block_.data());
      offset_ += end_;
      if (end_ == 0) return any;
    }
    const uint8_t* from = block_.data() + at_;
    const auto* newline = static_cast<const uint8_t*>(std::memchr(from, '\n', end_ - at_));
    const size_t n = newline ? static_cast<size_t>(newline - from) : end_ - at_;
    if (line.size() + n > kMaxLine) ThrowEngineError("A line of the text table is too long.", Path());
    line.append(reinterpret_cast<const char*>(from), n);
    any = true;
    at_ += n;
    if (newline) {
      ++at_;
      return true;
    }
  }
}

std::string SchemaPathOf(const std::string& path) {
  const std::optional<std::string> found = platform::FindBesideIgnoringCase(path, ".sch");
  if (!found) {
    const std::string name = platform::ReplaceExtension(std::filesystem::path(path).filename(), ".sch");
    ThrowEngineError("The text table has no schema file " + name + " beside it.", path);
  }
  return *found;
}

std::string ReadWhole(const std::string& path) {
  const ReadOnlyFile file(path);
  if (file.Size() > kMaxSchemaSize) ThrowEngineError("The schema file is too large.", path);
  std::string text(static_cast<size_t>(file.Size()), '\0');
  text.resize(file.ReadAt(0, text.size(), reinterpret_cast<uint8_t*>(text.data())));
  return text;
}

class TextTable : public TableDriver {
 public:
  explicit TextTable(const std::string& path);

  const std::vector<FieldDescriptor>& Fields() const override { return descriptors_; }
  int32_t RecordCount() const override { return records_; }
  bool Next() override;
  bool ReadField(size_t index, uint8_t* area) override;
  uint32_t BlobSize(size_t) override { return 0; }
  uint32_t ReadBlob(size_t, uint32_t, uint32_t, uint8_t*) override { return 0; }
  void ToAnsi(uint8_t* bytes, size_t count) const override {
    if (!schema_.ansi) ConvertBytes(toAnsi_, keepsAscii_, bytes, count);
  }

 private:
  // The next record line into line_ (end marks and blank lines skipped); false at the end.
  bool ReadLine();
  void SplitVarying();

  TextSchema schema_;
  const platform::ByteMap& toAnsi_;
  const bool keepsAscii_;
  std::vector<FieldDescriptor> descriptors_;
  LineReader file_;
  int32_t records_ = 0;
  std::string line_;
  bool current_ = false;
  bool ended_ = false;
  // VARYING: where each value of the current line lies.
  struct Value {
    bool present = false;
    bool quoted = false;
    size_t start = 0;
    size_t length = 0;
  };
  std::vector<Value> values_;
};

TextTable::TextTable(const std::string& path)
    : toAnsi_(platform::OemToAnsiMap()), keepsAscii_(KeepsAscii(toAnsi_)), file_(path) {
  const std::string schemaPath = SchemaPathOf(path);
  schema_ = ParseTextSchema(ReadWhole(schemaPath), schemaPath);
  for (const TextColumn& c : schema_.columns) {
    std::string name = c.name;
    ToAnsi(reinterpret_cast<uint8_t*>(name.data()), name.size());
    descriptors_.push_back(FieldDescriptor{name, c.type, c.type == ColumnKind::kString ? c.width : 0});
  }
  int64_t count = 0;
  while (ReadLine()) ++count;
  if (count > INT32_MAX) ThrowEngineError("The text table has too many lines.", file_.Path());
  records_ = static_cast<int32_t>(count);
  file_.Rewind();
  values_.resize(schema_.columns.size());
}

bool TextTable::ReadLine() {
  for (;;) {
    if (!file_.Next(line_)) return false;
    if (!line_.empty() && line_.back() == '\r') line_.pop_back();
    // MS-DOS editors end the file with Ctrl-Z.
    if (!line_.empty() && line_.back() == '\x1A') line_.pop_back();
    if (!line_.empty()) return true;
  }
}

bool TextTable::Next() {
  if (ended_) return false;
  current_ = ReadLine();
  if (!current_) {
    ended_ = true;
    return false;
  }
  if (!schema_.fixed) SplitVarying();
  return true;
}

// Values apart at the separator; a value that starts with the delimiter
// runs to the delimiter that is followed by a separator or the line's end.
void TextTable::SplitVarying() {
  const char sep = schema_.separator, del = schema_.delimiter;
  const size_t size = line_.size();
  size_t at = 0;
  bool more = true;  // a value starts at `at`
  for (size_t i = 0; i < values_.size(); ++i) {
    Value& v = values_[i];
    v.present = more;
    if (!more) continue;
    v.quoted = del != '\0' && at < size && line_[at] == del;
    size_t end;
    if (v.quoted) {
      size_t close = at + 1;
      while (close < size && !(line_[close] == del && (close + 1 == size || line_[close + 1] == sep))) ++close;
      v.start = at + 1;
      v.length = close - v.start;
      end = close < size ? close + 1 : size;
    } else {
      end = line_.find(sep, at);
      if (end == std::string::npos) end = size;
      v.start = at;
      v.length = end - at;
    }
    more = end < size;  // line_[end] is a separator
    at = end + 1;
  }
}

bool TextTable::ReadField(size_t index, uint8_t* area) {
  if (!current_ || index >= schema_.columns.size()) ThrowNoSuchField();
  const TextColumn& c = schema_.columns[index];
  std::string_view value;
  if (schema_.fixed) {
    const size_t offset = static_cast<size_t>(c.offset);
    if (offset >= line_.size()) return false;
    value = std::string_view(line_).substr(offset, static_cast<size_t>(c.width));
  } else {
    const Value& v = values_[index];
    if (!v.present) return false;
    value = std::string_view(line_).substr(v.start, v.length);
    // An empty value without delimiters is null; "" is an empty text.
    if (value.empty() && !v.quoted) return false;
  }
  return DecodeTextValue(c, value, area);
}

}  // namespace

std::unique_ptr<TableDriver> OpenTextTable(const std::string& path) { return std::make_unique<TextTable>(path); }

}  // namespace merivan::engine
