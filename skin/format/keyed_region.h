// The shape of a skin image as rectangles: every pixel that is not the transparent colour. The
// skin engine turns the rectangles into a window region (ExtCreateRegion).
#pragma once

#include <vector>

#include "skin/format/bmp24.h"
#include "skin/format/skin_catalog.h"

namespace mb::skinfile {

// Rectangles relative to the image's top-left corner; right and bottom exclusive.
struct RegionRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

inline bool operator==(const RegionRect& a, const RegionRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Opaque runs of each row of the image's area in the picture; consecutive rows with the same
// runs are joined into taller rectangles. Parts of the area outside the picture count as
// transparent.
std::vector<RegionRect> KeyedRegion(const BgrPixels& picture, const ImageRect& area, Rgb transparent);
inline std::vector<RegionRect> KeyedRegion(const Bitmap24& picture, const ImageRect& area, Rgb transparent) {
  return KeyedRegion(picture.Pixels(), area, transparent);
}

// Whether any pixel of the area has the transparent colour.
bool HasTransparentPixels(const BgrPixels& picture, const ImageRect& area, Rgb transparent);
inline bool HasTransparentPixels(const Bitmap24& picture, const ImageRect& area, Rgb transparent) {
  return HasTransparentPixels(picture.Pixels(), area, transparent);
}

}  // namespace mb::skinfile
