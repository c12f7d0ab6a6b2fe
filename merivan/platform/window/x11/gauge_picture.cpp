#include "merivan/platform/window/x11/gauge_picture.h"

#include <cstdio>
#include <limits>

namespace merivan::platform::x11 {

PixelRect GaugeInnerRect(int width, int height) { return {1, 1, width - 1, height - 1}; }

int GaugeFillWidth(int innerWidth, int percent) {
  // long double is the x87 80-bit format here; the rounding of 0.01 in it is
  // what makes some whole quotients come out one short.
  static_assert(std::numeric_limits<long double>::digits == 64,
                "the fill width needs long double to be the 80-bit extended format");
  const long double fraction = static_cast<long double>(percent) * 0.01L;
  const long double fill = static_cast<long double>(innerWidth) * fraction;
  const int width = static_cast<int>(fill);
  return width > innerWidth ? innerWidth : width;
}

std::string GaugeText(int percent) {
  char text[16];
  std::snprintf(text, sizeof text, "%d%%", percent);
  return text;
}

RgbImage GaugeTextImage(int width, int height, int percent, MonoFont* font) {
  RgbImage text(width, height, kBlack);
  if (!font) return text;
  const PixelRect inner = GaugeInnerRect(width, height);
  const std::string label = GaugeText(percent);
  const int x = (inner.right - inner.left + 1 - font->TextWidth(label)) / 2;
  const int y = (inner.bottom - inner.top + 1 - font->TextHeight()) / 2;
  font->Draw(text, x, y, label, kWhite, inner);
  return text;
}

RgbImage ComposeGaugePicture(int width, int height, int percent, MonoFont* font) {
  RgbImage picture(width, height, kBlack);
  const PixelRect inner = GaugeInnerRect(width, height);
  picture.Fill(inner, kWhite);
  const int w = inner.right - inner.left + 1;
  const int h = inner.bottom - inner.top + 1;
  const int fill = GaugeFillWidth(w, percent);
  if (fill >= 1) picture.Fill({inner.left, inner.top, fill, h}, kBlack);
  const RgbImage text = GaugeTextImage(width, height, percent, font);
  for (size_t i = 0; i < picture.pixels.size(); ++i) picture.pixels[i] ^= text.pixels[i];
  return picture;
}

}  // namespace merivan::platform::x11
