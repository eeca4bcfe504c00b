#include "uibase/win/html_gdi_painter.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "framework/gdi.h"
#include "uibase/core/effect_fill.h"
#include "uibase/core/geometry.h"
#include "uibase/core/image_effects.h"

namespace zel {

using namespace mb::html;

namespace {

RECT ToRect(const zel::Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

HPEN MakePen(int style, int width, COLORREF colour) {
  const int penStyle = style == 2 ? PS_DASH : style == 3 ? PS_DOT : PS_SOLID;
  return CreatePen(penStyle, penStyle == PS_SOLID ? width : 1, colour);
}

// Pixels as a top-down 32-bit DIB section holds them.
class PixelBuffer {
 public:
  PixelBuffer(HDC compatible, int width, int height) : dc_(compatible), width_(width), height_(height) {
    BITMAPINFO info = fw::TopDownDibInfo(width, height, 32);
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(compatible, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    pixels_ = static_cast<zel::Pixel*>(bits);
    if (bitmap_) old_ = SelectObject(dc_, bitmap_);
  }
  ~PixelBuffer() {
    if (old_) SelectObject(dc_, old_);
  }
  bool Ok() const { return pixels_ != nullptr; }
  HDC Dc() const { return dc_; }
  std::vector<zel::Pixel> Copy() const {
    GdiFlush();
    return {pixels_, pixels_ + static_cast<std::size_t>(width_) * height_};
  }
  void Store(const std::vector<zel::Pixel>& pixels) {
    GdiFlush();
    std::copy(pixels.begin(), pixels.end(), pixels_);
  }
  void Store(const std::vector<std::uint8_t>& indices, const zel::TexturePalette& palette) {
    GdiFlush();
    for (std::size_t i = 0; i < indices.size(); ++i) pixels_[i] = zel::MakePixel(zel::RedOf(palette[indices[i]]),
        zel::GreenOf(palette[indices[i]]), zel::BlueOf(palette[indices[i]]));
  }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  fw::MemoryDC dc_;
  int width_, height_;
  fw::Bitmap bitmap_;
  zel::Pixel* pixels_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

unsigned StyleFlags(const std::string& styles) {
  unsigned flags = 0;
  for (char s : styles) {
    if (s == 'g') flags |= zel::kStyleGrey;
    else if (s == 'd') flags |= zel::kStyleDark;
    else if (s == 'l') flags |= zel::kStyleLight;
  }
  return flags;
}

}  // namespace

void HtmlGdiPainter::FillEffect(HDC dc, int effect, const RECT& r, COLORREF start, COLORREF middle, COLORREF end,
                                int granularity, int tintPercent) {
  const zel::Rect area{r.left, r.top, r.right, r.bottom};
  if (effect == zel::kFillTransparent || area.IsEmpty()) return;
  if (!zel::IsTextureEffect(effect)) {
    for (const zel::FillBand& band : zel::PlanBandFill(effect, area, start, middle, end)) {
      fw::Brush brush(CreateSolidBrush(band.colour));
      const RECT b = {band.rect.left, band.rect.top, band.rect.right, band.rect.bottom};
      FillRect(dc, &b, brush);
    }
    return;
  }
  if (area.Width() > 4096 || area.Height() > 4096) return;
  PixelBuffer texture(dc, area.Width(), area.Height());
  if (!texture.Ok()) return;
  texture.Store(zel::MakeTexture(effect, area.Width(), area.Height(), granularity, [] { return std::rand(); }),
                zel::MakeTexturePalette(start, middle, end, tintPercent));
  BitBlt(dc, area.left, area.top, area.Width(), area.Height(), texture.Dc(), 0, 0, SRCCOPY);
}

void HtmlGdiPainter::Paint(const std::vector<DrawItem>& items) {
  for (const DrawItem& item : items) {
    if (const auto* t = std::get_if<TextItem>(&item)) PaintText(*t);
    else if (const auto* l = std::get_if<LineItem>(&item)) PaintLine(*l);
    else if (const auto* b = std::get_if<BorderItem>(&item)) PaintBorder(*b);
    else if (const auto* f = std::get_if<FillItem>(&item)) FillEffect(measure_.Dc(), f->effect, ToRect(f->rect), f->start, f->middle, f->end, f->granularity, 0);
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
  HDC dc = measure_.Dc();
  fw::MemoryDC source(dc);
  fw::ScopedSelect selected(source, image.Bitmap());
  const zel::Rect area{item.rect.left, item.rect.top, item.rect.right, item.rect.bottom};
  for (const zel::TilePiece& piece : zel::TilePieces(area, size.width, size.height)) {
    BitBlt(dc, piece.destination.left, piece.destination.top, piece.width, piece.height, source, 0, 0, SRCCOPY);
  }
}

void HtmlGdiPainter::PaintImage(const ImageItem& item) {
  const LoadedImage image = resources_.Load(item.kind, item.source);
  if (image.Empty()) return;
  HDC dc = measure_.Dc();
  const int sx = std::abs(item.shadow.x), sy = std::abs(item.shadow.y);
  const int w = item.rect.Width() - sx, h = item.rect.Height() - sy;
  if (w <= 0 || h <= 0 || item.rect.Width() > 4096 || item.rect.Height() > 4096) return;

  // The image at its drawn size; an icon's see-through pixels are the mask colour.
  PixelBuffer picture(dc, w, h);
  if (!picture.Ok()) return;
  if (image.Icon()) {
    fw::Brush magenta(CreateSolidBrush(0xFF00FF));
    RECT all = {0, 0, w, h};
    FillRect(picture.Dc(), &all, magenta);
    DrawIconEx(picture.Dc(), 0, 0, image.Icon(), w, h, 0, nullptr, DI_NORMAL);
  } else {
    const ImageSize size = image.Size();
    zel::Rect frame{0, 0, size.width, size.height};
    if (item.kind == ImageKind::kStrip &&
        !zel::StripFrame(size.width, size.height, item.frameWidth, item.frameHeight, item.frame, frame)) {
      return;
    }
    fw::MemoryDC source(dc);
    fw::ScopedSelect selected(source, image.Bitmap());
    SetStretchBltMode(picture.Dc(), COLORONCOLOR);
    StretchBlt(picture.Dc(), 0, 0, w, h, source, frame.left, frame.top, frame.Width(), frame.Height(), SRCCOPY);
  }
  const bool masked = item.masked || image.Icon();
  zel::PreparedImage prepared = zel::PrepareImage(picture.Copy(), w, h, StyleFlags(item.styles), masked,
                                                  item.masked ? item.mask : 0xFF00FF, 0);
  prepared.hasAlpha = false;  // screen-compatible copies carry no meaningful alpha

  // What lies under the image (and its shadow), shaded by the silhouette, then the image on top.
  PixelBuffer target(dc, item.rect.Width(), item.rect.Height());
  if (!target.Ok()) return;
  BitBlt(target.Dc(), 0, 0, target.Width(), target.Height(), dc, item.rect.left, item.rect.top, SRCCOPY);
  std::vector<zel::Pixel> under = target.Copy();
  if (sx || sy) {
    const std::vector<std::uint8_t> factors = zel::ShadowFactors(prepared, sx, sy, true);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        zel::Pixel& p = under[static_cast<std::size_t>(y + sy) * target.Width() + x + sx];
        p = zel::Shade(p, factors[static_cast<std::size_t>(y) * w + x]);
      }
    }
  }
  std::vector<zel::Pixel> top(static_cast<std::size_t>(w) * h);
  for (int y = 0; y < h; ++y) {
    std::copy_n(&under[static_cast<std::size_t>(y) * target.Width()], w, &top[static_cast<std::size_t>(y) * w]);
  }
  zel::CompositeOnto(prepared, top);
  for (int y = 0; y < h; ++y) {
    std::copy_n(&top[static_cast<std::size_t>(y) * w], w, &under[static_cast<std::size_t>(y) * target.Width()]);
  }
  target.Store(under);
  BitBlt(dc, item.rect.left, item.rect.top, target.Width(), target.Height(), target.Dc(), 0, 0, SRCCOPY);
}

}  // namespace zel
