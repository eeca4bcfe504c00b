// A picture as tests look at it: 8-bit red, green and blue per pixel, rows from the top.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <vector>

namespace winkit {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;

  bool operator==(const Rgb& other) const {
    return red == other.red && green == other.green && blue == other.blue;
  }
  bool operator!=(const Rgb& other) const { return !(*this == other); }
};

// Printed as #RRGGBB in test failures.
std::ostream& operator<<(std::ostream& out, const Rgb& colour);

class RgbImage {
 public:
  RgbImage() = default;
  // Every pixel black; an image with a side of zero or less is empty.
  RgbImage(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0; }

  // Black outside the picture, so a test that looks beyond the edge fails on the colour.
  Rgb Pixel(int x, int y) const;
  void SetPixel(int x, int y, const Rgb& colour);
  // Pixels of exactly that colour in the rectangle [left, right) x [top, bottom), clipped.
  std::size_t CountPixels(const Rgb& colour, int left, int top, int right, int bottom) const;
  std::size_t CountPixels(const Rgb& colour) const { return CountPixels(colour, 0, 0, width_, height_); }

  // Three bytes (red, green, blue) per pixel, rows from the top without padding.
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

 private:
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  std::size_t Offset(int x, int y) const {
    return (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)) * 3;
  }

  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint8_t> bytes_;
};

}  // namespace winkit
