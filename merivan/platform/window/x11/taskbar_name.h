#pragma once
// The name the taskbar shows for the program: its file name without
// directory, cut before the first ".", every character after the first in
// lower case ("C:\\Apps\\MERIVAN.EXE" and "/usr/bin/Merivan" give "MERIVAN"
// -> "Merivan").
#include <string>

namespace merivan::platform::x11 {

std::string TaskbarName(const std::string& programPath);

}  // namespace merivan::platform::x11
