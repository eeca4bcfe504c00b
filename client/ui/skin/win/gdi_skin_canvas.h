// The skin elements' drawing surface on Windows: a DC, with the skin engine's current scheme
// behind it for the named images.
#pragma once

#include <windows.h>

#include <array>

#include "client/core/win/skin_scheme.h"
#include "client/ui/skin/skin_canvas.h"
#include "framework/gdi.h"

namespace mb::skin {

// Image sizes from a scheme (the size query of slot 13).
std::optional<Size> SchemeImageSize(ISkinScheme* scheme, std::string_view name);

class SchemeImages final : public SkinImages {
 public:
  explicit SchemeImages(ISkinScheme* scheme) : scheme_(scheme) {}
  std::optional<Size> ImageSize(std::string_view name) const override { return SchemeImageSize(scheme_, name); }

 private:
  ISkinScheme* scheme_;
};

class GdiSkinCanvas final : public SkinCanvas {
 public:
  // scheme is borrowed and must outlive the canvas. Stretching is HALFTONE while the canvas
  // lives; the DC's stretch mode, brush origin, text colour and background mode are put back.
  GdiSkinCanvas(HDC dc, ISkinScheme* scheme);
  ~GdiSkinCanvas() override;
  GdiSkinCanvas(const GdiSkinCanvas&) = delete;
  GdiSkinCanvas& operator=(const GdiSkinCanvas&) = delete;

  std::optional<Size> ImageSize(std::string_view name) const override { return SchemeImageSize(scheme_, name); }
  void DrawImage(std::string_view name, int x, int y) override;
  void DrawImagePart(std::string_view name, int x, int y, const Rect& src) override;
  void StretchImagePart(std::string_view name, const Rect& dst, const Rect& src) override;
  void DrawLabel(std::string_view text, const Rect& r, unsigned format, Colour colour, SkinFont font) override;

 private:
  HFONT Font(SkinFont font);

  HDC dc_;
  ISkinScheme* scheme_;
  int oldStretchMode_;
  POINT oldBrushOrigin_ = {};
  COLORREF oldTextColour_;
  int oldBackgroundMode_;
  std::array<fw::Font, 4> fonts_;  // made on first use, one per SkinFont
};

}  // namespace mb::skin
