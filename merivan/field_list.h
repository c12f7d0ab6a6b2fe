#pragma once
// The export's list of field names: comma or blank separated, an item in
// double quotes may hold blanks and commas, "" inside it standing for one ".
#include <string>
#include <vector>

namespace merivan {

// Characters 1 to 32 separate items like a comma; a comma at the start or
// right after another gives an empty name, one at the end adds nothing. A
// quoted item missing its closing quote runs to the end. A NUL byte ends the list.
std::vector<std::string> ParseFieldList(const std::string& list);

}  // namespace merivan
