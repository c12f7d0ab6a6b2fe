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
// returns its end; the string forms below replace `out` or return the text.
char* FloatText(double x, char* out);
// v counts ten-thousandths.
char* FixedPointText(int64_t v, char* out);

namespace format_detail {
template <typename Value>
void AssignNumberText(char* (*write)(Value, char*), Value v, std::string& out) {
  char text[kNumberTextMax];
  out.assign(text, static_cast<size_t>(write(v, text) - text));
}
}  // namespace format_detail

inline void FloatText(double x, std::string& out) { format_detail::AssignNumberText<double>(FloatText, x, out); }
inline std::string FloatText(double x) {
  std::string text;
  FloatText(x, text);
  return text;
}
inline void FixedPointText(int64_t v, std::string& out) {
  format_detail::AssignNumberText<int64_t>(FixedPointText, v, out);
}
inline std::string FixedPointText(int64_t v) {
  std::string text;
  FixedPointText(v, text);
  return text;
}

}  // namespace merivan
