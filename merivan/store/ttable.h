#pragma once
// TTable: the table component. It finds the table file from DatabaseName and
// TableName, opens it with the driver its extension picks, filters records
// and reads them strictly forward.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "merivan/platform/engine/table_driver.h"
#include "merivan/store/field_defs.h"
#include "merivan/store/table_filter.h"
#include "merivan/store/tfield.h"
#include "merivan/store/tsession.h"

namespace merivan {

class TTable {
 public:
  // Opens the driver of a table, a protected one with the first of the
  // passwords that is its own; the default locates the file (table_location.h).
  using DriverOpener = std::function<std::unique_ptr<engine::TableDriver>(
      const std::string& databaseName, const std::string& tableName, const engine::Passwords& passwords)>;

  TTable();
  ~TTable();
  TTable(const TTable&) = delete;
  TTable& operator=(const TTable&) = delete;

  // The component's name, used in messages ("ADR: Field 'X' not found").
  std::string Name;

  const std::string& DatabaseName() const { return databaseName_; }
  void SetDatabaseName(const std::string& v) { databaseName_ = v; }
  const std::string& TableName() const { return tableName_; }
  void SetTableName(const std::string& v) { tableName_ = v; }

  // Changing either on an open table compiles the filter anew for the
  // records still to come.
  const std::string& Filter() const { return filter_; }
  void SetFilter(const std::string& v);
  bool Filtered() const { return filtered_; }
  void SetFiltered(bool v);

  bool Active() const { return driver_ != nullptr; }
  // true opens and makes the first visible record current; false closes.
  void SetActive(bool v);

  const TFieldDefs& FieldDefs() const { return fieldDefs_; }
  int FieldCount() const { return static_cast<int>(fields_.size()); }
  TField& Fields(int i) { return *fields_.at(static_cast<size_t>(i)); }
  // Records in the table, filtered-out ones included; -1 when unknown.
  int32_t RecordCount() const;
  // True past the last visible record, and while closed.
  bool Eof() const { return eof_; }
  void Next();
  // Ignoring case; EDatabaseError "<Name>: Field '<name>' not found".
  TField& FieldByName(const std::string& name);
  TField* FindField(const std::string& name);

  void SetDriverOpener(DriverOpener opener) { opener_ = std::move(opener); }
  // The session whose passwords open protected tables, and whose question
  // is asked when none fits; without one such a table fails at once.
  void SetSession(TSession* session) { session_ = session; }

  // For the fields: the open driver and the scratch area of the value texts.
  engine::TableDriver& Driver() { return *driver_; }
  uint8_t* ValueArea() { return area_.data(); }
  size_t ValueAreaSize() const { return area_.size(); }

 private:
  void Open();
  std::unique_ptr<engine::TableDriver> OpenDriver();
  void Close();
  void CompileFilter();

  std::string databaseName_;
  std::string tableName_;
  std::string filter_;
  bool filtered_ = false;
  DriverOpener opener_;
  TSession* session_ = nullptr;
  std::unique_ptr<engine::TableDriver> driver_;
  TFieldDefs fieldDefs_;
  std::vector<size_t> driverIndex_;
  std::vector<std::unique_ptr<TField>> fields_;
  // Field positions by FieldNameKey, built at opening: a lookup costs the
  // same whatever the number of columns.
  std::unordered_map<std::string, size_t> fieldIndex_;
  std::optional<TableFilter> compiled_;
  std::vector<uint8_t> area_;
  bool eof_ = true;
};

}  // namespace merivan
