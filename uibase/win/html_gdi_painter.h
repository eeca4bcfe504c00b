// Paints the HTML drawer's drawing items on a device context: text runs with justification and
// overlines, rules and borders with their pen styles, fills, tiled backgrounds and images with
// masks, grey, dark and light styles and shadows.
#pragma once

#include <windows.h>

#include <vector>

#include "uibase/html/html_layout.h"
#include "uibase/win/html_gdi_surface.h"

namespace zel {

class HtmlGdiPainter {
 public:
  HtmlGdiPainter(GdiTextMeasure& measure, GdiResources& resources) : measure_(measure), resources_(resources) {}
  void Paint(const std::vector<mb::html::DrawItem>& items);

  // Fill of a rectangle by effect code: solid, gradients and textures.
  static void FillEffect(HDC dc, int effect, const RECT& rect, COLORREF start, COLORREF middle, COLORREF end,
                         int granularity, int tintPercent);

 private:
  void PaintText(const mb::html::TextItem& item);
  void PaintLine(const mb::html::LineItem& item);
  void PaintBorder(const mb::html::BorderItem& item);
  void PaintTile(const mb::html::TileItem& item);
  void PaintImage(const mb::html::ImageItem& item);

  GdiTextMeasure& measure_;
  GdiResources& resources_;
};

}  // namespace zel
