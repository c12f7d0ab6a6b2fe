#include "merivan/platform/window/x11/rgb_image.h"

#include <algorithm>

namespace merivan::platform::x11 {

void RgbImage::Fill(PixelRect r, uint32_t colour) {
  const int left = std::max(r.left, 0);
  const int top = std::max(r.top, 0);
  const int right = std::min(r.right, width);
  const int bottom = std::min(r.bottom, height);
  for (int y = top; y < bottom; ++y) {
    std::fill(pixels.begin() + static_cast<ptrdiff_t>(y) * width + left,
              pixels.begin() + static_cast<ptrdiff_t>(y) * width + right, colour);
  }
}

}  // namespace merivan::platform::x11
