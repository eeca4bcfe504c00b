// Rectangles and image slicing of the skinned windows. Everything here is plain arithmetic on
// client coordinates so that the drawing rules can be checked without a window.
#pragma once

#include <cstdint>
#include <vector>

namespace mb::skin {

// A rectangle in client pixels; right and bottom are exclusive, as in RECT.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  // Same test as PtInRect: left and top inside, right and bottom outside.
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
};

inline bool operator==(const Rect& a, const Rect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline bool operator!=(const Rect& a, const Rect& b) { return !(a == b); }

inline Rect RectFromSize(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }

struct Size {
  int cx = 0;
  int cy = 0;
};

inline bool operator==(const Size& a, const Size& b) { return a.cx == b.cx && a.cy == b.cy; }

// COLORREF layout: 0x00BBGGRR.
using Colour = std::uint32_t;

// The anchor rule of the layout tables: a negative left or top, or a right or bottom below 1,
// is counted from the owner's right or bottom edge (so 0 as right means the right edge).
Rect AnchorRect(const Rect& stored, int cx, int cy);

// One copy out of a named image: the source part in image pixels and where it lands.
// Whole and Part copy unscaled (dst has the size of src); Stretch scales src into dst.
struct ImageBlit {
  enum class Mode { Whole, Part, Stretch };
  Mode mode = Mode::Part;
  Rect src;
  Rect dst;
};

inline bool operator==(const ImageBlit& a, const ImageBlit& b) {
  return a.mode == b.mode && a.src == b.src && a.dst == b.dst;
}

// Background of an image button in r: the image once when it has r's size, otherwise a
// horizontal three-slice in the image's own height.
std::vector<ImageBlit> ButtonBackgroundBlits(Size image, const Rect& r);

// Background of a push button in r: whole, horizontal three-slice when only the width differs,
// nine-slice when the height differs.
std::vector<ImageBlit> PushButtonBackgroundBlits(Size image, const Rect& r);

// Horizontal three-slice of an image across width pixels from x, vertically centred in a client
// area of clientHeight pixels (the progress bar's background).
std::vector<ImageBlit> HorizontalThreeSliceBlits(Size image, int x, int width, int clientHeight);

// Button image for a state: 0 normal, 1 focus (hot), 2 down (hot and pressed), 3 disable.
int ImageStateIndex(bool enabled, bool hot, bool pressed);

// Tab rectangles of a tab strip, both bottom-aligned on the strip.
struct TabRects {
  Rect normal;
  Rect selected;
};

struct TabStripMetrics {
  Size normalImage;
  Size selectedImage;
  int margin = 30;
  bool leftAligned = false;
  int gap = 2;
};

std::vector<TabRects> LayoutTabStrip(const Rect& strip, int tabCount, const TabStripMetrics& metrics);

}  // namespace mb::skin
