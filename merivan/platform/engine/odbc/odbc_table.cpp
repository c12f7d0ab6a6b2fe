#include "merivan/platform/engine/odbc/odbc_table.h"

#include <sqlext.h>
#include <sqlucode.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "merivan/platform/engine/common/engine_error.h"
#include "merivan/platform/engine/odbc/odbc_columns.h"
#include "merivan/platform/engine/odbc/odbc_error.h"
#include "merivan/platform/engine/odbc/odbc_handles.h"
#include "merivan/platform/engine/odbc/odbc_profile.h"
#include "merivan/platform/engine/odbc/odbc_table_name.h"
#include "merivan/platform/engine/odbc/odbc_values.h"
#include "merivan/platform/locale/codepage.h"
#include "merivan/platform/locale/wide_text.h"

namespace merivan::engine::odbc {

namespace {

// Bytes of bound buffers for one block of rows, and the most rows a block holds.
constexpr size_t kBlockBytes = 1 << 20;
constexpr SQLULEN kMaxBlockRows = 1024;
// Pieces in which whole values (memos, blobs) are read.
constexpr SQLLEN kPieceBytes = 64 * 1024;

std::string Ansi(const std::string& utf8) { return platform::Utf8ToCodePage(utf8, platform::AnsiCodePage()); }

[[noreturn]] void UnknownAlias(const std::string& dataSource) {
  ThrowOdbcError("Unknown database alias: " + Ansi(dataSource));
}

// Appends a connection-string value: as it is when it can stand so, else in
// braces (a closing brace inside doubled), so that ";" inside it stays its
// own. Drivers differ in taking braces off (psqlodbc does for PWD, not for
// UID), so only the values that need them get them.
void AppendValue(std::string_view value, platform::SecretText& out) {
  const bool plain = value.find_first_of(";{}") == std::string_view::npos &&
                     (value.empty() || (value.front() != ' ' && value.back() != ' '));
  if (plain) {
    out.Append(value);
    return;
  }
  out.Append("{");
  for (size_t i = 0; i < value.size(); ++i) {
    out.Append(value.substr(i, 1));
    if (value[i] == '}') out.Append("}");
  }
  out.Append("}");
}

DataSourceProfile ProfileOf(const std::string& dataSource) {
  if (!IsDataSourceName(dataSource)) UnknownAlias(dataSource);
  auto profile = DataSourceProfile::Read(dataSource);
  if (!profile) UnknownAlias(dataSource);
  const auto driver = profile->Value("Driver");
  if (!driver || driver->empty()) {
    ThrowOdbcError("The data source names no ODBC driver: its odbc.ini section has no Driver line" +
                   DataSourceLine(dataSource));
  }
  return *profile;
}

std::u16string Wide(const std::string& utf8) { return platform::Utf8ToUtf16(utf8); }

SQLWCHAR* WideArg(std::u16string& s) { return reinterpret_cast<SQLWCHAR*>(s.data()); }

void ExecDirect(const Statement& stmt, const std::string& sql, const std::string& dataSource) {
  std::u16string wide = Wide(sql);
  Check(SQLExecDirectW(stmt.get(), WideArg(wide), static_cast<SQLINTEGER>(wide.size())), SQL_HANDLE_STMT, stmt.get(),
        dataSource, "The statement failed");
}

void SetQueryTimeout(const Statement& stmt) {
  // Drivers that have no query timeout refuse it; the login timeout still applies.
  SQLSetStmtAttr(stmt.get(), SQL_ATTR_QUERY_TIMEOUT, reinterpret_cast<SQLPOINTER>(kQueryTimeoutSeconds), 0);
}

// A text column of the current row read with SQLGetData (catalog results).
std::string TextColumn(const Statement& stmt, SQLUSMALLINT column) {
  SQLWCHAR buf[1024];
  SQLLEN ind = 0;
  if (!SQL_SUCCEEDED(SQLGetData(stmt.get(), column, SQL_C_WCHAR, buf, sizeof buf, &ind)) || ind == SQL_NULL_DATA)
    return std::string();
  const size_t units = ind == SQL_NO_TOTAL ? 1023 : std::min<size_t>(static_cast<size_t>(ind) / sizeof(SQLWCHAR), 1023);
  return platform::Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(buf), units));
}

