#pragma once
// The picture of the horizontal-bar gauge for one percentage: black frame,
// white inside, black bar of the fill width, the percentage text combined by
// exclusive or. Pure: no display is needed to compose it.
#include <string>

#include "merivan/platform/window/x11/mono_font.h"
#include "merivan/platform/window/x11/pixel_image.h"

namespace merivan::platform::x11 {

// The gauge's font: 11-pixel sans, drawn without antialiasing.
constexpr const char* kGaugeFontFamily = "DejaVu Sans";
constexpr int kGaugeFontPixels = 11;

// The inner rectangle: the gauge shrunk by one pixel on every side.
PixelRect GaugeInnerRect(int width, int height);

// W * (p * 0.01) truncated, 0.01 and both products in 80-bit extended
// precision (so 23, not 24, for W = 480 at 5 %); at most W.
int GaugeFillWidth(int innerWidth, int percent);

// "%d%%" of the percentage.
std::string GaugeText(int percent);

// The second image alone: black, the text in white at its centred place,
// clipped to the inner rectangle. `font` may be null (no text).
RgbImage GaugeTextImage(int width, int height, int percent, MonoFont* font);

// The whole picture of a `width` x `height` gauge at `percent`.
RgbImage ComposeGaugePicture(int width, int height, int percent, MonoFont* font);

}  // namespace merivan::platform::x11
