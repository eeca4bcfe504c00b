// The image styles applied to a 32-bit copy of a picture before it is drawn (grey, dark, light,
// fill, invert), the transparent mask that goes with it, alpha blending, and the drop shadow's
// silhouette and blur. Pixels are top-down, row-major, 0xAARRGGBB.
#pragma once

#include <cstdint>
#include <vector>

#include "uibase/core/colour.h"

namespace zel {

enum ImageStyle : unsigned {
  kStyleGrey = 0x1,
  kStyleDark = 0x2,
  kStyleLight = 0x4,
  kStyleFill = 0x8,
  kStyleInvert = 0x8000,
};

struct PreparedImage {
  int width = 0, height = 0;
  std::vector<Pixel> pixels;
  std::vector<std::uint8_t> transparent;  // 1 where the pixel is the transparent colour
  bool hasAlpha = false;                  // some pixel carries a non-zero alpha byte
};

// Applies the styles, in the order grey, dark, light, fill, invert. With the transparent test on,
// a pixel equal to the transparent colour becomes black (and is marked transparent). Alpha bytes
// stay as they were.
PreparedImage PrepareImage(std::vector<Pixel> pixels, int width, int height, unsigned styles, bool transparentTest,
                           Colour transparentColour, Colour fillColour);

// Draws a prepared image onto destination pixels of the same size: with alpha, each pixel blended
// by its alpha byte; without, transparent pixels keep the destination and the others replace it.
void CompositeOnto(const PreparedImage& image, std::vector<Pixel>& destination);

// The drop shadow's darkness factors (0-255, 255 leaves the destination unchanged) over a
// width x height field: the image's silhouette (opaque: not marked transparent) in shadowLevel on
// white. With blur, the silhouette is shrunk by the offsets, centred, and blurred with a box
// filter of offsetX x offsetY (odd sizes; pixels outside count as white).
std::vector<std::uint8_t> ShadowFactors(const PreparedImage& image, int offsetX, int offsetY, bool blur,
                                        int shadowLevel = 128);

// Multiplies each destination pixel's channels by factor / 255.
Pixel Shade(Pixel destination, int factor);

}  // namespace zel
