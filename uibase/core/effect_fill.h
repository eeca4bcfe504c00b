// The effect fills behind backgrounds and table cells: solid colour, two- and three-colour
// gradients, and textures drawn through a 256-entry palette from the end colour to the start
// colour. Everything here is arithmetic; the Win32 side paints what it plans.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "uibase/core/colour.h"
#include "uibase/core/geometry.h"

namespace zel {

enum FillEffect : int {
  kFillTransparent = -1,
  kFillSolid = 0,
  kFillHGradient = 1,
  kFillVGradient = 2,
  kFillHCGradient = 3,
  kFillVCGradient = 4,
  kFill3HGradient = 5,
  kFill3VGradient = 6,
  kFillNoise = 7,
  kFillDiagShade = 8,
  kFillHShade = 9,
  kFillVShade = 10,
  kFillHBump = 11,
  kFillVBump = 12,
  kFillSoftBump = 13,
  kFillHardBump = 14,
  kFillMetal = 15,
};

struct FillBand {
  Rect rect;
  Colour colour;
};

// The 64 bands of a two-colour gradient across rect (left to right when horizontal, else top to
// bottom): band k spans k x size / 64 to (k + 1) x size / 64 and has, per channel,
// (from x (64 - k) + to x k) / 64. Empty bands are left out.
std::vector<FillBand> GradientBands(const Rect& rect, Colour from, Colour to, bool horizontal);

bool IsTextureEffect(int effect);

// The bands that paint a non-texture effect: solid (and every unknown code) one band of the
// start colour; gradients and centred or three-colour gradients their halves. Transparent and
// texture codes give none.
std::vector<FillBand> PlanBandFill(int effect, const Rect& rect, Colour start, Colour middle, Colour end);

using TexturePalette = std::array<Colour, 256>;
// End colour at index 0, middle at 128, start at 255, linear per channel; then every entry is
// tinted toward the start colour by tintPercent (at most 100).
TexturePalette MakeTexturePalette(Colour start, Colour middle, Colour end, int tintPercent);

// A source of values 0 to 0x7FFF, as the C library's rand().
using RandomSource = std::function<int()>;

// The palette index of every pixel of a width x height texture, top-down and row-major.
// granularity (0-255) is the noise amplitude. Empty for a non-texture effect or an empty size.
std::vector<std::uint8_t> MakeTexture(int effect, int width, int height, int granularity, const RandomSource& random);

}  // namespace zel
