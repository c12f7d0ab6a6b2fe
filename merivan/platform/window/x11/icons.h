#pragma once
// The program's own pictures: the 16 x 16 window icon (16 colours) and the
// error sign of the message box.
#include <cstdint>
#include <vector>

#include "merivan/platform/window/x11/pixel_image.h"

namespace merivan::platform::x11 {

constexpr int kProgramIconSize = 16;

// The icon as _NET_WM_ICON wants it: width, height, then one 0xAARRGGBB per
// pixel, row after row.
std::vector<unsigned long> ProgramIconProperty();

// A red disc with a white cross, `size` pixels square, edges blended into
// `background`.
RgbImage ErrorSign(int size, uint32_t background);

}  // namespace merivan::platform::x11
