#include "skin/format/keyed_region.h"

namespace mb::skinfile {
namespace {

struct Run {
  int left;
  int right;
};

bool SameRuns(const std::vector<Run>& a, const std::vector<Run>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].left != b[i].left || a[i].right != b[i].right) return false;
  }
  return true;
}

std::vector<Run> RowRuns(const BgrPixels& picture, const ImageRect& area, int row, Rgb transparent) {
  std::vector<Run> runs;
  const int y = area.y + row;
  int start = -1;
  for (int col = 0; col <= area.width; ++col) {
    const int x = area.x + col;
    const bool opaque = col < area.width && picture.Contains(x, y) && picture.At(x, y) != transparent;
    if (opaque && start < 0) start = col;
    if (!opaque && start >= 0) {
      runs.push_back({start, col});
      start = -1;
    }
  }
  return runs;
}

}  // namespace

std::vector<RegionRect> KeyedRegion(const BgrPixels& picture, const ImageRect& area, Rgb transparent) {
  std::vector<RegionRect> out;
  std::vector<Run> open;  // runs of the band being built
  int bandTop = 0;
  auto closeBand = [&](int bottom) {
    for (const Run& r : open) out.push_back({r.left, bandTop, r.right, bottom});
  };
  for (int row = 0; row < area.height; ++row) {
    std::vector<Run> runs = RowRuns(picture, area, row, transparent);
    if (row > 0 && SameRuns(runs, open)) continue;
    closeBand(row);
    open = std::move(runs);
    bandTop = row;
  }
  closeBand(area.height);
  return out;
}

bool HasTransparentPixels(const BgrPixels& picture, const ImageRect& area, Rgb transparent) {
  for (int y = area.y; y < area.y + area.height; ++y) {
    for (int x = area.x; x < area.x + area.width; ++x) {
      if (!picture.Contains(x, y) || picture.At(x, y) == transparent) return true;
    }
  }
  return false;
}

}  // namespace mb::skinfile
