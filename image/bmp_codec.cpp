// Windows bitmap files: uncompressed 1, 4, 8, 16, 24 and 32 bits per pixel, bottom-up or top-down,
// with the core, info and later headers and their colour masks. Written as 8-bit (indexed),
// 24-bit, or 32-bit with an alpha mask when the picture has an alpha plane.
#include <algorithm>
#include <cstring>

#include "image/codecs.h"

namespace mb::codec {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kRgb = 0, kBitFields = 3, kAlphaBitFields = 6;

std::uint32_t Read16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t Read32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// One colour channel packed under a mask.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  std::uint32_t maximum = 0;
  explicit Channel(std::uint32_t m) : mask(m) {
    if (!mask) return;
    while (!((mask >> shift) & 1)) ++shift;
    maximum = mask >> shift;
  }
  std::uint8_t From(std::uint32_t value) const {
    if (!maximum) return 0;
    return static_cast<std::uint8_t>(static_cast<std::uint64_t>((value & mask) >> shift) * 255 / maximum);
  }
};

bool Refuse(std::string& error, const std::string& why) {
  error = "BMP: " + why;
  return false;
}

}  // namespace

bool DecodeBmp(const DecodeRequest& request, PictureData& out, std::string& error) {
  const std::uint8_t* b = request.bytes;
  const std::size_t size = request.size;
  if (size < kFileHeaderSize + 12) return Refuse(error, "the file is cut short in its header");
  const std::uint32_t pixelOffset = Read32(b + 10);
  const std::uint32_t headerSize = Read32(b + kFileHeaderSize);
  const std::uint8_t* h = b + kFileHeaderSize;
  const bool core = headerSize == 12;
  const bool knownHeader = core || headerSize == 40 || headerSize == 52 || headerSize == 56 ||
                           headerSize == 108 || headerSize == 124;
  if (!knownHeader) return Refuse(error, "unknown header size " + std::to_string(headerSize));
  if (headerSize > size - kFileHeaderSize) return Refuse(error, "the file is cut short in its header");
  std::int64_t width, height;
  std::uint32_t bits, compression = kRgb, coloursUsed = 0;
  if (core) {
    width = Read16(h + 4);
    height = static_cast<std::int16_t>(Read16(h + 6));
    bits = Read16(h + 10);
  } else {
    width = static_cast<std::int32_t>(Read32(h + 4));
    height = static_cast<std::int32_t>(Read32(h + 8));
    bits = Read16(h + 14);
    compression = Read32(h + 16);
    coloursUsed = Read32(h + 32);
  }
  const bool topDown = height < 0;
  if (topDown) height = -height;
  if (width <= 0 || height <= 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF)
    return Refuse(error, "the picture declares no size");
  const std::string refusal = CheckLimits(static_cast<int>(width), static_cast<int>(height), request.limits);
  if (!refusal.empty()) return Refuse(error, refusal);
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
    return Refuse(error, "unsupported depth of " + std::to_string(bits) + " bits");
  if (compression != kRgb && compression != kBitFields && compression != kAlphaBitFields)
    return Refuse(error, "compressed bitmaps are not supported");
  if (compression != kRgb && bits != 16 && bits != 32)
    return Refuse(error, "colour masks need 16 or 32 bits per pixel");

  // Where the colour masks and the palette are.
  std::size_t next = kFileHeaderSize + headerSize;
  std::uint32_t masks[4] = {0x7C00, 0x03E0, 0x001F, 0};
  if (bits == 32) {
    masks[0] = 0xFF0000;
    masks[1] = 0xFF00;
    masks[2] = 0xFF;
  }
  if (compression != kRgb) {
    const int count = compression == kAlphaBitFields ? 4 : 3;
    const std::uint8_t* m = h + 40;
    if (headerSize == 40) {
      if (next + count * 4 > size) return Refuse(error, "the file is cut short in its colour masks");
      m = b + next;
      next += count * 4;
    }
    for (int i = 0; i < 3; ++i) masks[i] = Read32(m + i * 4);
    if (count == 4 || headerSize >= 56) masks[3] = Read32(m + 12);
  }
  out = PictureData{};
  out.width = static_cast<int>(width);
  out.height = static_cast<int>(height);
  out.format = PictureFormat::kBmp;
  out.frameCount = 1;
  if (bits <= 8) {
    const std::uint32_t entries = coloursUsed && coloursUsed < (1u << bits) ? coloursUsed : (1u << bits);
    const std::size_t entrySize = core ? 3 : 4;
    if (next + entries * entrySize > size) return Refuse(error, "the file is cut short in its palette");
    for (std::uint32_t i = 0; i < entries; ++i) {
      const std::uint8_t* e = b + next + i * entrySize;
      out.palette.push_back(Rgba{e[2], e[1], e[0], 255});
    }
  }
  const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
  if (pixelOffset > size || stride * static_cast<std::uint64_t>(height) > size - pixelOffset)
    return Refuse(error, "the file is cut short in its pixels");

  out.bitsPerPixel = bits <= 8 ? 8 : 24;
  out.pixels.resize(out.Stride() * out.height);
  const Channel red(masks[0]), green(masks[1]), blue(masks[2]), alpha(masks[3]);
  if (alpha.mask) out.alpha.resize(static_cast<std::size_t>(out.width) * out.height);
  for (int row = 0; row < out.height; ++row) {
    const std::uint8_t* in = b + pixelOffset + stride * (topDown ? row : out.height - 1 - row);
    std::uint8_t* px = &out.pixels[row * out.Stride()];
    for (int x = 0; x < out.width; ++x) {
      if (bits <= 8) {
        const int perByte = 8 / bits;
        const int value = (in[x / perByte] >> ((perByte - 1 - x % perByte) * bits)) & ((1 << bits) - 1);
        // An index past the palette shows its last entry rather than reading beyond it.
        px[x] = static_cast<std::uint8_t>(std::min<int>(value, static_cast<int>(out.palette.size()) - 1));
        continue;
      }
      std::uint8_t* p = px + x * 3;
      if (bits == 24) {
        std::memcpy(p, in + x * 3, 3);
        continue;
      }
      const std::uint32_t value = bits == 16 ? Read16(in + x * 2) : Read32(in + x * 4);
      p[0] = blue.From(value);
      p[1] = green.From(value);
      p[2] = red.From(value);
      if (alpha.mask) out.alpha[static_cast<std::size_t>(row) * out.width + x] = alpha.From(value);
    }
  }
  return true;
}

