#include "uibase/core/geometry.h"

#include <algorithm>

namespace zel {

std::vector<TilePiece> TilePieces(const Rect& area, int imageWidth, int imageHeight) {
  std::vector<TilePiece> pieces;
  if (area.IsEmpty() || imageWidth <= 0 || imageHeight <= 0) return pieces;
  for (int y = area.top; y < area.bottom; y += imageHeight) {
    const int h = std::min(imageHeight, area.bottom - y);
    for (int x = area.left; x < area.right; x += imageWidth) {
      const int w = std::min(imageWidth, area.right - x);
      pieces.push_back({{x, y, x + w, y + h}, w, h});
    }
  }
  return pieces;
}

bool StripFrame(int stripWidth, int stripHeight, int cx, int cy, int n, Rect& frame) {
  if (cx <= 0 || cy <= 0 || n < 0) return false;
  const int columns = stripWidth / cx;
  const int rows = stripHeight / cy;
  if (n >= columns * rows) return false;
  const int x = (n % columns) * cx;
  const int y = (n / columns) * cy;
  frame = {x, y, x + cx, y + cy};
  return true;
}

}  // namespace zel
