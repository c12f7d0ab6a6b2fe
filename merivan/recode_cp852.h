#pragma once
// Windows-1250 text to code page 852 (MS-DOS Central European), byte for
// byte through one constant table; the length never changes.
#include <cstdint>
#include <string>
#include <string_view>

namespace merivan {

uint8_t RecodeByteToCp852(uint8_t b);
std::string RecodeToCp852(std::string_view text);
void RecodeToCp852InPlace(std::string& text);
void RecodeToCp852InPlace(char* begin, char* end);

}  // namespace merivan