std::vector<TableEntry> ListTables(const Connection& connection, const std::string& dataSource) {
  Statement stmt(connection, dataSource);
  SetQueryTimeout(stmt);
  Check(SQLTablesW(stmt.get(), nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0), SQL_HANDLE_STMT, stmt.get(),
        dataSource, "Cannot list the tables");
  std::vector<TableEntry> tables;
  while (true) {
    const SQLRETURN rc = SQLFetch(stmt.get());
    if (rc == SQL_NO_DATA) break;
    Check(rc, SQL_HANDLE_STMT, stmt.get(), dataSource, "Cannot list the tables");
    tables.push_back(TableEntry{TextColumn(stmt, 2), TextColumn(stmt, 3)});
  }
  return tables;
}

std::string QuoteCharacter(const Connection& connection) {
  SQLWCHAR quote[8] = {};
  SQLSMALLINT length = 0;
  if (!SQL_SUCCEEDED(SQLGetInfoW(connection.get(), SQL_IDENTIFIER_QUOTE_CHAR, quote, sizeof quote, &length)))
    return "\"";
  const size_t units = std::min<size_t>(static_cast<size_t>(length) / sizeof(SQLWCHAR), 7);
  return platform::Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(quote), units));
}

// Where a column's values of the current block are.
struct ColumnBuffer {
  std::vector<uint8_t> data;  // rows x plan.bufferBytes
  std::vector<SQLLEN> indicators;
  std::string whole;  // a memo (ANSI) or blob of the current row; empty when NULL
};

class OdbcTable : public TableDriver {
 public:
  OdbcTable(const std::string& dataSource, const std::string& tableName, const std::optional<Login>& login);

  const std::vector<FieldDescriptor>& Fields() const override { return fields_; }
  int32_t RecordCount() const override { return recordCount_; }
  bool Next() override;
  bool ReadField(size_t index, uint8_t* area) override;
  uint32_t BlobSize(size_t index) override;
  uint32_t ReadBlob(size_t index, uint32_t offset, uint32_t count, uint8_t* dst) override;
  // Text arrives as wide characters and is encoded to ANSI as it is read.
  void ToAnsi(uint8_t*, size_t) const override {}

 private:
  void Connect(const std::optional<Login>& login);
  TableEntry FindTable(const std::string& tableName);
  void CountRecords(const std::string& from);
  void DescribeColumns();
  void BindBlock();
  void FetchBlock();
  void ReadUnbound();
  void ReadWhole(size_t k);
  // The memo or blob value of column `index` in the current row.
  const std::string& Whole(size_t index) const;

  std::string dataSource_;
  platform::Utf16Encoder ansi_;
  Environment env_;
  Connection connection_;
  std::unique_ptr<Statement> stmt_;
  int32_t recordCount_ = -1;
  std::vector<ColumnPlan> plans_;
  std::vector<FieldDescriptor> fields_;
  std::vector<ColumnBuffer> buffers_;
  // Columns from the first whole-value one on are read with SQLGetData, one
  // row at a time, since drivers need not support it within blocks of rows.
  size_t firstUnbound_ = 0;
  SQLULEN blockRows_ = 1;
  SQLULEN fetched_ = 0;
  std::vector<SQLUSMALLINT> rowStatus_;
  SQLULEN current_ = 0;
  bool started_ = false;
  bool done_ = false;
  std::vector<uint8_t> piece_;
};

