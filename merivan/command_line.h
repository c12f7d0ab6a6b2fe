#pragma once
// The program's arguments. Linux hands them over already split, so only the
// dropping of empty ones is left to do; every item is kept whole, whatever
// its length.
#include <string>
#include <vector>

namespace merivan {

// argv[0] first (even when empty), then every non-empty argument in order.
std::vector<std::string> ArgumentsOf(int argc, const char* const* argv);

}  // namespace merivan
