#include "skin/format/bmp24.h"

namespace mb::skinfile {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;

void PutU16(std::string& out, std::uint32_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void PutU32(std::string& out, std::uint32_t v) {
  PutU16(out, v & 0xFFFF);
  PutU16(out, v >> 16);
}

std::uint32_t GetU16(std::string_view in, std::size_t pos) {
  return static_cast<unsigned char>(in[pos]) | (static_cast<std::uint32_t>(static_cast<unsigned char>(in[pos + 1])) << 8);
}

std::uint32_t GetU32(std::string_view in, std::size_t pos) { return GetU16(in, pos) | (GetU16(in, pos + 2) << 16); }

std::size_t RowBytes(int width) { return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3}; }

}  // namespace

Bitmap24::Bitmap24(int width, int height, Rgb fill)
    : width_(width > 0 ? width : 0),
      height_(height > 0 ? height : 0),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill) {}

Rgb Bitmap24::At(int x, int y) const {
  if (!Contains(x, y)) return {};
  return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
}

void Bitmap24::Set(int x, int y, Rgb colour) {
  if (!Contains(x, y)) return;
  pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)] = colour;
}

std::string EncodeBmp24(const Bitmap24& bitmap) {
  const std::size_t row = RowBytes(bitmap.Width());
  const std::size_t imageSize = row * static_cast<std::size_t>(bitmap.Height());
  std::string out;
  out.reserve(kFileHeaderSize + kInfoHeaderSize + imageSize);
  // BITMAPFILEHEADER
  out += "BM";
  PutU32(out, static_cast<std::uint32_t>(kFileHeaderSize + kInfoHeaderSize + imageSize));
  PutU32(out, 0);
  PutU32(out, kFileHeaderSize + kInfoHeaderSize);
  // BITMAPINFOHEADER
  PutU32(out, kInfoHeaderSize);
  PutU32(out, static_cast<std::uint32_t>(bitmap.Width()));
  PutU32(out, static_cast<std::uint32_t>(bitmap.Height()));
  PutU16(out, 1);   // planes
  PutU16(out, 24);  // bits per pixel
  PutU32(out, 0);   // BI_RGB
  PutU32(out, static_cast<std::uint32_t>(imageSize));
  PutU32(out, 2835);  // 72 dpi
  PutU32(out, 2835);
  PutU32(out, 0);
  PutU32(out, 0);
  for (int y = bitmap.Height() - 1; y >= 0; --y) {
    const std::size_t start = out.size();
    for (int x = 0; x < bitmap.Width(); ++x) {
      const Rgb p = bitmap.At(x, y);
      out.push_back(static_cast<char>(p.b));
      out.push_back(static_cast<char>(p.g));
      out.push_back(static_cast<char>(p.r));
    }
    out.append(row - (out.size() - start), '\0');
  }
  return out;
}

std::optional<Bitmap24> DecodeBmp24(std::string_view in) {
  if (in.size() < kFileHeaderSize + kInfoHeaderSize || in.substr(0, 2) != "BM") return std::nullopt;
  const std::uint32_t offset = GetU32(in, 10);
  const std::uint32_t infoSize = GetU32(in, 14);
  if (infoSize < kInfoHeaderSize) return std::nullopt;
  const auto width = static_cast<std::int32_t>(GetU32(in, 18));
  const auto rawHeight = static_cast<std::int32_t>(GetU32(in, 22));
  if (GetU16(in, 26) != 1 || GetU16(in, 28) != 24 || GetU32(in, 30) != 0) return std::nullopt;
  if (width <= 0 || width > kMaxBitmapSide || rawHeight == 0 || rawHeight < -kMaxBitmapSide ||
      rawHeight > kMaxBitmapSide) {
    return std::nullopt;
  }
  const bool topDown = rawHeight < 0;
  const int height = topDown ? -rawHeight : rawHeight;
  const std::size_t row = RowBytes(width);
  const std::size_t needed = row * static_cast<std::size_t>(height);
  if (offset > in.size() || needed > in.size() - offset) return std::nullopt;
  Bitmap24 bitmap(width, height);
  for (int line = 0; line < height; ++line) {
    const std::size_t base = offset + row * static_cast<std::size_t>(line);
    const int y = topDown ? line : height - 1 - line;
    for (int x = 0; x < width; ++x) {
      const std::size_t p = base + static_cast<std::size_t>(x) * 3;
      bitmap.Set(x, y, Rgb{static_cast<std::uint8_t>(in[p + 2]), static_cast<std::uint8_t>(in[p + 1]),
                           static_cast<std::uint8_t>(in[p])});
    }
  }
  return bitmap;
}

}  // namespace mb::skinfile
