// TEMPORARY: placeholders so that the tree links until the real formatting lands.
#include <stdexcept>

#include "merivan/format/date_time_text.h"
#include "merivan/format/number_text.h"
#include "merivan/format/regional_settings.h"

namespace merivan {
TRegionalSettings RegionalSettings;
void LoadRegionalSettings() {}
void ReloadRegionalSettings() {}
void FloatText(double, std::string&) { throw std::logic_error("FloatText pending"); }
std::string FloatText(double x) { std::string s; FloatText(x, s); return s; }
void FixedPointText(int64_t, std::string&) { throw std::logic_error("FixedPointText pending"); }
std::string FixedPointText(int64_t v) { std::string s; FixedPointText(v, s); return s; }
void DateTimeText(std::string_view, int32_t, int32_t, std::string&) { throw std::logic_error("DateTimeText pending"); }
std::string DateTimeText(std::string_view p, int32_t d, int32_t m) { std::string s; DateTimeText(p, d, m, s); return s; }
}  // namespace merivan
