#include "uibase/win/html_gdi_painter.h"

#include <cstdlib>

#include "framework/gdi.h"
#include "uibase/win/draw_effects.h"

namespace zel {

using namespace mb::html;

namespace {

RECT ToRect(const zel::Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

DWORD StyleFlags(const std::string& styles) {
  DWORD flags = 0;
  for (char s : styles) {
    if (s == 'g') flags |= CDrawEffects::kStyleGrey;
    else if (s == 'd') flags |= CDrawEffects::kStyleDark;
    else if (s == 'l') flags |= CDrawEffects::kStyleLight;
  }
  return flags;
}

// Frame n of a strip copied into a bitmap of its own, for drawing at another size.
HBITMAP CopyFrame(HDC dc, HBITMAP strip, int cx, int cy, int n) {
  const SIZE size = CDrawEffects::BitmapSize(strip);
  const int columns = cx > 0 ? size.cx / cx : 0;
  if (columns <= 0 || cy <= 0 || n < 0 || n >= columns * (size.cy / cy)) return nullptr;
  HBITMAP frame = CreateCompatibleBitmap(dc, cx, cy);
  fw::MemoryDC from(dc), to(dc);
  fw::ScopedSelect a(from, strip), b(to, frame);
  BitBlt(to, 0, 0, cx, cy, from, (n % columns) * cx, (n / columns) * cy, SRCCOPY);
  return frame;
}

}  // namespace

void HtmlGdiPainter::Paint(const std::vector<DrawItem>& items) {
  for (const DrawItem& item : items) {
    if (const auto* t = std::get_if<TextItem>(&item)) PaintText(*t);
    else if (const auto* l = std::get_if<LineItem>(&item)) PaintLine(*l);
    else if (const auto* b = std::get_if<BorderItem>(&item)) PaintBorder(*b);
    else if (const auto* f = std::get_if<FillItem>(&item)) PaintFill(*f);
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
    CDrawEffects::Line(dc, {item.box.left, item.box.top}, {item.box.right, item.box.top}, item.colour, 1,
                       item.font.weight >= 700 ? 2 : 1);
  }
}

void HtmlGdiPainter::PaintFill(const FillItem& item) {
  effects_.Fill(measure_.Dc(), item.effect, ToRect(item.rect), item.start, item.middle, item.end, item.granularity, 0);
}

void HtmlGdiPainter::PaintLine(const LineItem& item) {
  CDrawEffects::Line(measure_.Dc(), {item.from.x, item.from.y}, {item.to.x, item.to.y}, item.colour, item.style, item.width);
}

void HtmlGdiPainter::PaintBorder(const BorderItem& item) {
  CDrawEffects::BorderRect(measure_.Dc(), ToRect(item.rect), item.light, item.dark, item.style, item.width);
}

void HtmlGdiPainter::PaintTile(const TileItem& item) {
  const LoadedImage image = resources_.Load(ImageKind::kBitmap, item.source);
  if (image.Bitmap()) CDrawEffects::Tile(measure_.Dc(), ToRect(item.rect), image.Bitmap());
}

void HtmlGdiPainter::PaintImage(const ImageItem& item) {
  const LoadedImage image = resources_.Load(item.kind, item.source);
  if (image.Empty()) return;
  HDC dc = measure_.Dc();
  CDrawEffects::ImageOptions options;
  options.styles = StyleFlags(item.styles);
  options.masked = item.masked;
  options.maskColour = item.mask;
  if (item.shadow.x || item.shadow.y) {  // the layout keeps the offsets for shadowed images only
    options.shadow = true;
    options.shadowX = item.shadow.x;
    options.shadowY = item.shadow.y;
  }
  const int w = item.rect.Width() - std::abs(item.shadow.x), h = item.rect.Height() - std::abs(item.shadow.y);
  if (w <= 0 || h <= 0) return;
  CDrawEffects effects;
  if (image.Icon()) {
    effects.DrawIcon(dc, item.rect.left, item.rect.top, w, h, image.Icon(), options);
  } else if (item.kind != ImageKind::kStrip) {
    effects.DrawBitmap(dc, item.rect.left, item.rect.top, w, h, image.Bitmap(), options);
  } else if (w == item.frameWidth && h == item.frameHeight) {
    effects.DrawStripFrame(dc, item.rect.left, item.rect.top, image.Bitmap(), item.frameWidth, item.frameHeight,
                           item.frame, options);
  } else {
    fw::Bitmap frame(CopyFrame(dc, image.Bitmap(), item.frameWidth, item.frameHeight, item.frame));
    if (frame) effects.DrawBitmap(dc, item.rect.left, item.rect.top, w, h, frame, options);
  }
}

}  // namespace zel
