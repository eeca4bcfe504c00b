// Rectangles of the drawing code and the pieces that tiling and image strips cut.
#pragma once

#include <vector>

namespace zel {

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool operator==(const Rect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

// One copy of a tiled image: where it goes, of which the source's top-left width x height part.
struct TilePiece {
  Rect destination;
  int width = 0, height = 0;
};

// The image repeated from area's top-left corner, each copy from the image's origin, the last
// column and row of copies clipped to area. Nothing for an empty area or image.
std::vector<TilePiece> TilePieces(const Rect& area, int imageWidth, int imageHeight);

// Frame n of an image strip cut into frames of cx x cy, numbered row by row. False (nothing to
// draw) when n is at or beyond the frame count or the sizes are not positive.
bool StripFrame(int stripWidth, int stripHeight, int cx, int cy, int n, Rect& frame);

// The one-pixel-high rectangles that cover the pixels of a top-down, row-major image that differ
// from transparent, taken row by row from the bottom row up, each row left to right.
template <typename PixelAt>
std::vector<Rect> OpaqueRuns(int width, int height, PixelAt isOpaque) {
  std::vector<Rect> runs;
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width;) {
      if (!isOpaque(x, y)) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < width && isOpaque(x, y)) ++x;
      runs.push_back({start, y, x, y + 1});
    }
  }
  return runs;
}

}  // namespace zel
