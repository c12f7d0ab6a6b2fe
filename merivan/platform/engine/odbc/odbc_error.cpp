#include "merivan/platform/engine/odbc/odbc_error.h"

#include <sqlext.h>
#include <sqlucode.h>

#include <vector>

#include "merivan/platform/engine/common/engine_error.h"
#include "merivan/platform/locale/codepage.h"
#include "merivan/platform/locale/wide_text.h"

namespace merivan::engine::odbc {

namespace {

// Diagnostic texts of one handle, as UTF-16 in record order.
std::vector<std::u16string> DiagnosticMessages(SQLSMALLINT handleType, SQLHANDLE handle) {
  std::vector<std::u16string> texts;
  if (handle == SQL_NULL_HANDLE) return texts;
  for (SQLSMALLINT record = 1;; ++record) {
    SQLWCHAR state[6];
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    std::vector<SQLWCHAR> text(1024);
    SQLRETURN rc = SQLGetDiagRecW(handleType, handle, record, state, &native, text.data(),
                                  static_cast<SQLSMALLINT>(text.size()), &length);
    if (rc == SQL_SUCCESS_WITH_INFO && length >= static_cast<SQLSMALLINT>(text.size())) {
      text.resize(static_cast<size_t>(length) + 1);
      rc = SQLGetDiagRecW(handleType, handle, record, state, &native, text.data(),
                          static_cast<SQLSMALLINT>(text.size()), &length);
    }
    if (!SQL_SUCCEEDED(rc)) break;
    const size_t n = std::min(static_cast<size_t>(length), text.size() - 1);
    texts.emplace_back(reinterpret_cast<const char16_t*>(text.data()), n);
  }
  return texts;
}

}  // namespace

std::string DiagnosticText(SQLSMALLINT handleType, SQLHANDLE handle) {
  const platform::Utf16Encoder ansi(platform::AnsiCodePage());
  std::vector<std::u16string> seen;
  std::string out;
  for (std::u16string& text : DiagnosticMessages(handleType, handle)) {
    while (!text.empty() && (text.back() == u'\n' || text.back() == u'\r' || text.back() == u' ')) text.pop_back();
    if (text.empty()) continue;
    bool repeated = false;
    for (const auto& s : seen) repeated = repeated || s == text;
    if (repeated) continue;
    if (!out.empty()) out += "\r\n";
    ansi.Append(text, out);
    seen.push_back(std::move(text));
  }
  return out;
}

std::string FirstSqlState(SQLSMALLINT handleType, SQLHANDLE handle) {
  SQLCHAR state[6] = {};
  SQLINTEGER native = 0;
  SQLSMALLINT length = 0;
  if (handle == SQL_NULL_HANDLE || !SQL_SUCCEEDED(SQLGetDiagRec(handleType, handle, 1, state, &native, nullptr, 0, &length)))
    return std::string();
  return reinterpret_cast<const char*>(state);
}

void ThrowOdbcError(const std::string& message) { throw EngineError(message); }

std::string DataSourceLine(const std::string& dataSource) {
  return "\r\nData source: " + platform::Utf8ToCodePage(dataSource, platform::AnsiCodePage());
}

void ThrowCallFailure(SQLSMALLINT handleType, SQLHANDLE handle, const std::string& dataSource,
                      const std::string& fallback) {
  std::string text = DiagnosticText(handleType, handle);
  if (text.empty()) text = fallback;
  ThrowOdbcError(text + DataSourceLine(dataSource));
}

}  // namespace merivan::engine::odbc
