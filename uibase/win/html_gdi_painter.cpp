#include "uibase/win/html_gdi_painter.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "framework/gdi.h"

namespace zel {

using namespace mb::html;

namespace {

RECT ToRect(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

HPEN MakePen(int style, int width, COLORREF colour) {
  const int penStyle = style == 2 ? PS_DASH : style == 3 ? PS_DOT : PS_SOLID;
  return CreatePen(penStyle, penStyle == PS_SOLID ? width : 1, colour);
}

void Gradient(HDC dc, const RECT& r, COLORREF from, COLORREF to, bool horizontal) {
  const int size = horizontal ? r.right - r.left : r.bottom - r.top;
  for (int k = 0; k < 64; ++k) {
    const int a = k * size / 64, b = (k + 1) * size / 64;
    if (a == b) continue;
    const auto mix = [&](int shift) {
      return (((from >> shift) & 0xFF) * (64 - k) + ((to >> shift) & 0xFF) * k) / 64;
    };
    fw::Brush brush(CreateSolidBrush(RGB(mix(0), mix(8), mix(16))));
    RECT band = horizontal ? RECT{r.left + a, r.top, r.left + b, r.bottom} : RECT{r.left, r.top + a, r.right, r.top + b};
    FillRect(dc, &band, brush);
  }
}

// Pixels as a top-down 32-bit DIB section holds them: 0x00RRGGBB.
std::uint32_t ToPixel(COLORREF c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }

// A 32-bit top-down DIB section with a DC, for pixel work.
class PixelBuffer {
 public:
  PixelBuffer(HDC compatible, int width, int height) : dc_(compatible), width_(width), height_(height) {
    BITMAPINFO info = fw::TopDownDibInfo(width, height, 32);
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(compatible, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    pixels_ = static_cast<std::uint32_t*>(bits);
    if (bitmap_) old_ = SelectObject(dc_, bitmap_);
  }
  ~PixelBuffer() {
    if (old_) SelectObject(dc_, old_);
  }
  bool Ok() const { return pixels_ != nullptr; }
  HDC Dc() const { return dc_; }
  std::uint32_t& At(int x, int y) { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  fw::MemoryDC dc_;
  int width_, height_;
  fw::Bitmap bitmap_;
  std::uint32_t* pixels_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

std::uint32_t Scale(std::uint32_t p, int percent) {
  const auto ch = [&](int shift) { return std::min<std::uint32_t>(((p >> shift) & 0xFF) * percent / 100, 255) << shift; };
  return ch(0) | ch(8) | ch(16);
}

std::uint32_t Styled(std::uint32_t p, const std::string& styles) {
  for (char s : styles) {
    if (s == 'g') {
      const std::uint32_t v = (((p >> 16) & 0xFF) * 299 + ((p >> 8) & 0xFF) * 587 + (p & 0xFF) * 114) / 1000;
      p = (v << 16) | (v << 8) | v;
    } else if (s == 'd') {
      p = Scale(p, 75);
    } else if (s == 'l') {
      p = Scale(p, 125);
    }
  }
  return p;
}

}  // namespace

void HtmlGdiPainter::FillEffect(HDC dc, int effect, const RECT& r, COLORREF start, COLORREF middle, COLORREF end) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  switch (effect) {
    case -1: return;
    case 1: Gradient(dc, r, start, end, true); return;
    case 2: Gradient(dc, r, start, end, false); return;
    case 3:
      Gradient(dc, {r.left, r.top, r.left + w / 2, r.bottom}, start, end, true);
      Gradient(dc, {r.left + w / 2, r.top, r.right, r.bottom}, end, start, true);
      return;
    case 4:
      Gradient(dc, {r.left, r.top, r.right, r.top + h / 2}, start, end, false);
      Gradient(dc, {r.left, r.top + h / 2, r.right, r.bottom}, end, start, false);
      return;
    case 5:
      Gradient(dc, {r.left, r.top, r.left + w / 2, r.bottom}, start, middle, true);
      Gradient(dc, {r.left + w / 2, r.top, r.right, r.bottom}, middle, end, true);
      return;
    case 6:
      Gradient(dc, {r.left, r.top, r.right, r.top + h / 2}, start, middle, false);
      Gradient(dc, {r.left, r.top + h / 2, r.right, r.bottom}, middle, end, false);
      return;
    default: {
      fw::Brush brush(CreateSolidBrush(start));
      FillRect(dc, &r, brush);
    }
  }
}

void HtmlGdiPainter::Paint(const std::vector<DrawItem>& items) {
  for (const DrawItem& item : items) {
    if (const auto* t = std::get_if<TextItem>(&item)) PaintText(*t);
    else if (const auto* l = std::get_if<LineItem>(&item)) PaintLine(*l);
    else if (const auto* b = std::get_if<BorderItem>(&item)) PaintBorder(*b);
    else if (const auto* f = std::get_if<FillItem>(&item)) FillEffect(measure_.Dc(), f->effect, ToRect(f->rect), f->start, f->middle, f->end);
    else if (const auto* tile = std::get_if<TileItem>(&item)) PaintTile(*tile);
    else if (const auto* image = std::get_if<ImageItem>(&item)) PaintImage(*image);
  }
}

void HtmlGdiPainter::PaintText(const TextItem& item) {
  HDC dc = measure_.Dc();
  fw::ScopedSelect font(dc, measure_.FontFor(item.font));
  SetTextColor(dc, item.colour);
  SetBkColor(dc, item.back);
  SetBkMode(dc, item.backMode == 2 ? OPAQUE : TRANSPARENT);
  if (item.justifyExtra > 0 && item.justifyBreaks > 0) SetTextJustification(dc, item.justifyExtra, item.justifyBreaks);
  TextOutA(dc, item.box.left, item.box.top, item.text.data(), static_cast<int>(item.text.size()));
  SetTextJustification(dc, 0, 0);
  if (item.overline) {
    fw::Pen pen(CreatePen(PS_SOLID, item.font.weight >= 700 ? 2 : 1, item.colour));
    fw::ScopedSelect selected(dc, pen);
    MoveToEx(dc, item.box.left, item.box.top, nullptr);
    LineTo(dc, item.box.right, item.box.top);
  }
}

void HtmlGdiPainter::PaintLine(const LineItem& item) {
  if (item.style == 0 || item.width == 0) return;
  HDC dc = measure_.Dc();
  fw::Pen pen(MakePen(item.style, item.width, item.colour));
  fw::ScopedSelect selected(dc, pen);
  for (int copy = 0; copy < (item.style == 6 ? 2 : 1); ++copy) {
    const int dy = copy * 2 * item.width;
    MoveToEx(dc, item.from.x, item.from.y + dy, nullptr);
    LineTo(dc, item.to.x, item.to.y + dy);
  }
}

void HtmlGdiPainter::PaintBorder(const BorderItem& item) {
  if (item.style == 0 || item.width == 0) return;
  HDC dc = measure_.Dc();
  fw::Pen light(MakePen(item.style, item.width, item.light));
  fw::Pen dark(MakePen(item.style, item.width, item.dark));
  for (int copy = 0; copy < (item.style == 6 ? 2 : 1); ++copy) {
    const int inset = item.width / 2 + copy * 2 * item.width;
    const int l = item.rect.left + inset, t = item.rect.top + inset;
    const int r = item.rect.right - 1 - inset, b = item.rect.bottom - 1 - inset;
    {
      fw::ScopedSelect selected(dc, light);
      MoveToEx(dc, l, b, nullptr);
      LineTo(dc, l, t);
      LineTo(dc, r, t);
    }
    fw::ScopedSelect selected(dc, dark);
    MoveToEx(dc, r, t, nullptr);
    LineTo(dc, r, b);
    LineTo(dc, l - 1, b);
  }
}

void HtmlGdiPainter::PaintTile(const TileItem& item) {
  const LoadedImage image = resources_.Load(ImageKind::kBitmap, item.source);
  if (!image.Bitmap()) return;
  const ImageSize size = image.Size();
  if (size.width <= 0 || size.height <= 0) return;
  HDC dc = measure_.Dc();
  fw::MemoryDC source(dc);
  fw::ScopedSelect selected(source, image.Bitmap());
  for (int y = item.rect.top; y < item.rect.bottom; y += size.height) {
    for (int x = item.rect.left; x < item.rect.right; x += size.width) {
      BitBlt(dc, x, y, std::min(size.width, item.rect.right - x), std::min(size.height, item.rect.bottom - y), source, 0,
             0, SRCCOPY);
    }
  }
}

void HtmlGdiPainter::PaintImage(const ImageItem& item) {
  const LoadedImage image = resources_.Load(item.kind, item.source);
  if (image.Empty()) return;
  HDC dc = measure_.Dc();
  const int sx = std::abs(item.shadow.x), sy = std::abs(item.shadow.y);
  const int w = item.rect.Width() - sx, h = item.rect.Height() - sy;
  if (w <= 0 || h <= 0 || item.rect.Width() > 4096 || item.rect.Height() > 4096) return;

  // The image at its drawn size; pixels of the mask colour (or the icon's see-through pixels)
  // are transparent.
  PixelBuffer picture(dc, w, h);
  if (!picture.Ok()) return;
  const std::uint32_t maskPixel = ToPixel(item.masked ? item.mask : 0xFF00FF);
  const bool masked = item.masked || image.Icon();
  if (image.Icon()) {
    fw::Brush magenta(CreateSolidBrush(0xFF00FF));
    RECT all = {0, 0, w, h};
    FillRect(picture.Dc(), &all, magenta);
    DrawIconEx(picture.Dc(), 0, 0, image.Icon(), w, h, 0, nullptr, DI_NORMAL);
  } else {
    const ImageSize size = image.Size();
    int fx = 0, fy = 0, frameW = size.width, frameH = size.height;
    if (item.kind == ImageKind::kStrip) {
      const int columns = item.frameWidth > 0 ? size.width / item.frameWidth : 0;
      if (columns <= 0) return;
      fx = (item.frame % columns) * item.frameWidth;
      fy = (item.frame / columns) * item.frameHeight;
      frameW = item.frameWidth;
      frameH = item.frameHeight;
    }
    fw::MemoryDC source(dc);
    fw::ScopedSelect selected(source, image.Bitmap());
    SetStretchBltMode(picture.Dc(), COLORONCOLOR);
    StretchBlt(picture.Dc(), 0, 0, w, h, source, fx, fy, frameW, frameH, SRCCOPY);
  }
  GdiFlush();

  PixelBuffer target(dc, item.rect.Width(), item.rect.Height());
  if (!target.Ok()) return;
  BitBlt(target.Dc(), 0, 0, target.Width(), target.Height(), dc, item.rect.left, item.rect.top, SRCCOPY);
  GdiFlush();
  const auto opaque = [&](int x, int y) { return !masked || (picture.At(x, y) & 0xFFFFFF) != maskPixel; };
  if (sx || sy) {  // the silhouette darkens what lies under it, offset by the shadow
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        if (opaque(x, y)) target.At(x + sx, y + sy) = Scale(target.At(x + sx, y + sy), 60);
      }
    }
  }
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (opaque(x, y)) target.At(x, y) = Styled(picture.At(x, y) & 0xFFFFFF, item.styles);
    }
  }
  BitBlt(dc, item.rect.left, item.rect.top, target.Width(), target.Height(), target.Dc(), 0, 0, SRCCOPY);
}

}  // namespace zel
