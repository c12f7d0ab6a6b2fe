#include "merivan/platform/engine/text/text_table.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "merivan/exceptions.h"
#include "merivan/platform/engine/common/engine_error.h"
#include "merivan/platform/engine/common/table_codepage.h"
#include "merivan/platform/engine/text/text_schema.h"
#include "merivan/platform/engine/text/text_values.h"
#include "merivan/platform/files/find_file.h"
#include "merivan/platform/locale/codepage.h"

namespace merivan::engine {

namespace {

// A line longer than this is no record of a text table but a damaged file.
constexpr size_t kMaxLine = 16 * 1024 * 1024;

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File OpenOrFail(const std::string& path) {
  // A folder or a FIFO named like a table would read as an error or wait forever.
  struct stat st;
  if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) ThrowEngineError("Not a regular file.", path);
  File f(std::fopen(path.c_str(), "rb"));
  if (!f) ThrowEngineError("Cannot open file.", path);
  return f;
}

std::string SchemaPathOf(const std::string& path) {
  const std::optional<std::string> found = platform::FindBesideIgnoringCase(path, ".sch");
  if (!found) {
    const std::string name = platform::ReplaceExtension(path.substr(path.find_last_of('/') + 1), ".sch");
    ThrowEngineError("The text table has no schema file " + name + " beside it.", path);
  }
  return *found;
}

std::string ReadWhole(const std::string& path) {
  File f = OpenOrFail(path);
  std::string text;
  char buf[8192];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f.get())) > 0) {
    text.append(buf, n);
    if (text.size() > kMaxLine) ThrowEngineError("The schema file is too large.", path);
  }
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

  std::string path_;
  TextSchema schema_;
  const platform::ByteMap& toAnsi_;
  const bool keepsAscii_;
  std::vector<FieldDescriptor> descriptors_;
  File file_;
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
    : path_(path), toAnsi_(platform::OemToAnsiMap()), keepsAscii_(KeepsAscii(toAnsi_)), file_(OpenOrFail(path)) {
  const std::string schemaPath = SchemaPathOf(path);
  schema_ = ParseTextSchema(ReadWhole(schemaPath), schemaPath);
  for (const TextColumn& c : schema_.columns) {
    std::string name = c.name;
    ToAnsi(reinterpret_cast<uint8_t*>(name.data()), name.size());
    descriptors_.push_back(FieldDescriptor{name, c.type, c.type == ftString ? c.width : 0});
  }
  int64_t count = 0;
  while (ReadLine()) ++count;
  if (count > INT32_MAX) ThrowEngineError("The text table has too many lines.", path_);
  records_ = static_cast<int32_t>(count);
  std::rewind(file_.get());
  values_.resize(schema_.columns.size());
}

bool TextTable::ReadLine() {
  for (;;) {
    line_.clear();
    int c;
    bool any = false;
    while ((c = getc_unlocked(file_.get())) != EOF) {
      any = true;
      if (c == '\n') break;
      line_.push_back(static_cast<char>(c));
      if (line_.size() > kMaxLine) ThrowEngineError("A line of the text table is too long.", path_);
    }
    if (std::ferror(file_.get())) ThrowEngineError("Read error.", path_);
    if (!any) return false;
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
  if (!current_ || index >= schema_.columns.size()) throw EInvalidOperation("No current record or no such field");
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
