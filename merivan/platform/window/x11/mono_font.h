#pragma once
// A font drawn without antialiasing (one bit per pixel) by FreeType straight
// into an RgbImage, so that a picture comes out the same with or without a
// display. Found by a fontconfig pattern such as "DejaVu Sans".
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "merivan/platform/window/x11/pixel_image.h"

namespace merivan::platform::x11 {

class MonoFont {
 public:
  // The font fontconfig matches for `family` at `pixelSize` pixels per em;
  // nullopt when no font file can be found or loaded.
  static std::optional<MonoFont> Open(const std::string& family, int pixelSize);

  MonoFont(MonoFont&&) noexcept;
  MonoFont& operator=(MonoFont&&) noexcept;
  ~MonoFont();

  // The font file fontconfig chose (for diagnostics).
  const std::string& File() const { return file_; }

  // Sum of the hinted advances of `text` (ASCII), in pixels.
  int TextWidth(std::string_view text);
  // Ascent plus descent: the height of a line cell.
  int TextHeight() const { return ascent_ + descent_; }
  int Ascent() const { return ascent_; }

  // Draws `text` with the top of its line cell at `y`, its pen starting at
  // `x`; only pixels inside `clip` (and the image) are set to `colour`.
  void Draw(RgbImage& image, int x, int y, std::string_view text, uint32_t colour, PixelRect clip);

 private:
  struct Faces;
  MonoFont(std::unique_ptr<Faces> faces, std::string file);

  std::unique_ptr<Faces> faces_;
  std::string file_;
  int ascent_ = 0;
  int descent_ = 0;
};

}  // namespace merivan::platform::x11
