#include "client/ui/skin/win/skin_fonts.h"

#include <cstring>

namespace mb::skin {
namespace {

LOGFONTA GuiFont() {
  LOGFONTA font = {};
  GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  return font;
}

// A point size in tenths, for the DC's vertical resolution (what a point-size font is built from).
LOGFONTA PointFont(HDC dc, int tenthsOfPoint, const char* face) {
  LOGFONTA font = {};
  const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
  font.lfHeight = -MulDiv(tenthsOfPoint, dpi, 720);
  font.lfCharSet = DEFAULT_CHARSET;
  std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
  return font;
}

}  // namespace

HFONT CreateSkinFont(SkinFont font, HDC dc) {
  LOGFONTA logFont;
  switch (font) {
    case SkinFont::kGui:
      logFont = GuiFont();
      break;
    case SkinFont::kGuiUnderline:
      logFont = GuiFont();
      logFont.lfUnderline = TRUE;
      break;
    case SkinFont::kGuiBold:
      logFont = GuiFont();
      logFont.lfWeight = FW_BOLD;
      break;
    case SkinFont::kSongTi9:
    default:
      logFont = PointFont(dc, 90, "宋体");
      break;
  }
  return CreateFontIndirectA(&logFont);
}

}  // namespace mb::skin
