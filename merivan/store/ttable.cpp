#include "merivan/store/ttable.h"

#include <algorithm>

#include "merivan/exceptions.h"
#include "merivan/platform/locale/ascii_text.h"
#include "merivan/platform/locale/codepage.h"
#include "merivan/store/engine_mapping.h"
#include "merivan/store/table_location.h"
#include "merivan/store/unique_names.h"
#include "merivan/store/value_text.h"

namespace merivan {

namespace {

bool ValidSize(TFieldType type, int size) {
  switch (type) {
    case ftString: return size >= 1 && size <= engine::kMaxStringSize;
    case ftBCD: return size >= 0 && size <= engine::kMaxBcdPlaces;
    case ftBytes:
    case ftVarBytes: return size >= 1 && size <= engine::kMaxBytesSize;
    default: return true;
  }
}

}  // namespace

TTable::TTable()
    : opener_([this](const std::string& databaseName, const std::string& tableName,
                     const engine::Passwords& passwords) {
        return OpenTableDriver(databaseName, tableName, passwords, session_ ? session_->LoginPrompts() : nullptr);
      }) {}

TTable::~TTable() = default;

void TTable::SetFilter(const std::string& v) {
  filter_ = v;
  if (Active()) CompileFilter();
}

void TTable::SetFiltered(bool v) {
  filtered_ = v;
  if (Active()) CompileFilter();
}

void TTable::SetActive(bool v) {
  if (v == Active()) return;
  if (v) {
    Open();
  } else {
    Close();
  }
}

void TTable::Open() {
  if (tableName_.empty()) throw EDatabaseError("Missing TableName property");
  driver_ = OpenDriver();
  try {
    std::vector<std::string> names;
    std::vector<TFieldType> types;
    size_t areaSize = engine::kStringAreaSize;
    const auto& columns = driver_->Fields();
    for (size_t i = 0; i < columns.size(); ++i) {
      const engine::FieldDescriptor& c = columns[i];
      const TFieldType type = FieldTypeOf(c.type);
      if (type == ftUnknown) continue;  // a column the store cannot type
      if (!ValidSize(type, c.size)) throw EDatabaseError("Invalid field size");
      names.push_back(c.name);
      types.push_back(type);
      driverIndex_.push_back(i);
      areaSize = std::max(areaSize, engine::DataAreaSize(c.type, c.size));
    }
    MakeNamesUnique(names);
    for (size_t k = 0; k < names.size(); ++k) {
      fieldDefs_.Add(TFieldDef{names[k], types[k], columns[driverIndex_[k]].size});
    }
    for (int k = 0; k < fieldDefs_.Count(); ++k) {
      fields_.push_back(std::make_unique<TField>(*this, driverIndex_[static_cast<size_t>(k)], fieldDefs_[k]));
      fieldIndex_.emplace(FieldNameKey(fieldDefs_[k].Name), static_cast<size_t>(k));
    }
    area_.assign(areaSize, 0);
    CompileFilter();
    eof_ = false;
    Next();
  } catch (...) {
    Close();
    throw;
  }
}

// A protected table that none of the session's passwords opens asks the
// session's question and tries again with the answer, until it opens or the
// question is cancelled; then the engine's last failure stands.
std::unique_ptr<engine::TableDriver> TTable::OpenDriver() {
  const engine::Passwords none;
  for (bool afterWrongPassword = false;; afterWrongPassword = true) {
    std::optional<engine::EngineError> refused;
    auto driver = CallEngine([&]() -> std::unique_ptr<engine::TableDriver> {
      try {
        return opener_(databaseName_, tableName_, session_ ? session_->Passwords() : none);
      } catch (const engine::EngineError& e) {
        if (!e.NeedsPassword()) throw;
        refused = e;
        return nullptr;
      }
    });
    if (driver) return driver;
    const std::string shownName = platform::TextToUtf8(tableName_, platform::AnsiCodePage());
    if (!session_ || !session_->AskPassword(shownName, afterWrongPassword)) throw EDBEngineError(refused->what());
  }
}

void TTable::Close() {
  driver_.reset();
  fields_.clear();
  fieldIndex_.clear();
  fieldDefs_.Clear();
  driverIndex_.clear();
  compiled_.reset();
  area_.clear();
  area_.shrink_to_fit();
  eof_ = true;
}

void TTable::CompileFilter() {
  compiled_.reset();
  if (filtered_ && !platform::TrimBlanks(filter_).empty()) {
    compiled_.emplace(filter_, Name, fieldDefs_, driverIndex_);
  }
}

int32_t TTable::RecordCount() const { return driver_ ? driver_->RecordCount() : -1; }

void TTable::Next() {
  if (eof_) return;
  CallEngine([this] {
    while (true) {
      if (!driver_->Next()) {
        eof_ = true;
        return;
      }
      if (!compiled_ || compiled_->Matches(*driver_, area_.data())) return;
    }
  });
}

TField* TTable::FindField(const std::string& name) {
  const auto found = fieldIndex_.find(FieldNameKey(name));
  return found == fieldIndex_.end() ? nullptr : fields_[found->second].get();
}

TField& TTable::FieldByName(const std::string& name) {
  if (TField* f = FindField(name)) return *f;
  throw EDatabaseError(Name + ": Field '" + name + "' not found");
}

}  // namespace merivan
