#include "uibase/core/effect_fill.h"

#include <algorithm>

namespace zel {

namespace {

int Channel(Colour c, int shift) { return static_cast<int>((c >> shift) & 0xFF); }

Colour BandColour(Colour from, Colour to, int k) {
  auto mix = [&](int shift) { return (Channel(from, shift) * (64 - k) + Channel(to, shift) * k) / 64; };
  return MakeColour(mix(0), mix(8), mix(16));
}

// Two gradients over the two halves of rect: first from a to b, then from c to d.
void AppendHalves(std::vector<FillBand>& bands, const Rect& rect, bool horizontal, Colour a, Colour b, Colour c,
                  Colour d) {
  Rect first = rect, second = rect;
  if (horizontal) {
    first.right = second.left = rect.left + rect.Width() / 2;
  } else {
    first.bottom = second.top = rect.top + rect.Height() / 2;
  }
  for (const FillBand& band : GradientBands(first, a, b, horizontal)) bands.push_back(band);
  for (const FillBand& band : GradientBands(second, c, d, horizontal)) bands.push_back(band);
}

int Clamp8(int v) { return std::clamp(v, 0, 255); }

// The cubic bump profile of d (-127 .. 128) scaled by how much room the noise leaves.
int BumpProfile(int d, int granularity) { return (d * d * d / 16384) * (128 - granularity) / 128; }

}  // namespace

std::vector<FillBand> GradientBands(const Rect& rect, Colour from, Colour to, bool horizontal) {
  std::vector<FillBand> bands;
  const int size = horizontal ? rect.Width() : rect.Height();
  if (size <= 0 || rect.IsEmpty()) return bands;
  for (int k = 0; k < 64; ++k) {
    const int begin = k * size / 64;
    const int end = (k + 1) * size / 64;
    if (end <= begin) continue;
    Rect band = rect;
    if (horizontal) {
      band.left = rect.left + begin;
      band.right = rect.left + end;
    } else {
      band.top = rect.top + begin;
      band.bottom = rect.top + end;
    }
    bands.push_back({band, BandColour(from, to, k)});
  }
  return bands;
}

bool IsTextureEffect(int effect) { return effect >= kFillNoise && effect <= kFillMetal; }

std::vector<FillBand> PlanBandFill(int effect, const Rect& rect, Colour start, Colour middle, Colour end) {
  std::vector<FillBand> bands;
  if (effect == kFillTransparent || IsTextureEffect(effect) || rect.IsEmpty()) return bands;
  switch (effect) {
    case kFillHGradient:
      return GradientBands(rect, start, end, true);
    case kFillVGradient:
      return GradientBands(rect, start, end, false);
    case kFillHCGradient:
      AppendHalves(bands, rect, true, start, end, end, start);
      return bands;
    case kFillVCGradient:
      AppendHalves(bands, rect, false, start, end, end, start);
      return bands;
    case kFill3HGradient:
      AppendHalves(bands, rect, true, start, middle, middle, end);
      return bands;
    case kFill3VGradient:
      AppendHalves(bands, rect, false, start, middle, middle, end);
      return bands;
    default:
      bands.push_back({rect, start});
      return bands;
  }
}

TexturePalette MakeTexturePalette(Colour start, Colour middle, Colour end, int tintPercent) {
  TexturePalette palette{};
  auto ramp = [](Colour from, Colour to, int step, int steps) {
    auto mix = [&](int shift) { return Channel(from, shift) + (Channel(to, shift) - Channel(from, shift)) * step / steps; };
    return MakeColour(mix(0), mix(8), mix(16));
  };
  for (int i = 0; i < 128; ++i) palette[i] = ramp(end, middle, i, 128);
  for (int i = 128; i < 256; ++i) palette[i] = ramp(middle, start, i - 128, 127);
  const int p = std::clamp(tintPercent, 0, 100);
  for (Colour& entry : palette) {
    auto tint = [&](int shift) { return (Channel(start, shift) * p + Channel(entry, shift) * (100 - p)) / 100; };
    entry = MakeColour(tint(0), tint(8), tint(16));
  }
  return palette;
}

std::vector<std::uint8_t> MakeTexture(int effect, int width, int height, int granularity, const RandomSource& random) {
  std::vector<std::uint8_t> texture;
  if (!IsTextureEffect(effect) || width <= 0 || height <= 0) return texture;
  const int a = std::clamp(granularity, 0, 255);
  const int r = 255 - 2 * a;
  const int divisor = a == 0 ? 0x7FFF : std::max(1, 0x7FFF / (2 * a));
  auto noise = [&]() { return (random() & 0x7FFF) / divisor - a; };
  texture.assign(static_cast<std::size_t>(width) * height, 0);
  auto at = [&](int x, int y) -> std::uint8_t& { return texture[static_cast<std::size_t>(y) * width + x]; };

  if (effect == kFillMetal) {
    // Streaks first, on a cleared image; then the vertical shading with noise on top.
    std::vector<int> streaks(texture.size(), 0);
    for (int s = 0; s < 200; ++s) {
      const int x0 = (random() & 0x7FFF) % width;
      const int y0 = (random() & 0x7FFF) % height;
      const int length = 1 + (random() & 0x7FFF) % std::max(1, std::max(width, height) / 2);
      const int shade = (random() & 0x7FFF) % 64;
      for (int i = 0; i < length; ++i) {
        const int x = x0 + i, y = y0 + i;
        if (x >= width || y >= height) break;
        streaks[static_cast<std::size_t>(y) * width + x] += shade;
      }
    }
    const int band = std::max(0, (r - 40) / 2);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const int streak = streaks[static_cast<std::size_t>(y) * width + x];
        at(x, y) = static_cast<std::uint8_t>(Clamp8(a + 20 + y * band / height + streak + noise()));
      }
    }
    return texture;
  }

  const int bevel = std::min(16, width / 6);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      int v = 128;
      switch (effect) {
        case kFillNoise:
          v = 128;
          break;
        case kFillDiagShade:
          v = a + (y * r / 2) / height + (r / 2) * (width - x) / width;
          break;
        case kFillHShade:
          v = a + y * r / height;
          break;
        case kFillVShade:
          v = a + r * (width - x) / width;
          break;
        case kFillHBump:
          v = 128 + BumpProfile(255 * y / height - 127, a);
          break;
        case kFillVBump:
          v = 128 + BumpProfile(255 * (width - x) / width - 127, a);
          break;
        case kFillSoftBump:
          v = std::clamp(128 + (BumpProfile(255 * y / height - 127, a) + BumpProfile(255 * (width - x) / width - 127, a)) / 2,
                         a, 255 - a);
          break;
        case kFillHardBump:
          if (x < bevel || y < bevel) {
            v = 255 - a;  // lit edges
          } else if (x >= width - bevel || y >= height - bevel) {
            v = a;  // shaded edges
          } else {
            v = 128 + BumpProfile(255 * y / height - 127, a);
          }
          break;
        default:
          break;
      }
      at(x, y) = static_cast<std::uint8_t>(Clamp8(v + noise()));
    }
  }
  return texture;
}

}  // namespace zel
