#include "editor/core/canvas_geometry.h"

#include <algorithm>
#include <cmath>

namespace mb::editor {

namespace {
constexpr int kComposeShiftX = 8;
constexpr int kComposeTitleRows = 28;

int Scaled(int value, double factor) { return static_cast<int>(std::floor(value * factor)); }
}  // namespace

Point DrawingOrigin(int clientWidth, int clientHeight, int drawnWidth, int drawnHeight) {
  return {std::max((clientWidth - drawnWidth) / 2, 0), std::max((clientHeight - drawnHeight) / 2, 0)};
}

Point CanvasPointToPicture(Point p, const CanvasView& view) {
  if (view.fitMode && view.clientWidth > 0 && view.clientHeight > 0) {
    return {Scaled(p.x, static_cast<double>(view.pictureWidth) / view.clientWidth),
            Scaled(p.y, static_cast<double>(view.pictureHeight) / view.clientHeight)};
  }
  const double zoom = view.zoom > 0 ? view.zoom : 1.0;
  return {Scaled(p.x - view.origin.x + view.scroll.x, 1.0 / zoom),
          Scaled(p.y - view.origin.y + view.scroll.y, 1.0 / zoom)};
}

PixelRect CanvasToPicture(const PixelRect& r, const CanvasView& view) {
  const Point a = CanvasPointToPicture({std::min(r.left, r.right), std::min(r.top, r.bottom)}, view);
  const Point b = CanvasPointToPicture({std::max(r.left, r.right), std::max(r.top, r.bottom)}, view);
  PixelRect out;
  out.left = std::clamp(a.x, 0, view.pictureWidth);
  out.top = std::clamp(a.y, 0, view.pictureHeight);
  out.right = std::clamp(b.x, 0, view.pictureWidth);
  out.bottom = std::clamp(b.y, 0, view.pictureHeight);
  return out;
}

bool WatermarkPresetPoint(int code, int width, int height, Point& out) {
  const Point presets[9] = {
      {20, 20},          {width / 2, 10},          {width - 120, 10},
      {20, height / 2 - 50}, {width / 2, height / 2 - 50}, {width - 120, height / 2 - 50},
      {20, height - 100},    {width / 2, height - 110},    {width - 120, height - 110},
  };
  if (code < 1 || code > 9) return false;
  out = presets[code - 1];
  return true;
}

PixelRect ClampFloatWindow(const PixelRect& window, Point origin, int drawnWidth, int drawnHeight) {
  const int minLeft = origin.x + kFloatMarginX;
  const int minTop = origin.y + kFloatMarginY;
  const int maxRight = origin.x + drawnWidth + kFloatMarginX;
  const int maxBottom = origin.y + drawnHeight + kFloatMarginY;
  int dx = 0, dy = 0;
  if (window.right > maxRight) dx = maxRight - window.right;
  if (window.left + dx < minLeft) dx = minLeft - window.left;
  if (window.bottom > maxBottom) dy = maxBottom - window.bottom;
  if (window.top + dy < minTop) dy = minTop - window.top;
  return {window.left + dx, window.top + dy, window.right + dx, window.bottom + dy};
}

Point WatermarkComposePoint(const ComposeInput& in) {
  const double zoom = in.zoom > 0 ? in.zoom : 1.0;
  int x = std::max(Scaled(in.windowPosition.x, 1.0 / zoom), 0);
  const int y = std::max(Scaled(in.windowPosition.y, 1.0 / zoom), 0);
  // Rows counted from the bottom edge, as the mark's lower edge sits on them.
  int rowFromBottom = std::max(in.height - y - in.markHeight, 0);
  if (x + in.markWidth > in.width) x = in.width - in.markWidth;
  if (!in.fitMode) {
    if (x > kComposeShiftX) x -= kComposeShiftX;
    if (in.titleShown) rowFromBottom += kComposeTitleRows;
  }
  return {x, in.height - rowFromBottom - in.markHeight};
}

Point TextWatermarkPoint(Point windowPosition, double zoom) {
  const double z = zoom > 0 ? zoom : 1.0;
  return {std::max(Scaled(windowPosition.x, 1.0 / z), 0), std::max(Scaled(windowPosition.y, 1.0 / z), 0)};
}

}  // namespace mb::editor
