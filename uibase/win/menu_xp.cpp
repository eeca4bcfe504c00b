#define OEMRESOURCE  // OBM_CHECK
#include "uibase/win/menu_xp.h"

#include <algorithm>
#include <vector>

#include "framework/gdi.h"
#include "uibase/menu/menu_logic.h"

namespace {

constexpr char kMenuProperty[] = "XPWndProp_MenuXP";
constexpr char kOldProcProperty[] = "XPWndProp_OldProc";
constexpr UINT kMenuPopupShown = 0x1E2;
constexpr int kShadow = 4;

struct PopupRecord {
  RECT lastRect = {0, 0, 0, 0};
  POINT lastPosition = {-0xFFFF, -0xFFFF};
};

// The menus' state: used by the thread that installed the hook.
struct MenuState {
  std::map<int, std::string> captions;
  std::map<HMENU, std::string> subMenuCaptions;
  std::map<int, CMenuXP::CImgDesc> images;
  std::map<HMENU, CMenuXP::CImgDesc> subMenuImages;
  RECT mruMenuBarItem = {0, 0, 0, 0};
  HHOOK hook = nullptr;
  mb::menu::CountedHook count;
  std::map<HWND, PopupRecord> popups;
  int drawnItems = 0;
};

MenuState& State() {
  static MenuState state;
  return state;
}

using mb::menu::AdjustColour;

COLORREF Face(int lightness, int saturation = 0) { return AdjustColour(GetSysColor(COLOR_BTNFACE), lightness, saturation); }

HFONT MenuFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

std::string MenuItemText(HMENU menu, UINT position) {
  char text[512] = {};
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = text;
  info.cch = sizeof text - 1;
  if (!GetMenuItemInfoA(menu, position, TRUE, &info)) return {};
  return text;
}

int TextWidth(HDC dc, const std::string& text) {
  SIZE size = {};
  GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}

void FillSolid(HDC dc, const RECT& r, COLORREF colour) {
  fw::Brush brush(CreateSolidBrush(colour));
  FillRect(dc, &r, brush);
}

void FrameBox(HDC dc, const RECT& r, COLORREF pen, COLORREF fill) {
  fw::Pen p(CreatePen(PS_SOLID, 1, pen));
  fw::Brush b(CreateSolidBrush(fill));
  fw::ScopedSelect sp(dc, p);
  fw::ScopedSelect sb(dc, b);
  Rectangle(dc, r.left, r.top, r.right, r.bottom);
}

void FrameOnly(HDC dc, const RECT& r, COLORREF colour) {
  fw::Brush brush(CreateSolidBrush(colour));
  FrameRect(dc, &r, brush);
}

BOOL CALLBACK CollectToolbar(HWND child, LPARAM list) {
  char name[32] = {};
  GetClassNameA(child, name, sizeof name);
  if (lstrcmpA(name, TOOLBARCLASSNAMEA) == 0) reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
  return TRUE;
}

}  // namespace

