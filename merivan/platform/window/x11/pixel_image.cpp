#include "merivan/platform/window/x11/pixel_image.h"

#include <algorithm>
#include <stdexcept>

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

std::optional<PixelFormat> PixelFormat::OfScreen(Display* display, int screen) {
  const Visual* visual = DefaultVisual(display, screen);
  if (!visual || visual->c_class != TrueColor) return std::nullopt;
  PixelFormat format;
  format.red_ = ChannelOf(visual->red_mask);
  format.green_ = ChannelOf(visual->green_mask);
  format.blue_ = ChannelOf(visual->blue_mask);
  return format;
}

PixelFormat::Channel PixelFormat::ChannelOf(unsigned long mask) {
  Channel channel;
  channel.mask = mask;
  while (mask && !(mask & 1)) mask >>= 1, ++channel.shift;
  while (mask & 1) mask >>= 1, ++channel.bits;
  return channel;
}

unsigned long PixelFormat::Pixel(uint32_t rgb) const {
  const auto place = [](const Channel& c, uint32_t value8) -> unsigned long {
    const unsigned long v = c.bits >= 8 ? static_cast<unsigned long>(value8) << (c.bits - 8) : value8 >> (8 - c.bits);
    return (v << c.shift) & c.mask;
  };
  return place(red_, (rgb >> 16) & 0xFF) | place(green_, (rgb >> 8) & 0xFF) | place(blue_, rgb & 0xFF);
}

PixelImage::PixelImage(Display* display, int screen, int width, int height) : display_(display) {
  XImage* image = XCreateImage(display, DefaultVisual(display, screen), static_cast<unsigned>(DefaultDepth(display, screen)),
                               ZPixmap, 0, nullptr, static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
  if (!image) throw std::runtime_error("XCreateImage failed");
  data_.resize(static_cast<size_t>(image->bytes_per_line) * static_cast<size_t>(height));
  image->data = data_.data();
  image_.reset(image);
}

void PixelImage::Fill(const RgbImage& image, const PixelFormat& format) {
  uint32_t lastRgb = ~image.pixels.front();
  unsigned long lastPixel = 0;
  for (int y = 0; y < image.height && y < image_->height; ++y) {
    for (int x = 0; x < image.width && x < image_->width; ++x) {
      const uint32_t rgb = image.At(x, y);
      if (rgb != lastRgb) lastRgb = rgb, lastPixel = format.Pixel(rgb);
      XPutPixel(image_.get(), x, y, lastPixel);
    }
  }
}

void PixelImage::Put(Window window, GC gc, int x, int y) const {
  XPutImage(display_, window, gc, image_.get(), 0, 0, x, y, static_cast<unsigned>(image_->width),
            static_cast<unsigned>(image_->height));
}

}  // namespace merivan::platform::x11
