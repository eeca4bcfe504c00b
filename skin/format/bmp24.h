// 24-bit BMP files: the skin picture is one, written by the skin art tool and read by the skin
// engine. Pixels are kept top-down in memory, whatever the file's row order.
#pragma once

#include <cstddef>
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

// Bytes in one row of 24-bit pixels: three a pixel, padded to a multiple of four.
std::size_t BgrRowBytes(int width);

// Read-only view of 24-bit pixels laid out as a DIB section holds them: top-down rows of blue,
// green and red bytes, each row BgrRowBytes(width) long. The bytes belong to someone else.
class BgrPixels {
 public:
  BgrPixels() = default;
  BgrPixels(const std::uint8_t* rows, int width, int height)
      : rows_(rows), width_(width), height_(height), stride_(BgrRowBytes(width)) {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  // Black outside.
  Rgb At(int x, int y) const;

 private:
  const std::uint8_t* rows_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  std::size_t stride_ = 0;
};

// A picture that owns its pixels, kept in the same layout.
class Bitmap24 {
 public:
  Bitmap24() = default;
  Bitmap24(int width, int height, Rgb fill = {});

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  Rgb At(int x, int y) const { return Pixels().At(x, y); }
  void Set(int x, int y, Rgb colour);
  BgrPixels Pixels() const { return {bytes_.data(), width_, height_}; }

 private:
  friend std::optional<Bitmap24> DecodeBmp24(std::string_view bytes);

  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint8_t> bytes_;
};

// Largest side accepted when reading, so a damaged header cannot ask for gigabytes.
constexpr int kMaxBitmapSide = 16384;

// The file's bytes: BITMAPFILEHEADER, BITMAPINFOHEADER, bottom-up rows padded to 4 bytes.
std::string EncodeBmp24(const Bitmap24& bitmap);

// Where the pixels of an uncompressed 24-bit BMP (bottom-up or top-down) lie in its bytes,
// checked against their size; nothing for anything else.
struct Bmp24Layout {
  int width = 0;
  int height = 0;
  bool topDown = false;
  std::size_t pixelOffset = 0;
};
std::optional<Bmp24Layout> ReadBmp24Layout(std::string_view bytes);
// The same from the file's first bytes (at least its two headers) and its whole size, for a file
// that is read a part at a time.
std::optional<Bmp24Layout> ReadBmp24Layout(std::string_view head, std::uint64_t fileSize);

// Where in the file the picture rows [first, first + count) lie: one stretch of bytes, whatever
// the file's row order. The rows must lie inside the picture.
struct FileSpan {
  std::size_t offset = 0;
  std::size_t length = 0;
};
FileSpan Bmp24RowsSpan(const Bmp24Layout& layout, int first, int count);

// Copies count picture rows, given as the file's bytes of their Bmp24RowsSpan, top-down into rows
// (count rows of BgrRowBytes(width) bytes): straight into a DIB section's bits.
void CopyBmp24RowsFromSpan(std::string_view span, const Bmp24Layout& layout, int count, std::uint8_t* rows);

// Copies all the pixels of a file that ReadBmp24Layout accepted into rows, as above.
void CopyBmp24Rows(std::string_view bytes, const Bmp24Layout& layout, std::uint8_t* rows);

// Reads an uncompressed 24-bit BMP (bottom-up or top-down); nothing for anything else.
std::optional<Bitmap24> DecodeBmp24(std::string_view bytes);

}  // namespace mb::skinfile