int CMenuXP::WindowsVersion() {
  static const int code = [] {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    const bool ok = GetVersionExA(&info) != FALSE;
    return mb::menu::VersionCode(ok, info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
  }();
  return code;
}

int CMenuXP::HookCount() { return State().count.Count(); }

void CMenuXP::SetXPLookNFeel(HWND wnd, bool on) {
  if (!wnd) return;
  if (on) SetPropA(wnd, kMenuProperty, reinterpret_cast<HANDLE>(1));
  else RemovePropA(wnd, kMenuProperty);
}

bool CMenuXP::GetXPLookNFeel(HWND wnd) { return wnd && GetPropA(wnd, kMenuProperty) != nullptr; }

void CMenuXP::UpdateMenuBar(HWND wnd) {
  if (!GetXPLookNFeel(wnd)) return;
  if (HMENU menu = GetMenu(wnd)) {
    SetXPLookNFeel(wnd, menu, true, true);
    DrawMenuBar(wnd);
  }
}

bool CMenuXP::IsOwnerDrawn(HMENU menu) {
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE;
  return GetMenuItemInfoA(menu, 0, TRUE, &info) && (info.fType & MFT_OWNERDRAW) != 0;
}

void CMenuXP::SetMenuItemImage(UINT id, HIMAGELIST imageList, int index) {
  State().images[static_cast<int>(id)] = {imageList, index};
}

void CMenuXP::SetMRUMenuBarItem(RECT& rect) { State().mruMenuBarItem = rect; }

void CMenuXP::SetXPLookNFeel(HWND wnd, HMENU menu, bool on, bool menuBar) {
  if (!on || !menu) return;
  MenuState& state = State();
  for (auto it = state.subMenuCaptions.begin(); it != state.subMenuCaptions.end();) {
    it = IsMenu(it->first) ? std::next(it) : state.subMenuCaptions.erase(it);
  }
  for (auto it = state.subMenuImages.begin(); it != state.subMenuImages.end();) {
    it = IsMenu(it->first) ? std::next(it) : state.subMenuImages.erase(it);
  }
  fw::WindowDC dc(nullptr);
  fw::ScopedSelect font(dc, MenuFont());
  TEXTMETRICA tm = {};
  GetTextMetricsA(dc, &tm);
  const int itemHeight = mb::menu::ItemHeight(tm.tmHeight);
  const int separatorHeight = mb::menu::SeparatorHeight(tm.tmHeight);
  std::vector<HWND> toolbars;
  if (wnd) EnumChildWindows(wnd, CollectToolbar, reinterpret_cast<LPARAM>(&toolbars));

  const int count = GetMenuItemCount(menu);
  std::vector<mb::menu::PopupItem> items;
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
    if (!GetMenuItemInfoA(menu, i, TRUE, &info)) continue;
    const std::string text = MenuItemText(menu, i);
    const bool separator = (info.fType & MFT_SEPARATOR) != 0;
    if (!(info.fType & MFT_OWNERDRAW) && !(menuBar && (info.fType & MFT_BITMAP))) {
      // Recorded before the item turns owner-drawn: its text is drawn from here on.
      if (info.hSubMenu) state.subMenuCaptions[info.hSubMenu] = text;
      else if (!separator) state.captions[static_cast<int>(info.wID)] = text;
      MENUITEMINFOA change = {};
      change.cbSize = sizeof change;
      change.fMask = MIIM_FTYPE;
      change.fType = info.fType | MFT_OWNERDRAW;
      SetMenuItemInfoA(menu, i, TRUE, &change);
    }
    for (HWND toolbar : toolbars) {
      TBBUTTONINFOA button = {};
      button.cbSize = sizeof button;
      button.dwMask = TBIF_COMMAND | TBIF_IMAGE;
      if (SendMessageA(toolbar, TB_GETBUTTONINFOA, info.wID, reinterpret_cast<LPARAM>(&button)) < 0) continue;
      if (button.iImage == -1) continue;
      const auto list = reinterpret_cast<HIMAGELIST>(SendMessageA(toolbar, TB_GETIMAGELIST, 0, 0));
      state.images[static_cast<int>(info.wID)] = {list, button.iImage};
      break;
    }
    const mb::menu::CaptionParts parts = mb::menu::SplitCaption(text);
    if (menuBar) {
      RECT r = {0, 0, 1000, 0};
      DrawTextA(dc, parts.caption.c_str(), -1, &r, DT_SINGLELINE | DT_CALCRECT);
      MENUITEMINFOA data = {};
      data.cbSize = sizeof data;
      data.fMask = MIIM_DATA;
      data.dwItemData = mb::menu::PackItemData(0, 0, r.right - r.left);
      SetMenuItemInfoA(menu, i, TRUE, &data);
    }
    items.push_back({separator, TextWidth(dc, parts.caption), TextWidth(dc, parts.shortcut)});
  }
  if (menuBar) return;
  const std::vector<std::uint32_t> data = mb::menu::PopupItemData(items, itemHeight, separatorHeight);
  for (int i = 0; i < count && i < static_cast<int>(data.size()); ++i) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    info.dwItemData = data[i];
    SetMenuItemInfoA(menu, i, TRUE, &info);
  }
}