OdbcTable::OdbcTable(const std::string& dataSource, const std::string& tableName, const std::optional<Login>& login)
    : dataSource_(dataSource),
      ansi_(platform::AnsiCodePage()),
      env_(dataSource),
      connection_(env_, dataSource) {
  Connect(login);
  const std::string from = QualifiedName(FindTable(tableName), QuoteCharacter(connection_));
  CountRecords(from);
  stmt_ = std::make_unique<Statement>(connection_, dataSource_);
  SetQueryTimeout(*stmt_);
  ExecDirect(*stmt_, "SELECT * FROM " + from, dataSource_);
  DescribeColumns();
  BindBlock();
}

void OdbcTable::Connect(const std::optional<Login>& login) {
  SQLSetConnectAttr(connection_.get(), SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(kLoginTimeoutSeconds), 0);
  SQLSetConnectAttr(connection_.get(), SQL_ATTR_CONNECTION_TIMEOUT, reinterpret_cast<SQLPOINTER>(kQueryTimeoutSeconds),
                    0);
  // The password goes into this string only, which wipes itself.
  platform::SecretText text("DSN=" + dataSource_ + ";");
  if (login) {
    text.Append("UID=");
    AppendValue(login->user, text);
    text.Append(";PWD=");
    AppendValue(login->password.View(), text);
    text.Append(";");
  }
  connection_.Connect(text.View());
}

TableEntry OdbcTable::FindTable(const std::string& tableName) {
  if (auto found = ResolveTableName(tableName, ListTables(connection_, dataSource_))) return *found;
  ThrowOdbcError("Table does not exist.\r\nTable: " + Ansi(tableName) + DataSourceLine(dataSource_));
}

void OdbcTable::CountRecords(const std::string& from) {
  Statement count(connection_, dataSource_);
  SetQueryTimeout(count);
  ExecDirect(count, "SELECT COUNT(*) FROM " + from, dataSource_);
  SQLBIGINT n = -1;
  SQLLEN ind = 0;
  Check(SQLFetch(count.get()), SQL_HANDLE_STMT, count.get(), dataSource_, "Cannot count the records");
  Check(SQLGetData(count.get(), 1, SQL_C_SBIGINT, &n, sizeof n, &ind), SQL_HANDLE_STMT, count.get(), dataSource_,
        "Cannot count the records");
  recordCount_ = ind == SQL_NULL_DATA || n < 0 || n > INT32_MAX ? -1 : static_cast<int32_t>(n);
}

void OdbcTable::DescribeColumns() {
  SQLSMALLINT columns = 0;
  Check(SQLNumResultCols(stmt_->get(), &columns), SQL_HANDLE_STMT, stmt_->get(), dataSource_,
        "Cannot describe the result");
  for (SQLUSMALLINT number = 1; number <= static_cast<SQLUSMALLINT>(columns); ++number) {
    std::vector<SQLWCHAR> name(256);
    SQLSMALLINT nameLength = 0;
    ColumnDescription c;
    SQLSMALLINT nullable = 0;
    SQLRETURN rc = SQLDescribeColW(stmt_->get(), number, name.data(), static_cast<SQLSMALLINT>(name.size()), &nameLength,
                                   &c.sqlType, &c.size, &c.decimalDigits, &nullable);
    if (SQL_SUCCEEDED(rc) && nameLength >= static_cast<SQLSMALLINT>(name.size())) {
      name.resize(static_cast<size_t>(nameLength) + 1);
      rc = SQLDescribeColW(stmt_->get(), number, name.data(), static_cast<SQLSMALLINT>(name.size()), &nameLength,
                           &c.sqlType, &c.size, &c.decimalDigits, &nullable);
    }
    Check(rc, SQL_HANDLE_STMT, stmt_->get(), dataSource_, "Cannot describe the result");
    SQLLEN isUnsigned = SQL_FALSE;
    SQLColAttributeW(stmt_->get(), number, SQL_DESC_UNSIGNED, nullptr, 0, nullptr, &isUnsigned);
    c.isUnsigned = isUnsigned == SQL_TRUE;
    ansi_.Append(std::u16string_view(reinterpret_cast<const char16_t*>(name.data()),
                                     std::min(static_cast<size_t>(nameLength), name.size() - 1)),
                 c.name);
    if (auto plan = PlanColumn(c, number, ansi_.MaxBytesPerChar())) {
      plans_.push_back(*plan);
      fields_.push_back(plan->field);
    }
  }
  buffers_.resize(plans_.size());
  firstUnbound_ = plans_.size();
  for (size_t k = 0; k < plans_.size(); ++k) {
    if (IsWholeValueFetch(plans_[k].fetch)) {
      firstUnbound_ = k;
      break;
    }
  }
}