namespace {

void Put16(std::string& out, std::uint32_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void Put32(std::string& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

}  // namespace

bool EncodeBmp(const PictureData& picture, std::string& out, std::string& error) {
  const bool indexed = picture.bitsPerPixel == 8;
  const bool withAlpha = !indexed && !picture.alpha.empty();
  const std::uint32_t bits = indexed ? 8 : withAlpha ? 32 : 24;
  const std::uint32_t headerSize = withAlpha ? 124 : 40;
  const std::uint32_t paletteEntries = indexed ? static_cast<std::uint32_t>(picture.palette.size()) : 0;
  const std::uint64_t stride = (static_cast<std::uint64_t>(picture.width) * bits + 31) / 32 * 4;
  const std::uint64_t pixelOffset = kFileHeaderSize + headerSize + paletteEntries * 4;
  const std::uint64_t fileSize = pixelOffset + stride * picture.height;
  if (fileSize > 0x7FFFFFFF) {
    error = "BMP: the picture is too large for a bitmap file";
    return false;
  }
  out.clear();
  out.reserve(fileSize);
  out += "BM";
  Put32(out, static_cast<std::uint32_t>(fileSize));
  Put32(out, 0);
  Put32(out, static_cast<std::uint32_t>(pixelOffset));
  Put32(out, headerSize);
  Put32(out, static_cast<std::uint32_t>(picture.width));
  Put32(out, static_cast<std::uint32_t>(picture.height));  // bottom-up
  Put16(out, 1);
  Put16(out, bits);
  Put32(out, withAlpha ? kBitFields : kRgb);
  Put32(out, static_cast<std::uint32_t>(stride * picture.height));
  Put32(out, 2835);  // 72 dots per inch
  Put32(out, 2835);
  Put32(out, paletteEntries);
  Put32(out, 0);
  if (withAlpha) {
    Put32(out, 0x00FF0000);
    Put32(out, 0x0000FF00);
    Put32(out, 0x000000FF);
    Put32(out, 0xFF000000);
    Put32(out, 0x73524742);  // sRGB
    out.append(124 - 60, '\0');
  }
  for (const Rgba& c : picture.palette) {
    if (!indexed) break;
    out.push_back(static_cast<char>(c.b));
    out.push_back(static_cast<char>(c.g));
    out.push_back(static_cast<char>(c.r));
    out.push_back('\0');
  }
  std::string row(stride, '\0');
  for (int y = picture.height - 1; y >= 0; --y) {
    const std::uint8_t* in = &picture.pixels[y * picture.Stride()];
    if (bits == 32) {
      for (int x = 0; x < picture.width; ++x) {
        std::memcpy(&row[x * 4], in + x * 3, 3);
        row[x * 4 + 3] = static_cast<char>(picture.alpha[static_cast<std::size_t>(y) * picture.width + x]);
      }
    } else {
      std::memcpy(&row[0], in, picture.Stride());
    }
    out += row;
  }
  return true;
}

}  // namespace mb::codec
