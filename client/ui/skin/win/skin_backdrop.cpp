#include "client/ui/skin/win/skin_backdrop.h"

#include "client/core/win/skin_engine.h"

namespace mb::skin {

bool DrawSkinImageBehind(HDC controlDc, HWND control, const char* image, POINT atInParent) {
  SkinSchemeRef scheme;
  if (!scheme) return false;
  POINT origin = atInParent;
  MapWindowPoints(GetParent(control), control, &origin, 1);
  scheme->DrawImage(controlDc, image, origin.x, origin.y, 0, 0, SRCCOPY);
  return true;
}

LRESULT SkinBackedControlColour(HDC controlDc, HWND control, const char* image, COLORREF text) {
  DrawSkinImageBehind(controlDc, control, image);
  SetBkMode(controlDc, TRANSPARENT);
  SetTextColor(controlDc, text);
  return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

}  // namespace mb::skin
