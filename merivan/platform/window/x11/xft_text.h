#pragma once
// Antialiased UTF-8 text through Xft: a font, and a pen drawing in one
// colour into one window.
#include <X11/Xft/Xft.h>

#include <optional>
#include <string>
#include <string_view>

namespace merivan::platform::x11 {

class XftTextFont {
 public:
  // The font fontconfig matches for `pattern` ("DejaVu Sans:pixelsize=12");
  // Xft falls back to some font rather than none, but with no font at all
  // there is none: then every text measures 0 and is not drawn.
  XftTextFont(Display* display, int screen, const std::string& pattern);
  XftTextFont(const XftTextFont&) = delete;
  XftTextFont& operator=(const XftTextFont&) = delete;
  ~XftTextFont();

  bool Valid() const { return font_ != nullptr; }
  XftFont* Get() const { return font_; }
  int Width(std::string_view utf8) const;
  int Ascent() const { return font_ ? font_->ascent : 0; }
  int LineHeight() const { return font_ ? font_->ascent + font_->descent : 0; }

 private:
  Display* display_;
  XftFont* font_;
};

class XftPen {
 public:
  XftPen(Display* display, int screen, Drawable drawable, uint32_t rgb);
  XftPen(const XftPen&) = delete;
  XftPen& operator=(const XftPen&) = delete;
  ~XftPen();

  // `y` is the baseline.
  void Draw(const XftTextFont& font, int x, int y, std::string_view utf8);
  // Later drawing stays inside `area`; nullopt: anywhere in the drawable.
  void Clip(const std::optional<XRectangle>& area);

 private:
  Display* display_;
  Visual* visual_;
  Colormap colormap_;
  XftDraw* draw_;
  XftColor colour_{};
  bool colourAllocated_ = false;
};

}  // namespace merivan::platform::x11
