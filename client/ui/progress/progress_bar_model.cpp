#include "client/ui/progress/progress_bar_model.h"

#include <algorithm>
#include <cstdio>

namespace mb::progress {

using skin::ImageBlit;
using skin::RectFromSize;

int ClampProgressPosition(int percent) { return std::clamp(percent, kNoProgress, 100); }

std::string ProgressText(int position) {
  char text[32];
  std::snprintf(text, sizeof text, "已完成 %d%%", ClampProgressPosition(position));
  return text;
}

bool ProgressBarDrawsText(int skinLayout, bool dialogStyle) { return skinLayout == 1 || dialogStyle; }

int ProgressFilledWidth(int clientWidth, int position) {
  const int p = ClampProgressPosition(position);
  if (p <= 0 || clientWidth <= 0) return 0;
  return clientWidth * p / 100;
}

std::vector<ImageBlit> ProgressBackgroundBlits(skin::Size image, int clientWidth, int clientHeight) {
  return skin::HorizontalThreeSliceBlits(image, 0, clientWidth, clientHeight);
}

std::vector<ImageBlit> ProgressFillBlits(skin::Size image, int filledWidth, int clientHeight) {
  std::vector<ImageBlit> out;
  const int w = image.cx;
  const int h = image.cy;
  if (w <= 0 || h <= 0 || filledWidth <= 0) return out;
  const int c = w / 3;
  const int y = (clientHeight - h) / 2;
  if (filledWidth > 2 * c) return skin::HorizontalThreeSliceBlits(image, 0, filledWidth, clientHeight);
  if (filledWidth <= c) {
    out.push_back({ImageBlit::Mode::Part, RectFromSize(0, 0, filledWidth, h), RectFromSize(0, y, filledWidth, h)});
    return out;
  }
  // Between one and two thirds: the start of the left third, then the whole right end piece.
  const int leftPart = filledWidth - c;
  out.push_back({ImageBlit::Mode::Part, RectFromSize(0, 0, leftPart, h), RectFromSize(0, y, leftPart, h)});
  out.push_back({ImageBlit::Mode::Part, RectFromSize(w - c, 0, c, h), RectFromSize(leftPart, y, c, h)});
  return out;
}

}  // namespace mb::progress
