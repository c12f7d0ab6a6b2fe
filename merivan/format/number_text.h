#pragma once
// Number texts of the value texts: general format with 15 significant digits,
// and fixed point with four decimal places.
#include <cstddef>
#include <cstdint>
#include <string>

namespace merivan {

// The longest number text: sign, up to 19 digits, filler zeros for E <= 15,
// the mark, "0.000" or an exponent of up to four characters.
constexpr size_t kNumberTextMax = 48;

// Each writes its text at `out`, which has room for kNumberTextMax bytes, and
// returns its end; the string forms replace `out`.
char* FloatText(double x, char* out);
void FloatText(double x, std::string& out);
std::string FloatText(double x);

// v counts ten-thousandths.
char* FixedPointText(int64_t v, char* out);
void FixedPointText(int64_t v, std::string& out);
std::string FixedPointText(int64_t v);

}  // namespace merivan
