#include "merivan/platform/window/x11/icons.h"

#include <cmath>

namespace merivan::platform::x11 {

namespace {

// The 16 colours of the classic palette; '.' is transparent.
uint32_t PaletteColour(char c) {
  switch (c) {
    case 'k': return 0xFF000000;  // black
    case 'g': return 0xFF808080;  // dark grey
    case 's': return 0xFFC0C0C0;  // silver
    case 'w': return 0xFFFFFFFF;  // white
    case 'n': return 0xFF000080;  // navy
    case 'b': return 0xFF0000FF;  // blue
    case 'G': return 0xFF008000;  // green
    case 'l': return 0xFF00FF00;  // lime
    case 'y': return 0xFFFFFF00;  // yellow
    case 'o': return 0xFF808000;  // olive
    default: return 0x00000000;
  }
}

// A table card with ruled lines and a green arrow leading out of it: the
// program turns a table into a text file.
constexpr const char* kProgramIcon[kProgramIconSize] = {
    "kkkkkkkkkkk.....",  //
    "knnnnnnnnnk.....",  //
    "kkkkkkkkkkk.....",  //
    "kwwswwwswwk.....",  //
    "ksssssssssk.....",  //
    "kwwswwwswwk..G..",  //
    "ksssssssssk..GG.",  //
    "kwwswwwGGGGGGlGG",  //
    "ksssssssGlllllll",  //
    "kwwswwwsGlllllll",  //
    "kssssssGGGGGGlGG",  //
    "kwwswwwswwk..GG.",  //
    "ksssssssssk..G..",  //
    "kwwswwwswwk.....",  //
    "kkkkkkkkkkk.....",  //
    "................",  //
};

uint32_t Blend(uint32_t over, uint32_t under, double alpha) {
  uint32_t result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const double a = (over >> shift) & 0xFF;
    const double b = (under >> shift) & 0xFF;
    result |= static_cast<uint32_t>(std::lround(a * alpha + b * (1 - alpha))) << shift;
  }
  return result;
}

}  // namespace

std::vector<unsigned long> ProgramIconProperty() {
  std::vector<unsigned long> icon{kProgramIconSize, kProgramIconSize};
  for (const char* row : kProgramIcon) {
    for (int x = 0; x < kProgramIconSize; ++x) icon.push_back(PaletteColour(row[x]));
  }
  return icon;
}

RgbImage ErrorSign(int size, uint32_t background) {
  RgbImage sign(size, size, background);
  const double centre = size / 2.0;
  const double radius = size / 2.0 - 1;
  const double arm = radius * 0.45;     // half the length of a bar of the cross
  const double stroke = size / 14.0;    // half its thickness
  constexpr int kSamples = 4;           // per axis, to smooth the edges
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      int disc = 0, cross = 0, rim = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const double px = x + (sx + 0.5) / kSamples - centre;
          const double py = y + (sy + 0.5) / kSamples - centre;
          const double r = std::hypot(px, py);
          if (r > radius) continue;
          ++disc;
          if (r > radius - 1) ++rim;
          const double u = (px + py) / std::sqrt(2.0), v = (px - py) / std::sqrt(2.0);
          if ((std::fabs(u) <= stroke && std::fabs(v) <= arm) || (std::fabs(v) <= stroke && std::fabs(u) <= arm))
            ++cross;
        }
      }
      constexpr double total = kSamples * kSamples;
      uint32_t colour = Blend(0x800000, 0xE02020, rim / std::max(1.0, static_cast<double>(disc)));
      colour = Blend(0xFFFFFF, colour, cross / std::max(1.0, static_cast<double>(disc)));
      sign.At(x, y) = Blend(colour, background, disc / total);
    }
  }
  return sign;
}

}  // namespace merivan::platform::x11
