#pragma once
// A picture in memory, one 0xRRGGBB value per pixel, row after row.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace merivan::platform::x11 {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;

// Right and bottom edges are exclusive, as in the drawing rules of the gauge.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

struct RgbImage {
  RgbImage(int w, int h, uint32_t colour) : width(w), height(h), pixels(static_cast<size_t>(w) * h, colour) {}

  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  uint32_t& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }

  // Fills `r` clipped to the image.
  void Fill(PixelRect r, uint32_t colour);

  int width;
  int height;
  std::vector<uint32_t> pixels;
};

}  // namespace merivan::platform::x11
