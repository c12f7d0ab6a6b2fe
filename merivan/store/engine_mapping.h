#pragma once
// The table engine's vocabulary in the table component's terms: its column
// kinds as field types, its failures as the component's exceptions.
#include <utility>

#include "merivan/exceptions.h"
#include "merivan/platform/engine/common/engine_error.h"
#include "merivan/platform/engine/data_area.h"
#include "merivan/store/field_type.h"

namespace merivan {

// ftUnknown for kUnknown; every other kind has the field type of its name.
TFieldType FieldTypeOf(engine::ColumnKind kind);

// Runs `call` on the engine: an EngineError comes out as EDBEngineError, a
// MisuseError as EInvalidOperation, both with the engine's text.
template <typename Call>
decltype(auto) CallEngine(Call&& call) {
  try {
    return std::forward<Call>(call)();
  } catch (const engine::EngineError& e) {
    throw EDBEngineError(e.what());
  } catch (const engine::MisuseError& e) {
    throw EInvalidOperation(e.what());
  }
}

}  // namespace merivan
