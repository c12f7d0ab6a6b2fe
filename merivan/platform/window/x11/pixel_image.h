#pragma once
// Client-side images in the screen's own pixel format: an RgbImage turned
// into an XImage and put into a window.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <memory>
#include <optional>
#include <vector>

#include "merivan/platform/window/x11/rgb_image.h"

namespace merivan::platform::x11 {

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

// An XImage whose pixels live in a vector of its own; the same size as the
// RgbImage it was last filled from.
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