void CMenuXP::OnMeasureItem(MEASUREITEMSTRUCT* measure) {
  if (!measure || measure->CtlType != ODT_MENU) return;
  const mb::menu::ItemSize size = mb::menu::MeasureItem(static_cast<std::uint32_t>(measure->itemData));
  measure->itemWidth = size.width;
  measure->itemHeight = size.height;
}

const std::string* CMenuXP::CaptionOf(UINT itemId) {
  MenuState& state = State();
  if (IsMenu(reinterpret_cast<HMENU>(static_cast<UINT_PTR>(itemId)))) {
    auto it = state.subMenuCaptions.find(reinterpret_cast<HMENU>(static_cast<UINT_PTR>(itemId)));
    if (it != state.subMenuCaptions.end()) return &it->second;
  }
  auto it = state.captions.find(static_cast<int>(itemId));
  return it == state.captions.end() ? nullptr : &it->second;
}

const CMenuXP::CImgDesc* CMenuXP::ImageOf(UINT itemId) {
  MenuState& state = State();
  auto sub = state.subMenuImages.find(reinterpret_cast<HMENU>(static_cast<UINT_PTR>(itemId)));
  if (sub != state.subMenuImages.end()) return &sub->second;
  auto it = state.images.find(static_cast<int>(itemId));
  return it == state.images.end() || it->second.index == -1 ? nullptr : &it->second;
}

