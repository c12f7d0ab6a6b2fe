#pragma once
// The program itself as the X tests start it: a Czech user's environment,
// and the title its main window gets.
#include <string>
#include <vector>

namespace merivan::x11test {

inline const std::vector<std::string> kCzechUser = {"LANG=cs_CZ.UTF-8", "LC_ALL", "LC_CTYPE",
                                                     "LOCPATH=" MERIVAN_BINARY_DIR "/locales"};
constexpr const char* kMainNamePattern = "^P.*prava adres.*pro import$";

}  // namespace merivan::x11test