void OdbcTable::BindBlock() {
  size_t rowBytes = 0;
  for (const ColumnPlan& p : plans_) rowBytes += p.bufferBytes + sizeof(SQLLEN);
  blockRows_ = firstUnbound_ < plans_.size()
                   ? 1
                   : std::clamp<SQLULEN>(kBlockBytes / std::max<size_t>(rowBytes, 1), 1, kMaxBlockRows);
  SQLHSTMT s = stmt_->get();
  SQLSetStmtAttr(s, SQL_ATTR_ROW_BIND_TYPE, reinterpret_cast<SQLPOINTER>(SQL_BIND_BY_COLUMN), 0);
  if (!SQL_SUCCEEDED(SQLSetStmtAttr(s, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(blockRows_), 0))) {
    blockRows_ = 1;
  }
  // A driver may have settled on another size (01S02): take the one it uses.
  SQLULEN actual = 0;
  if (SQL_SUCCEEDED(SQLGetStmtAttr(s, SQL_ATTR_ROW_ARRAY_SIZE, &actual, 0, nullptr)) && actual >= 1) blockRows_ = actual;
  rowStatus_.assign(blockRows_, SQL_ROW_SUCCESS);
  Check(SQLSetStmtAttr(s, SQL_ATTR_ROW_STATUS_PTR, rowStatus_.data(), 0), SQL_HANDLE_STMT, s, dataSource_,
        "Cannot set up the fetch");
  Check(SQLSetStmtAttr(s, SQL_ATTR_ROWS_FETCHED_PTR, &fetched_, 0), SQL_HANDLE_STMT, s, dataSource_,
        "Cannot set up the fetch");
  for (size_t k = 0; k < plans_.size(); ++k) {
    const ColumnPlan& p = plans_[k];
    ColumnBuffer& b = buffers_[k];
    if (IsWholeValueFetch(p.fetch)) continue;
    b.data.assign(p.bufferBytes * (k < firstUnbound_ ? blockRows_ : 1), 0);
    b.indicators.assign(k < firstUnbound_ ? blockRows_ : 1, SQL_NULL_DATA);
    if (k >= firstUnbound_) continue;
    Check(SQLBindCol(s, p.number, p.cType, b.data.data(), static_cast<SQLLEN>(p.bufferBytes), b.indicators.data()),
          SQL_HANDLE_STMT, s, dataSource_, "Cannot bind a column");
  }
}

void OdbcTable::FetchBlock() {
  fetched_ = 0;
  const SQLRETURN rc = SQLFetch(stmt_->get());
  if (rc == SQL_NO_DATA) {
    done_ = true;
    return;
  }
  Check(rc, SQL_HANDLE_STMT, stmt_->get(), dataSource_, "Cannot read the records");
  if (fetched_ == 0) {  // a driver that ignores the fetched-rows pointer
    fetched_ = 1;
  }
  for (SQLULEN r = 0; r < fetched_; ++r) {
    if (rowStatus_[r] == SQL_ROW_ERROR) ThrowCallFailure(SQL_HANDLE_STMT, stmt_->get(), dataSource_, "Cannot read a record");
  }
  current_ = 0;
}

bool OdbcTable::Next() {
  if (done_) return false;
  if (started_ && current_ + 1 < fetched_) {
    ++current_;
    return true;
  }
  started_ = true;
  FetchBlock();
  if (done_) return false;
  if (firstUnbound_ < plans_.size()) ReadUnbound();
  return true;
}