bool CMenuXP::OnDrawItem(DRAWITEMSTRUCT* draw, HWND owner) {
  if (!draw || draw->CtlType != ODT_MENU) return false;
  const RECT item = draw->rcItem;
  const int width = item.right - item.left, height = item.bottom - item.top;
  if (width <= 0 || height <= 0) return false;
  const std::uint32_t data = static_cast<std::uint32_t>(draw->itemData);
  const bool menuBar = mb::menu::ItemDataHeight(data) == 0;
  const UINT st = draw->itemState;
  const bool selected = st & ODS_SELECTED, hot = st & ODS_HOTLIGHT, inactive = st & ODS_INACTIVE;
  const bool grayed = st & (ODS_GRAYED | ODS_DISABLED), checked = st & ODS_CHECKED;
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE;
  GetMenuItemInfoA(reinterpret_cast<HMENU>(draw->hwndItem), draw->itemID, FALSE, &info);
  const bool separator = (info.fType & MFT_SEPARATOR) != 0;

  // Off screen over the item rectangle.
  fw::MemoryDC dc(draw->hDC);
  fw::Bitmap canvas(CreateCompatibleBitmap(draw->hDC, width, height));
  fw::ScopedSelect selectedCanvas(dc, canvas);
  fw::ScopedSelect font(dc, MenuFont());
  SetBkMode(dc, TRANSPARENT);
  const RECT r = {0, 0, width, height};
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  const auto highlighted = [&](const RECT& box) {
    FrameBox(dc, box, highlight, grayed ? Face(73) : AdjustColour(highlight, 70, 199));
  };
  const std::string* text = CaptionOf(draw->itemID);
  const mb::menu::CaptionParts parts = mb::menu::SplitCaption(text ? *text : std::string());
  COLORREF textColour = GetSysColor(COLOR_MENUTEXT);
  if (inactive) textColour = GetSysColor(COLOR_BTNSHADOW);
  else if (grayed) textColour = Face(-18);
  SetTextColor(dc, textColour);

  if (menuBar) {
    RECT box = r;
    box.right -= 4;
    const RECT strip = {box.right, 0, r.right, r.bottom};
    if (selected) {
      FillSolid(dc, r, GetSysColor(COLOR_BTNFACE));
      FrameBox(dc, box, GetSysColor(COLOR_3DDKSHADOW), Face(20));
      for (int d = 0; d < 3; ++d) {  // the strip darkened as the rectangle's shadow
        for (int y = 2; y < height; ++y) {
          const int x = box.right + 2 - d;
          SetPixel(dc, x, y, mb::menu::ShadeColour(GetPixel(dc, x, y), d));
        }
      }
      RECT screen = {item.left, item.top, item.right - 4, item.bottom};
      MapWindowPoints(WindowFromDC(draw->hDC), nullptr, reinterpret_cast<POINT*>(&screen), 2);
      char name[16] = {};
      if (owner && GetClassNameA(owner, name, sizeof name) && lstrcmpA(name, "#32770") == 0) OffsetRect(&screen, 1, 0);
      State().mruMenuBarItem = screen;
    } else if (hot && !inactive) {
      FillSolid(dc, strip, GetSysColor(COLOR_BTNFACE));
      highlighted(box);
    } else {
      FillSolid(dc, r, GetSysColor(COLOR_BTNFACE));
    }
    RECT textBox = box;
    DrawTextA(dc, parts.caption.c_str(), -1, &textBox, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  } else {
    if (selected) {
      highlighted(r);
    } else {
      FillSolid(dc, {0, 0, 22, height}, Face(20));
      FillSolid(dc, {22, 0, width, height}, Face(75));
    }
    if (separator) {
      fw::Pen pen(CreatePen(PS_SOLID, 1, Face(-18)));
      fw::ScopedSelect selectedPen(dc, pen);
      MoveToEx(dc, 30, height / 2, nullptr);
      LineTo(dc, width - 1, height / 2);
    } else {
      if (checked) {
        const COLORREF fill = grayed ? Face(73) : selected ? AdjustColour(highlight, 50, 206) : AdjustColour(highlight, 70, 199);
        FrameBox(dc, {1, 1, 20, height - 1}, highlight, fill);
      }
      const CImgDesc* image = ImageOf(draw->itemID);
      if (image && image->imageList) {
        HICON icon = ImageList_GetIcon(image->imageList, image->index, ILD_NORMAL);
        const int top = (height - 16) / 2;
        if (grayed || (selected && !checked)) {
          fw::Brush silhouette(CreateSolidBrush(grayed ? Face(-27) : AdjustColour(highlight, 50, -66)));
          const int offset = grayed ? 3 : 3;
          DrawStateA(dc, silhouette, nullptr, reinterpret_cast<LPARAM>(icon), 0, offset, top + (grayed ? 0 : 1), 16, 16,
                     DST_ICON | DSS_MONO);
        }
        if (!grayed) {
          const int at = selected && !checked ? 2 : 3;
          DrawIconEx(dc, at, top - (at == 2 ? 1 : 0), icon, 16, 16, 0, nullptr, DI_NORMAL);
        }
        if (icon) DestroyIcon(icon);
      } else if (checked) {
        if (info.fType & MFT_RADIOCHECK) {
          fw::Brush dot(CreateSolidBrush(grayed ? Face(-27) : GetSysColor(COLOR_MENUTEXT)));
          fw::Pen none(CreatePen(PS_NULL, 0, 0));
          fw::ScopedSelect sb(dc, dot);
          fw::ScopedSelect sp(dc, none);
          const int cx = 12, cy = height / 2;
          Ellipse(dc, cx - 3, cy - 3, cx + 5, cy + 5);
        } else {
          HBITMAP check = LoadBitmapA(nullptr, reinterpret_cast<LPCSTR>(OBM_CHECK));
          BITMAP bm = {};
          GetObjectA(check, sizeof bm, &bm);
          DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(check), 0, 5 + (16 - bm.bmWidth) / 2,
                     (height - bm.bmHeight) / 2, bm.bmWidth, bm.bmHeight, DST_BITMAP);
          DeleteObject(check);
        }
      }
      UINT format = DT_SINGLELINE | DT_VCENTER;
      BOOL cues = TRUE;
      SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &cues, 0);
      if ((st & ODS_NOACCEL) && !cues) format |= DT_HIDEPREFIX;
      RECT caption = {30, 0, width, height};
      DrawTextA(dc, parts.caption.c_str(), -1, &caption, format);
      if (!parts.shortcut.empty()) {
        RECT shortcut = {30, 0, width - 12, height};
        DrawTextA(dc, parts.shortcut.c_str(), -1, &shortcut, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
      }
    }
  }
  BitBlt(draw->hDC, item.left, item.top, width, height, dc, 0, 0, SRCCOPY);
  ++State().drawnItems;
  return true;
}

