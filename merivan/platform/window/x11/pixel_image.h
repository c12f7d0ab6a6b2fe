#pragma once
// Pictures in memory: an RgbImage, one 0xRRGGBB value per pixel, composed
// without a display; and the same turned into an XImage in the screen's own
// pixel format and put into a window.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
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

// Row after row.
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

// 0xRRGGBB to a pixel value of a TrueColor visual.
class PixelFormat {
 public:
  // nullopt unless the default visual is TrueColor.
  static std::optional<PixelFormat> OfScreen(Display* display, int screen);
  unsigned long Pixel(uint32_t rgb) const;

 private:
  struct Channel {
    unsigned long mask = 0;
    int shift = 0;  // of the mask's lowest bit
    int bits = 0;
  };
  static Channel ChannelOf(unsigned long mask);
  Channel red_, green_, blue_;
};

// An XImage of the size it was made with, whose pixels live in a vector of
// its own; filling copies the part of an RgbImage that fits.
class PixelImage {
 public:
  PixelImage(Display* display, int screen, int width, int height);
  void Fill(const RgbImage& image, const PixelFormat& format);
  // Copies the whole image to (x, y) of `window`.
  void Put(Window window, GC gc, int x, int y) const;

 private:
  struct Releaser {
    void operator()(XImage* image) const {
      image->data = nullptr;  // the vector owns the pixels
      XDestroyImage(image);
    }
  };
  Display* display_;
  std::vector<char> data_;
  std::unique_ptr<XImage, Releaser> image_;
};

}  // namespace merivan::platform::x11
