// A control that stands on a skinned window and lets the skin show through (a check box or a
// label with a transparent background) gets the window's skin picture painted behind it first.
#pragma once

#include <windows.h>

namespace mb::skin {

// Paints the named skin image into the control's DC, placed as the parent draws it at (x, y) of
// the parent's client area; false without a skin scheme (nothing painted).
bool DrawSkinImageBehind(HDC controlDc, HWND control, const char* image, POINT atInParent = {0, 0});

// WM_CTLCOLORSTATIC's answer for such a control: the skin image behind it, text on a transparent
// background in the given colour, and a null brush so that the control paints no background.
LRESULT SkinBackedControlColour(HDC controlDc, HWND control, const char* image, COLORREF text);

}  // namespace mb::skin