void OdbcTable::ReadUnbound() {
  for (size_t k = firstUnbound_; k < plans_.size(); ++k) {
    const ColumnPlan& p = plans_[k];
    if (IsWholeValueFetch(p.fetch)) {
      ReadWhole(k);
      continue;
    }
    ColumnBuffer& b = buffers_[k];
    Check(SQLGetData(stmt_->get(), p.number, p.cType, b.data.data(), static_cast<SQLLEN>(p.bufferBytes),
                     b.indicators.data()),
          SQL_HANDLE_STMT, stmt_->get(), dataSource_, "Cannot read a value");
  }
}

void OdbcTable::ReadWhole(size_t k) {
  const ColumnPlan& p = plans_[k];
  ColumnBuffer& b = buffers_[k];
  piece_.resize(kPieceBytes);
  const size_t terminator = p.cType == SQL_C_WCHAR ? sizeof(SQLWCHAR) : 0;
  std::u16string wide;
  b.whole.clear();
  while (true) {
    SQLLEN ind = 0;
    const SQLRETURN rc = SQLGetData(stmt_->get(), p.number, p.cType, piece_.data(), kPieceBytes, &ind);
    if (rc == SQL_NO_DATA) break;
    Check(rc, SQL_HANDLE_STMT, stmt_->get(), dataSource_, "Cannot read a value");
    if (ind == SQL_NULL_DATA) break;
    const size_t room = static_cast<size_t>(kPieceBytes) - terminator;
    const size_t got = ind == SQL_NO_TOTAL || ind > static_cast<SQLLEN>(room) ? room : static_cast<size_t>(ind);
    if (terminator != 0) {
      wide.append(reinterpret_cast<const char16_t*>(piece_.data()), got / sizeof(SQLWCHAR));
    } else {
      b.whole.append(reinterpret_cast<const char*>(piece_.data()), got);
    }
    if (rc == SQL_SUCCESS) break;  // with info: more of the value follows
  }
  if (terminator != 0) ansi_.Append(wide, b.whole);
}

bool OdbcTable::ReadField(size_t index, uint8_t* area) {
  if (!started_ || done_ || index >= plans_.size() || IsWholeValueFetch(plans_[index].fetch)) ThrowNoSuchField();
  const ColumnPlan& p = plans_[index];
  const ColumnBuffer& b = buffers_[index];
  const SQLULEN row = index < firstUnbound_ ? current_ : 0;
  return StoreValue(p, b.data.data() + row * p.bufferBytes, b.indicators[row], ansi_, area);
}

const std::string& OdbcTable::Whole(size_t index) const {
  if (!started_ || done_ || index >= plans_.size() || !IsWholeValueFetch(plans_[index].fetch)) ThrowNoSuchField();
  return buffers_[index].whole;
}

uint32_t OdbcTable::BlobSize(size_t index) {
  const std::string& whole = Whole(index);
  return static_cast<uint32_t>(std::min<size_t>(whole.size(), UINT32_MAX));
}

uint32_t OdbcTable::ReadBlob(size_t index, uint32_t offset, uint32_t count, uint8_t* dst) {
  const std::string& whole = Whole(index);
  if (offset >= whole.size()) return 0;
  const size_t n = std::min<size_t>(count, whole.size() - offset);
  std::memcpy(dst, whole.data() + offset, n);
  return static_cast<uint32_t>(n);
}

}  // namespace

bool IsDataSourceName(const std::string& name) {
  return !name.empty() && name.find_first_of(";{}=[]") == std::string::npos;
}

std::unique_ptr<TableDriver> OpenOdbcTable(const std::string& dataSource, const std::string& tableName,
                                           const std::optional<Login>& login) {
  ProfileOf(dataSource);
  return std::make_unique<OdbcTable>(dataSource, tableName, login);
}

std::optional<std::string> UserToAskFor(const std::string& dataSource) {
  const DataSourceProfile profile = ProfileOf(dataSource);
  if (profile.HasPassword()) return std::nullopt;
  return profile.UserName();
}

}  // namespace merivan::engine::odbc
