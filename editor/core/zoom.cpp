#include "editor/core/zoom.h"

#include <algorithm>
#include <cmath>

namespace mb::editor {

namespace {
constexpr double kTolerance = 1e-6;
}  // namespace

bool ZoomEquals(double a, double b) { return std::fabs(a - b) < kTolerance; }

bool CanZoomIn(double zoom) { return zoom < kZoomMax - kTolerance; }
bool CanZoomOut(double zoom) { return zoom > kZoomMin + kTolerance; }
bool IsActualSize(double zoom) { return ZoomEquals(zoom, 1.0); }

double ZoomIn(double zoom) { return CanZoomIn(zoom) ? std::min(zoom + kZoomStep, kZoomMax) : zoom; }

double ZoomOut(double zoom) { return CanZoomOut(zoom) ? std::max(zoom - kZoomStep, kZoomMin) : zoom; }

double FitZoom(int pictureWidth, int pictureHeight, int availableWidth, int availableHeight) {
  if (availableWidth <= 0 || availableHeight <= 0 || pictureWidth <= 0 || pictureHeight <= 0) return 1.0;
  if (pictureWidth < availableWidth && pictureHeight < availableHeight) return 1.0;
  // Whole twentieths, so that 2000 x 0.40 counts as 800 and not as 799.99.
  constexpr long long kTwentieths = 20;
  for (long long left = kTwentieths - 1; left > 1; --left) {
    if (pictureWidth * left < availableWidth * kTwentieths && pictureHeight * left < availableHeight * kTwentieths)
      return static_cast<double>(left) / kTwentieths;
  }
  return kFitZoomFloor;
}

FitSpace EditorFitSpace(int parentWidth, int parentHeight, bool panelOpen) {
  const int panelShare = panelOpen ? 165 : 165 - 117;
  return {parentWidth, parentHeight - panelShare};
}

int ScaledSide(int side, double zoom) {
  const double scaled = side * zoom;
  return scaled > 0 ? static_cast<int>(scaled) : 0;
}

}  // namespace mb::editor
