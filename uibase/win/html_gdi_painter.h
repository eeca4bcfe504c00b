// Paints the HTML drawer's drawing items on a device context: text runs with justification and
// overlines itself; rules, borders, fills, tiles and images through the library's drawing effects.
#pragma once

#include <windows.h>

#include <vector>

#include "uibase/html/html_layout.h"
#include "uibase/win/draw_effects.h"
#include "uibase/win/html_gdi_surface.h"

namespace zel {

class HtmlGdiPainter {
 public:
  HtmlGdiPainter(GdiTextMeasure& measure, GdiResources& resources) : measure_(measure), resources_(resources) {}
  void Paint(const std::vector<mb::html::DrawItem>& items);

 private:
  void PaintText(const mb::html::TextItem& item);
  void PaintFill(const mb::html::FillItem& item);
  void PaintLine(const mb::html::LineItem& item);
  void PaintBorder(const mb::html::BorderItem& item);
  void PaintTile(const mb::html::TileItem& item);
  void PaintImage(const mb::html::ImageItem& item);

  GdiTextMeasure& measure_;
  GdiResources& resources_;
  CDrawEffects effects_;
};

}  // namespace zel
