#include <algorithm>
#include <cstring>
#include <string>

#include "image/codecs.h"

namespace mb::codec {

bool IsJpegFile(std::FILE* file) {
  std::uint8_t head[3] = {};
  const std::size_t got = std::fread(head, 1, sizeof head, file);
  return std::fseek(file, 0, SEEK_SET) == 0 && DetectPictureFormat(head, got) == PictureFormat::kJpeg;
}

std::size_t ByteReader::Take(std::uint8_t* target, std::size_t length) {
  const std::size_t n = std::min(length, size - position);
  if (n) std::memcpy(target, data + position, n);
  position += n;
  return n;
}

std::string CheckLimits(int width, int height, const DecodeLimits& limits) {
  if (width <= 0 || height <= 0)
    return "the picture declares no size (" + std::to_string(width) + " x " + std::to_string(height) + ")";
  if (width > limits.maxWidth || height > limits.maxHeight ||
      static_cast<std::int64_t>(width) * height > limits.maxPixels)
    return "the picture is too large: " + std::to_string(width) + " x " + std::to_string(height) +
           " pixels (at most " + std::to_string(limits.maxWidth) + " x " + std::to_string(limits.maxHeight) +
           " and " + std::to_string(limits.maxPixels) + " pixels)";
  return {};
}

void ReadBgraRow(const PictureData& picture, int y, std::uint8_t* bgra) {
  const std::uint8_t* in = &picture.pixels[static_cast<std::size_t>(y) * picture.Stride()];
  const std::uint8_t* alpha =
      picture.alpha.empty() ? nullptr : &picture.alpha[static_cast<std::size_t>(y) * picture.width];
  for (int x = 0; x < picture.width; ++x, bgra += 4) {
    if (picture.bitsPerPixel == 8) {
      const Rgba c = in[x] < picture.palette.size() ? picture.palette[in[x]] : Rgba{};
      bgra[0] = c.b;
      bgra[1] = c.g;
      bgra[2] = c.r;
      bgra[3] = in[x] == picture.transIndex ? 0 : 255;
    } else {
      bgra[0] = in[x * 3];
      bgra[1] = in[x * 3 + 1];
      bgra[2] = in[x * 3 + 2];
      bgra[3] = 255;
    }
    if (alpha) bgra[3] = alpha[x];
  }
}

}  // namespace mb::codec
