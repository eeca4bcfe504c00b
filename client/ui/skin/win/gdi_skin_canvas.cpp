#include "client/ui/skin/win/gdi_skin_canvas.h"

#include <string>

#include "client/ui/skin/win/skin_fonts.h"

namespace mb::skin {
namespace {

RECT ToRect(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

std::optional<Size> SchemeImageSize(ISkinScheme* scheme, std::string_view name) {
  if (!scheme) return std::nullopt;
  RECT r = {};
  const std::string text(name);
  if (FAILED(scheme->MeasureImage(&r, text.c_str()))) return std::nullopt;
  if (r.right <= r.left || r.bottom <= r.top) return std::nullopt;
  return Size{r.right - r.left, r.bottom - r.top};
}

GdiSkinCanvas::GdiSkinCanvas(HDC dc, ISkinScheme* scheme)
    : dc_(dc),
      scheme_(scheme),
      oldStretchMode_(SetStretchBltMode(dc, HALFTONE)),
      oldTextColour_(GetTextColor(dc)),
      oldBackgroundMode_(SetBkMode(dc, TRANSPARENT)) {
  // HALFTONE needs the brush origin set after it.
  SetBrushOrgEx(dc_, 0, 0, &oldBrushOrigin_);
}

GdiSkinCanvas::~GdiSkinCanvas() {
  if (oldStretchMode_) SetStretchBltMode(dc_, oldStretchMode_);
  SetBrushOrgEx(dc_, oldBrushOrigin_.x, oldBrushOrigin_.y, nullptr);
  SetTextColor(dc_, oldTextColour_);
  if (oldBackgroundMode_) SetBkMode(dc_, oldBackgroundMode_);
}

void GdiSkinCanvas::DrawImage(std::string_view name, int x, int y) {
  const std::string text(name);
  scheme_->DrawImageAt(dc_, text.c_str(), x, y);
}

void GdiSkinCanvas::DrawImagePart(std::string_view name, int x, int y, const Rect& src) {
  const std::string text(name);
  scheme_->DrawImagePart(dc_, text.c_str(), x, y, src.Width(), src.Height(), src.left, src.top, src.Width(),
                         src.Height());
}

void GdiSkinCanvas::StretchImagePart(std::string_view name, const Rect& dst, const Rect& src) {
  const std::string text(name);
  const RECT d = ToRect(dst);
  const RECT s = ToRect(src);
  scheme_->StretchImagePart(dc_, text.c_str(), &d, &s, SRCCOPY);
}

HFONT GdiSkinCanvas::Font(SkinFont font) {
  fw::Font& slot = fonts_[static_cast<std::size_t>(font)];
  if (!slot) slot.Reset(CreateSkinFont(font, dc_));
  return slot;
}

void GdiSkinCanvas::DrawLabel(std::string_view text, const Rect& r, unsigned format, Colour colour, SkinFont font) {
  fw::ScopedSelect select(dc_, Font(font));
  SetTextColor(dc_, colour);
  RECT area = ToRect(r);
  std::string copy(text);
  ::DrawTextA(dc_, copy.c_str(), static_cast<int>(copy.size()), &area, format);
}

}  // namespace mb::skin
