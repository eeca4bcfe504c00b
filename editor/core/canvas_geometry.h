// Where the picture editor's canvas puts things: the picture's drawing origin, the selection in
// picture pixels, the floating watermark windows' bounds and the place a watermark is composed
// at. Picture coordinates are top-down, as in the image layer.
#pragma once

#include "image/picture.h"

namespace mb::editor {

struct Point {
  int x = 0;
  int y = 0;
};
inline bool operator==(const Point& a, const Point& b) { return a.x == b.x && a.y == b.y; }

// The top-left corner of a drawn picture centred in the client area, each side 0 when the
// picture is larger than the client.
Point DrawingOrigin(int clientWidth, int clientHeight, int drawnWidth, int drawnHeight);

// What the canvas shows and how: drawn at zoom from origin, scrolled by scroll; in fit mode the
// picture is stretched over the whole client area instead.
struct CanvasView {
  int pictureWidth = 0;
  int pictureHeight = 0;
  double zoom = 1.0;
  Point origin;
  Point scroll;
  bool fitMode = false;
  int clientWidth = 0;
  int clientHeight = 0;
};

// A rectangle on the canvas (client coordinates) as picture pixels, clipped to the picture.
PixelRect CanvasToPicture(const PixelRect& canvasRect, const CanvasView& view);
// A canvas point as a picture pixel (may lie outside the picture).
Point CanvasPointToPicture(Point canvasPoint, const CanvasView& view);

// The preset watermark places 1 to 9 for a width x height picture (3 x 3, left to right, top to
// bottom); false for any other code.
bool WatermarkPresetPoint(int code, int width, int height, Point& out);

// A floating watermark window may not leave the drawn picture: its left edge at least origin x
// + 10, its top at least origin y + 29, its right and bottom edges at most the drawn picture's
// plus the same margins. Returns the window's rectangle moved (not resized) inside.
constexpr int kFloatMarginX = 10;
constexpr int kFloatMarginY = 29;
PixelRect ClampFloatWindow(const PixelRect& window, Point origin, int drawnWidth, int drawnHeight);

// The top-left corner where a watermark of markWidth x markHeight is mixed onto a width x height
// picture, from the floating window's position relative to the picture (canvas pixels) at zoom.
// The window's margins are taken back off (8 across, 28 down while its title part shows) unless
// the canvas is in fit mode, and the mark is kept inside the right and bottom edges.
struct ComposeInput {
  Point windowPosition;  // relative to the drawn picture's corner, canvas pixels
  double zoom = 1.0;
  int width = 0, height = 0;
  int markWidth = 0, markHeight = 0;
  bool fitMode = false;
  bool titleShown = true;
};
Point WatermarkComposePoint(const ComposeInput& input);

// Where a text watermark is drawn: the picture point under the window's top-left corner. The
// window shows the text from that corner, so the saved text lands exactly where the member saw
// it, however the window was placed or dragged.
Point TextWatermarkPoint(Point windowPosition, double zoom);

}  // namespace mb::editor
