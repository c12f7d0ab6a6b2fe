#pragma once
// Double-byte code pages: the lead-byte ranges GetCPInfo reports for them.
#include <bitset>

namespace merivan::platform {

// Whether the Windows code page is one of the double-byte ANSI code pages
// (932 Japanese, 936 Simplified Chinese, 949 Korean, 950 Traditional Chinese).
bool IsDoubleByteCodePage(int codePage);

// The bytes that start a two-byte character in the code page; none for a
// single-byte code page.
std::bitset<256> LeadBytesOf(int codePage);

}  // namespace merivan::platform
