// 24-bit BMP files: the skin picture is one, written by the skin art tool and read by the skin
// engine. Pixels are kept top-down in memory, whatever the file's row order.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mb::skinfile {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
};

inline bool operator==(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
inline bool operator!=(Rgb a, Rgb b) { return !(a == b); }

class Bitmap24 {
 public:
  Bitmap24() = default;
  Bitmap24(int width, int height, Rgb fill = {});

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  Rgb At(int x, int y) const;
  void Set(int x, int y, Rgb colour);

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Rgb> pixels_;
};

// Largest side accepted when reading, so a damaged header cannot ask for gigabytes.
constexpr int kMaxBitmapSide = 16384;

// The file's bytes: BITMAPFILEHEADER, BITMAPINFOHEADER, bottom-up rows padded to 4 bytes.
std::string EncodeBmp24(const Bitmap24& bitmap);

// Reads an uncompressed 24-bit BMP (bottom-up or top-down); nothing for anything else.
std::optional<Bitmap24> DecodeBmp24(std::string_view bytes);

}  // namespace mb::skinfile
