#pragma once
// Number texts of the value texts: general format with 15 significant digits,
// and fixed point with four decimal places. The `out` forms replace the
// contents of `out` and allocate nothing once its capacity suffices.
#include <cstdint>
#include <string>

namespace merivan {

void FloatText(double x, std::string& out);
std::string FloatText(double x);

// v counts ten-thousandths.
void FixedPointText(int64_t v, std::string& out);
std::string FixedPointText(int64_t v);

}  // namespace merivan