LRESULT CMenuXP::OnMenuChar(HMENU menu, UINT character, UINT flags) {
  std::vector<std::string> captions;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_SUBMENU;
    GetMenuItemInfoA(menu, i, TRUE, &info);
    const std::string* caption = CaptionOf(info.hSubMenu ? static_cast<UINT>(reinterpret_cast<UINT_PTR>(info.hSubMenu)) : info.wID);
    captions.push_back(caption ? *caption : MenuItemText(menu, i));
  }
  const int index = mb::menu::FindMnemonic(captions, static_cast<unsigned char>(character), flags);
  return static_cast<LRESULT>(mb::menu::MenuCharResult(index));
}

void CMenuXP::InitializeHook() {
  MenuState& state = State();
  state.count.Acquire([&state] {
    state.hook = SetWindowsHookExA(WH_CALLWNDPROC, HookProc, nullptr, GetCurrentThreadId());
    return state.hook != nullptr;
  });
}

void CMenuXP::UninitializeHook() {
  MenuState& state = State();
  state.count.Release([&state] {
    for (auto& [hwnd, record] : state.popups) {
      if (auto old = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kOldProcProperty))) {
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        RemovePropA(hwnd, kOldProcProperty);
      }
    }
    state.popups.clear();
    UnhookWindowsHookEx(state.hook);
    state.hook = nullptr;
    return true;
  });
}

LRESULT CALLBACK CMenuXP::HookProc(int code, WPARAM wParam, LPARAM lParam) {
  MenuState& state = State();
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && (call->message == WM_CREATE || call->message == kMenuPopupShown)) {
    char name[16] = {};
    GetClassNameA(call->hwnd, name, sizeof name);
    if (lstrcmpA(name, "#32768") == 0 && GetXPLookNFeel(GetForegroundWindow())) {
      state.popups[call->hwnd];
      if (!GetPropA(call->hwnd, kOldProcProperty)) {
        const LONG_PTR old = GetWindowLongPtrA(call->hwnd, GWLP_WNDPROC);
        SetPropA(call->hwnd, kOldProcProperty, reinterpret_cast<HANDLE>(old));
        if (!SetWindowLongPtrA(call->hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PopupProc))) {
          RemovePropA(call->hwnd, kOldProcProperty);
        }
      }
    }
  }
  return CallNextHookEx(state.hook, code, wParam, lParam);
}

void CMenuXP::DrawPopupBorder(HWND hwnd, HDC dc, bool joinMenuBar) {
  RECT window = {};
  GetWindowRect(hwnd, &window);
  const bool shadow = WindowsVersion() < mb::menu::kVersionXp;
  RECT frame = {0, 0, window.right - window.left - (shadow ? kShadow : 0), window.bottom - window.top - (shadow ? kShadow : 0)};
  FrameOnly(dc, frame, GetSysColor(COLOR_3DDKSHADOW));
  for (int i = 1; i <= 2; ++i) FrameOnly(dc, {frame.left + i, frame.top + i, frame.right - i, frame.bottom - i}, Face(75));
  const RECT& mru = State().mruMenuBarItem;
  if (joinMenuBar && mru.bottom == window.top + 1) {
    fw::Pen pen(CreatePen(PS_SOLID, 1, Face(20)));
    fw::ScopedSelect selected(dc, pen);
    MoveToEx(dc, mru.left - window.left - 3, 0, nullptr);
    LineTo(dc, mru.right - window.left - 5, 0);
  }
  if (shadow) DrawShadow(hwnd, dc);
}

