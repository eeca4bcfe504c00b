// The flat menus under Wine: a window without the property keeps the system's menus; with it
// and the hook, an opened popup is subclassed and its items are owner-drawn.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/winkit/screenshot.h"
#include "tests/winkit/winkit.h"
#include "uibase/win/menu_xp.h"

namespace {

std::vector<UINT> ItemTypes(HMENU menu) {
  std::vector<UINT> types;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(menu, i, TRUE, &info);
    types.push_back(info.fType);
  }
  return types;
}

struct Seen {
  bool popupSubclassed = false;
  int drawn = 0;
  std::vector<UINT> popupTypes;
};
Seen g_seen;
HMENU g_popup = nullptr;

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITMENUPOPUP:
      CMenuXP::SetXPLookNFeel(hwnd, reinterpret_cast<HMENU>(wParam), true, false);
      break;
    case WM_MEASUREITEM:
      CMenuXP::OnMeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_DRAWITEM:
      if (CMenuXP::OnDrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam), hwnd)) ++g_seen.drawn;
      return TRUE;
    case WM_MENUCHAR:
      return CMenuXP::OnMenuChar(reinterpret_cast<HMENU>(lParam), LOWORD(wParam), HIWORD(wParam));
    case WM_TIMER: {  // the popup is open: look at it, then close it
      KillTimer(hwnd, wParam);
      HWND popup = FindWindowA("#32768", nullptr);
      g_seen.popupSubclassed = popup && GetPropA(popup, "XPWndProp_OldProc") != nullptr;
      g_seen.popupTypes = ItemTypes(g_popup);
      if (popup) winkit::CaptureWindowToPng(popup, winkit::ScreenshotPath("flat_menu"));
      EndMenu();
      return 0;
    }
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND MakeFrame(HMENU bar) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = FrameProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "MenuXpTestFrame";
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  RegisterClassA(&wc);
  return CreateWindowExA(WS_EX_TOPMOST, "MenuXpTestFrame", "menus", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 320, 200,
                         nullptr, bar, wc.hInstance, nullptr);
}

HMENU MakeMenuBar() {
  g_popup = CreatePopupMenu();
  AppendMenuA(g_popup, MF_STRING, 101, "&Open\tCtrl+O");
  AppendMenuA(g_popup, MF_STRING | MF_CHECKED, 102, "Save &&As");
  AppendMenuA(g_popup, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(g_popup, MF_STRING | MF_GRAYED, 103, "上传(&U)");
  HMENU bar = CreateMenu();
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(g_popup), "&File");
  AppendMenuA(bar, MF_STRING, 104, "&Help");
  return bar;
}

TEST(MenuXp, PlainWindowsKeepTheirMenusAndFlaggedOnesGetFlatPopups) {
  HMENU bar = MakeMenuBar();
  HWND frame = MakeFrame(bar);
  ASSERT_NE(frame, nullptr);
  const std::vector<UINT> before = ItemTypes(bar);
  CMenuXP::UpdateMenuBar(frame);  // the uploader's only call: no property, no change
  EXPECT_EQ(ItemTypes(bar), before);
  EXPECT_FALSE(CMenuXP::IsOwnerDrawn(bar));

  CMenuXP::SetXPLookNFeel(frame, true);
  EXPECT_TRUE(CMenuXP::GetXPLookNFeel(frame));
  CMenuXP::InitializeHook();
  CMenuXP::InitializeHook();
  EXPECT_EQ(CMenuXP::HookCount(), 2);
  CMenuXP::UpdateMenuBar(frame);
  EXPECT_TRUE(CMenuXP::IsOwnerDrawn(bar));
  // Mnemonics come from the recorded captions, now that the items are owner-drawn.
  EXPECT_EQ(CMenuXP::OnMenuChar(bar, 'h', 0), static_cast<LRESULT>((2 << 16) | 1));

  SetForegroundWindow(frame);
  SetTimer(frame, 1, 300, nullptr);
  TrackPopupMenu(g_popup, TPM_LEFTALIGN, 60, 60, 0, frame, nullptr);
  EXPECT_TRUE(g_seen.popupSubclassed);
  ASSERT_EQ(g_seen.popupTypes.size(), 4u);
  for (UINT type : g_seen.popupTypes) EXPECT_NE(type & MFT_OWNERDRAW, 0u);
  EXPECT_GT(g_seen.drawn, 0);
  EXPECT_EQ(CMenuXP::OnMenuChar(g_popup, 'a', MF_POPUP), 0);  // "&&A" is no mnemonic
  EXPECT_EQ(CMenuXP::OnMenuChar(g_popup, 'u', MF_POPUP), static_cast<LRESULT>((2 << 16) | 3));

  CMenuXP::UninitializeHook();
  EXPECT_EQ(CMenuXP::HookCount(), 1);
  CMenuXP::UninitializeHook();
  EXPECT_EQ(CMenuXP::HookCount(), 0);
  EXPECT_EQ(CMenuXP::WindowsVersion(), 8);  // Wine's 6.1 counts as XP or later
  DestroyWindow(frame);
}

}  // namespace
