#include "tests/winkit/rgb_image.h"

#include <algorithm>
#include <cstdio>

namespace winkit {

std::ostream& operator<<(std::ostream& out, const Rgb& colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", colour.red, colour.green, colour.blue);
  return out << text;
}

RgbImage::RgbImage(int width, int height) {
  if (width <= 0 || height <= 0) return;
  width_ = width;
  height_ = height;
  bytes_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3, 0);
}

Rgb RgbImage::Pixel(int x, int y) const {
  if (!Inside(x, y)) return {};
  const std::uint8_t* p = &bytes_[Offset(x, y)];
  return {p[0], p[1], p[2]};
}

void RgbImage::SetPixel(int x, int y, const Rgb& colour) {
  if (!Inside(x, y)) return;
  std::uint8_t* p = &bytes_[Offset(x, y)];
  p[0] = colour.red;
  p[1] = colour.green;
  p[2] = colour.blue;
}

std::size_t RgbImage::CountPixels(const Rgb& colour, int left, int top, int right, int bottom) const {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, width_);
  bottom = std::min(bottom, height_);
  std::size_t count = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      if (Pixel(x, y) == colour) ++count;
    }
  }
  return count;
}

}  // namespace winkit