void CMenuXP::DrawShadow(HWND hwnd, HDC dc) {
  RECT window = {};
  GetWindowRect(hwnd, &window);
  const int w = window.right - window.left, h = window.bottom - window.top;
  fw::WindowDC screen(nullptr);
  for (int d = 0; d < kShadow; ++d) {  // d 0 at the outer edge
    const int x = w - 1 - d, y = h - 1 - d;
    for (int yy = kShadow; yy < h - d; ++yy) {
      SetPixel(dc, x, yy, mb::menu::ShadeColour(GetPixel(screen, window.left + x, window.top + yy), std::min(d, kShadow - 1)));
    }
    for (int xx = kShadow; xx < w - d - 1; ++xx) {
      SetPixel(dc, xx, y, mb::menu::ShadeColour(GetPixel(screen, window.left + xx, window.top + y), std::min(d, kShadow - 1)));
    }
  }
}

LRESULT CALLBACK CMenuXP::PopupProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  MenuState& state = State();
  const auto old = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kOldProcProperty));
  if (!old) return DefWindowProcA(hwnd, message, wParam, lParam);
  const bool beforeXp = WindowsVersion() < mb::menu::kVersionXp;
  switch (message) {
    case WM_NCCALCSIZE: {
      const LRESULT result = CallWindowProcA(old, hwnd, message, wParam, lParam);
      if (beforeXp) {
        auto* r = reinterpret_cast<RECT*>(lParam);
        r->right -= kShadow;
        r->bottom -= kShadow;
      }
      return result;
    }
    case WM_NCPAINT: {
      HDC dc = GetWindowDC(hwnd);
      RECT window = {};
      GetWindowRect(hwnd, &window);
      PopupRecord& record = state.popups[hwnd];
      const RECT relative = {0, 0, window.right - window.left, window.bottom - window.top};
      if (!EqualRect(&relative, &record.lastRect)) {
        record.lastRect = relative;
      }
      DrawPopupBorder(hwnd, dc, true);
      ReleaseDC(hwnd, dc);
      return 0;
    }
    case WM_PRINT: {
      const int drawnBefore = state.drawnItems;
      const LRESULT result = CallWindowProcA(old, hwnd, message, wParam, lParam);
      DrawPopupBorder(hwnd, reinterpret_cast<HDC>(wParam), state.drawnItems != drawnBefore);
      return result;
    }
    case WM_WINDOWPOSCHANGING: {
      auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
      if (beforeXp && !(pos->flags & SWP_NOSIZE)) {
        pos->cx += kShadow;
        pos->cy += kShadow;
      }
      if (!(pos->flags & SWP_NOMOVE)) {  // only a move shifts the popup up a pixel
        --pos->y;
        state.popups[hwnd].lastPosition = {pos->x, pos->y};
      }
      return CallWindowProcA(old, hwnd, message, wParam, lParam);
    }
    case WM_SHOWWINDOW:
      if (wParam == 0) state.popups.erase(hwnd);
      return CallWindowProcA(old, hwnd, message, wParam, lParam);
    case WM_NCDESTROY:
      state.popups.erase(hwnd);
      SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
      RemovePropA(hwnd, kOldProcProperty);
      return CallWindowProcA(old, hwnd, message, wParam, lParam);
    default:
      return CallWindowProcA(old, hwnd, message, wParam, lParam);
  }
}
