#include "skin/format/bmp24.h"

#include <cstring>

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

}  // namespace

std::size_t BgrRowBytes(int width) {
  return width > 0 ? (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3} : 0;
}

Rgb BgrPixels::At(int x, int y) const {
  if (!Contains(x, y)) return {};
  const std::uint8_t* p = rows_ + static_cast<std::size_t>(y) * stride_ + static_cast<std::size_t>(x) * 3;
  return Rgb{p[2], p[1], p[0]};
}

Bitmap24::Bitmap24(int width, int height, Rgb fill)
    : width_(width > 0 && height > 0 ? width : 0),
      height_(width > 0 && height > 0 ? height : 0),
      bytes_(BgrRowBytes(width_) * static_cast<std::size_t>(height_)) {
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) Set(x, y, fill);
  }
}

void Bitmap24::Set(int x, int y, Rgb colour) {
  if (!Contains(x, y)) return;
  std::uint8_t* p = bytes_.data() + static_cast<std::size_t>(y) * BgrRowBytes(width_) + static_cast<std::size_t>(x) * 3;
  p[0] = colour.b;
  p[1] = colour.g;
  p[2] = colour.r;
}

std::string EncodeBmp24(const Bitmap24& bitmap) {
  const std::size_t row = BgrRowBytes(bitmap.Width());
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

std::optional<Bmp24Layout> ReadBmp24Layout(std::string_view in) { return ReadBmp24Layout(in, in.size()); }

std::optional<Bmp24Layout> ReadBmp24Layout(std::string_view in, std::uint64_t fileSize) {
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
  Bmp24Layout layout;
  layout.width = width;
  layout.topDown = rawHeight < 0;
  layout.height = layout.topDown ? -rawHeight : rawHeight;
  layout.pixelOffset = offset;
  const std::uint64_t needed = std::uint64_t{BgrRowBytes(width)} * static_cast<std::uint64_t>(layout.height);
  if (offset > fileSize || needed > fileSize - offset) return std::nullopt;
  return layout;
}

FileSpan Bmp24RowsSpan(const Bmp24Layout& layout, int first, int count) {
  const std::size_t row = BgrRowBytes(layout.width);
  // A bottom-up file holds the last of the rows first.
  const int firstLine = layout.topDown ? first : layout.height - (first + count);
  return {layout.pixelOffset + row * static_cast<std::size_t>(firstLine), row * static_cast<std::size_t>(count)};
}

void CopyBmp24RowsFromSpan(std::string_view span, const Bmp24Layout& layout, int count, std::uint8_t* rows) {
  // The file's rows are already padded as a DIB's: only their order may differ.
  const std::size_t row = BgrRowBytes(layout.width);
  for (int line = 0; line < count; ++line) {
    const int y = layout.topDown ? line : count - 1 - line;
    std::memcpy(rows + row * static_cast<std::size_t>(y), span.data() + row * static_cast<std::size_t>(line), row);
  }
}

void CopyBmp24Rows(std::string_view in, const Bmp24Layout& layout, std::uint8_t* rows) {
  const FileSpan all = Bmp24RowsSpan(layout, 0, layout.height);
  CopyBmp24RowsFromSpan(in.substr(all.offset, all.length), layout, layout.height, rows);
}

std::optional<Bitmap24> DecodeBmp24(std::string_view in) {
  const std::optional<Bmp24Layout> layout = ReadBmp24Layout(in);
  if (!layout) return std::nullopt;
  Bitmap24 bitmap(layout->width, layout->height);
  CopyBmp24Rows(in, *layout, bitmap.bytes_.data());
  return bitmap;
}

}  // namespace mb::skinfile
