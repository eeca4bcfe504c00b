#include "uibase/core/image_effects.h"

#include <algorithm>

namespace zel {

PreparedImage PrepareImage(std::vector<Pixel> pixels, int width, int height, unsigned styles, bool transparentTest,
                           Colour transparentColour, Colour fillColour) {
  PreparedImage image;
  image.width = width;
  image.height = height;
  image.transparent.assign(pixels.size(), 0);
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    const Pixel p = pixels[i];
    const int alpha = PixelAlpha(p);
    if (alpha != 0) image.hasAlpha = true;
    Colour c = PixelToColour(p);
    if (transparentTest && c == (transparentColour & 0xFFFFFF)) {
      image.transparent[i] = 1;
      pixels[i] = MakePixel(0, 0, 0, alpha);
      continue;
    }
    if (styles & kStyleGrey) c = GreyOf(c);
    if (styles & kStyleDark) c = DarkenOf(c);
    if (styles & kStyleLight) c = LightenOf(c);
    if (styles & kStyleFill) c = fillColour & 0xFFFFFF;
    if (styles & kStyleInvert) c = InvertOf(c);
    pixels[i] = MakePixel(RedOf(c), GreenOf(c), BlueOf(c), alpha);
  }
  image.pixels = std::move(pixels);
  return image;
}

void CompositeOnto(const PreparedImage& image, std::vector<Pixel>& destination) {
  const std::size_t n = std::min(image.pixels.size(), destination.size());
  for (std::size_t i = 0; i < n; ++i) {
    const Pixel source = image.pixels[i];
    if (image.hasAlpha) {
      const Colour mixed = BlendOf(PixelToColour(source), PixelToColour(destination[i]), PixelAlpha(source));
      destination[i] = MakePixel(RedOf(mixed), GreenOf(mixed), BlueOf(mixed), PixelAlpha(destination[i]));
    } else if (!image.transparent[i]) {
      destination[i] = source;
    }
  }
}

namespace {

// Box filter with odd sizes kx x ky; outside pixels count as 255.
std::vector<std::uint8_t> BoxBlur(const std::vector<std::uint8_t>& in, int width, int height, int kx, int ky) {
  std::vector<std::uint8_t> out(in.size(), 255);
  const int rx = kx / 2, ry = ky / 2;
  const int area = kx * ky;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      int sum = 0;
      for (int dy = -ry; dy <= ry; ++dy) {
        for (int dx = -rx; dx <= rx; ++dx) {
          const int sx = x + dx, sy = y + dy;
          sum += (sx < 0 || sy < 0 || sx >= width || sy >= height) ? 255 : in[static_cast<std::size_t>(sy) * width + sx];
        }
      }
      out[static_cast<std::size_t>(y) * width + x] = static_cast<std::uint8_t>(sum / area);
    }
  }
  return out;
}

}  // namespace

std::vector<std::uint8_t> ShadowFactors(const PreparedImage& image, int offsetX, int offsetY, bool blur,
                                        int shadowLevel) {
  const int w = image.width, h = image.height;
  std::vector<std::uint8_t> field(static_cast<std::size_t>(std::max(0, w)) * std::max(0, h), 255);
  if (w <= 0 || h <= 0) return field;
  const auto level = static_cast<std::uint8_t>(std::clamp(shadowLevel, 0, 255));
  auto opaque = [&](int x, int y) { return image.transparent[static_cast<std::size_t>(y) * w + x] == 0; };
  if (!blur) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (opaque(x, y)) field[static_cast<std::size_t>(y) * w + x] = level;
    return field;
  }
  const int kx = std::max(1, offsetX | 1), ky = std::max(1, offsetY | 1);
  // The silhouette shrunk by the offsets (nearest pixel) and centred, so the blur spreads it back.
  const int sw = std::max(1, w - std::max(0, offsetX)), sh = std::max(1, h - std::max(0, offsetY));
  const int left = (w - sw) / 2, top = (h - sh) / 2;
  for (int y = 0; y < sh; ++y) {
    for (int x = 0; x < sw; ++x) {
      if (opaque(x * w / sw, y * h / sh)) field[static_cast<std::size_t>(top + y) * w + left + x] = level;
    }
  }
  return BoxBlur(field, w, h, kx, ky);
}

Pixel Shade(Pixel destination, int factor) {
  factor = std::clamp(factor, 0, 255);
  return MakePixel(PixelRed(destination) * factor / 255, PixelGreen(destination) * factor / 255,
                   PixelBlue(destination) * factor / 255, PixelAlpha(destination));
}

}  // namespace zel
