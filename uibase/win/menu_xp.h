// CMenuXP: flat owner-drawn menus for a window that carries the property "XPWndProp_MenuXP".
// Static members only: the owner routes WM_MEASUREITEM, WM_DRAWITEM and WM_MENUCHAR here, calls
// UpdateMenuBar after every change of its menu, and holds the menu hook between
// InitializeHook and UninitializeHook; the hook gives the system's popup windows a flat border.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <string>

#include "uibase/win/zelbase_api.h"

class MB_ZELBASE_API CMenuXP {
 public:
  struct CImgDesc {
    HIMAGELIST imageList = nullptr;
    int index = -1;
  };

  static void SetXPLookNFeel(HWND wnd, bool on = true);
  static bool GetXPLookNFeel(HWND wnd);
  // Makes the menu's items owner-drawn and records their captions and toolbar images.
  static void SetXPLookNFeel(HWND wnd, HMENU menu, bool on = true, bool menuBar = false);
  static void UpdateMenuBar(HWND wnd);
  static bool IsOwnerDrawn(HMENU menu);
  static void SetMenuItemImage(UINT id, HIMAGELIST imageList, int index);
  static void SetMRUMenuBarItem(RECT& rect);

  static void OnMeasureItem(MEASUREITEMSTRUCT* measure);
  static bool OnDrawItem(DRAWITEMSTRUCT* draw, HWND owner);
  static LRESULT OnMenuChar(HMENU menu, UINT character, UINT flags);

  static void InitializeHook();
  static void UninitializeHook();

  CMenuXP& operator=(const CMenuXP&) { return *this; }

  // The Windows version code the look depends on (8: XP or later).
  static int WindowsVersion();
  static int HookCount();

 private:
  static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK PopupProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static const std::string* CaptionOf(UINT itemId);
  static const CImgDesc* ImageOf(UINT itemId);
  static void DrawPopupBorder(HWND hwnd, HDC dc, bool joinMenuBar);
  static void DrawShadow(HWND hwnd, HDC dc);
};
