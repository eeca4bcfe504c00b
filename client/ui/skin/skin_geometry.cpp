#include "client/ui/skin/skin_geometry.h"

namespace mb::skin {
namespace {

// A slice that would land with no width or height is left out: StretchBlt mirrors a negative
// destination, which would paint the slice back over its neighbours when r is narrower than
// the two end pieces.
void AddBlit(std::vector<ImageBlit>& out, ImageBlit::Mode mode, const Rect& src, const Rect& dst) {
  if (src.IsEmpty() || dst.IsEmpty()) return;
  out.push_back({mode, src, dst});
}

void AddPart(std::vector<ImageBlit>& out, const Rect& src, int x, int y) {
  AddBlit(out, ImageBlit::Mode::Part, src, RectFromSize(x, y, src.Width(), src.Height()));
}

void AddThreeSlice(std::vector<ImageBlit>& out, Size image, int left, int right, int top) {
  const int w = image.cx;
  const int h = image.cy;
  const int c = w / 3;
  AddPart(out, RectFromSize(0, 0, c, h), left, top);
  AddBlit(out, ImageBlit::Mode::Stretch, RectFromSize(c, 0, c, h),
          RectFromSize(left + c, top, (right - left) - 2 * c, h));
  AddPart(out, RectFromSize(w - c, 0, c, h), right - c, top);
}

}  // namespace

Rect AnchorRect(const Rect& stored, int cx, int cy) {
  Rect r;
  r.left = stored.left + (stored.left < 0 ? cx : 0);
  r.right = stored.right + (stored.right < 1 ? cx : 0);
  r.top = stored.top + (stored.top < 0 ? cy : 0);
  r.bottom = stored.bottom + (stored.bottom < 1 ? cy : 0);
  return r;
}

std::vector<ImageBlit> ButtonBackgroundBlits(Size image, const Rect& r) {
  std::vector<ImageBlit> out;
  if (image.cx <= 0 || image.cy <= 0) return out;
  if (image.cx == r.Width() && image.cy == r.Height()) {
    AddBlit(out, ImageBlit::Mode::Whole, RectFromSize(0, 0, image.cx, image.cy), r);
    return out;
  }
  AddThreeSlice(out, image, r.left, r.right, r.top);
  return out;
}

std::vector<ImageBlit> PushButtonBackgroundBlits(Size image, const Rect& r) {
  std::vector<ImageBlit> out;
  const int w = image.cx;
  const int h = image.cy;
  if (w <= 0 || h <= 0) return out;
  if (w == r.Width() && h == r.Height()) {
    AddBlit(out, ImageBlit::Mode::Whole, RectFromSize(0, 0, w, h), r);
    return out;
  }
  if (h == r.Height()) {
    AddThreeSlice(out, image, r.left, r.right, r.top);
    return out;
  }
  const int c = h / 3;
  const int innerW = r.Width() - 2 * c;
  const int innerH = r.Height() - 2 * c;
  const auto stretch = ImageBlit::Mode::Stretch;
  // Corners unscaled.
  AddPart(out, RectFromSize(0, 0, c, c), r.left, r.top);
  AddPart(out, RectFromSize(w - c, 0, c, c), r.right - c, r.top);
  AddPart(out, RectFromSize(0, h - c, c, c), r.left, r.bottom - c);
  AddPart(out, RectFromSize(w - c, h - c, c, c), r.right - c, r.bottom - c);
  // Edges: top, bottom, left, right (the right edge takes a c x c source, as the skins expect).
  AddBlit(out, stretch, RectFromSize(c, 0, w - 2 * c, c), RectFromSize(r.left + c, r.top, innerW, c));
  AddBlit(out, stretch, RectFromSize(c, h - c, w - 2 * c, c), RectFromSize(r.left + c, r.bottom - c, innerW, c));
  AddBlit(out, stretch, RectFromSize(0, c, c, h - 2 * c), RectFromSize(r.left, r.top + c, c, innerH));
  AddBlit(out, stretch, RectFromSize(w - c, c, c, c), RectFromSize(r.right - c, r.top + c, c, innerH));
  // Centre.
  AddBlit(out, stretch, RectFromSize(c, c, c, c), RectFromSize(r.left + c, r.top + c, innerW, innerH));
  return out;
}

std::vector<ImageBlit> HorizontalThreeSliceBlits(Size image, int x, int width, int clientHeight) {
  std::vector<ImageBlit> out;
  if (image.cx <= 0 || image.cy <= 0) return out;
  AddThreeSlice(out, image, x, x + width, (clientHeight - image.cy) / 2);
  return out;
}

int ImageStateIndex(bool enabled, bool hot, bool pressed) {
  if (!enabled) return 3;
  if (hot && pressed) return 2;
  return hot ? 1 : 0;
}

std::vector<TabRects> LayoutTabStrip(const Rect& strip, int tabCount, const TabStripMetrics& m) {
  std::vector<TabRects> out;
  if (tabCount <= 0) return out;
  const int wN = m.normalImage.cx;
  int x = m.leftAligned ? strip.left + m.margin
                        : strip.right - wN * (tabCount - 1) - m.margin - m.selectedImage.cx;
  for (int i = 0; i < tabCount; ++i) {
    TabRects t;
    t.normal = {x, strip.bottom - m.normalImage.cy, x + wN, strip.bottom};
    t.selected = {x, strip.bottom - m.selectedImage.cy, x + wN, strip.bottom};
    out.push_back(t);
    x += m.gap + wN;
  }
  return out;
}

}  // namespace mb::skin
