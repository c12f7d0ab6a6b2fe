#pragma once
// Column names must be unique ignoring case: a taken name gets "_1", "_2", ...
#include <string>
#include <string_view>
#include <vector>

namespace merivan {

// Renames, in place and in order, every name already taken (ignoring case)
// by an earlier one to the first free "%s_%d".
void MakeNamesUnique(std::vector<std::string>& names);

// Equality ignoring the letter case of the ANSI code page, the rule for
// field names.
bool SameFieldName(std::string_view a, std::string_view b);

// The name in the ANSI code page's lower case: two names are the same field
// name exactly when their keys are equal.
std::string FieldNameKey(std::string_view name);

}  // namespace merivan
