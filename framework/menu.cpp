#include "framework/menu.h"

#include <utility>

namespace fw {

Menu::~Menu() { Reset(); }

Menu::Menu(Menu&& other) noexcept : menu_(other.menu_), owned_(other.owned_) {
  other.menu_ = nullptr;
  other.owned_ = false;
}

Menu& Menu::operator=(Menu&& other) noexcept {
  if (this != &other) {
    Reset();
    menu_ = std::exchange(other.menu_, nullptr);
    owned_ = std::exchange(other.owned_, false);
  }
  return *this;
}

void Menu::Reset() {
  if (menu_ && owned_) DestroyMenu(menu_);
  menu_ = nullptr;
  owned_ = false;
}

Menu Menu::CreatePopup() { return Menu(CreatePopupMenu(), true); }

Menu Menu::Load(HINSTANCE module, UINT id) { return Menu(LoadMenuA(module, MAKEINTRESOURCEA(id)), true); }

Menu Menu::Borrow(HMENU menu) { return Menu(menu, false); }

HMENU Menu::Detach() {
  owned_ = false;
  return std::exchange(menu_, nullptr);
}

bool Menu::AppendItem(UINT id, const char* text, UINT flags) {
  return menu_ && AppendMenuA(menu_, flags, id, text);
}

bool Menu::AppendSeparator() { return menu_ && AppendMenuA(menu_, MF_SEPARATOR, 0, nullptr); }

Menu Menu::SubMenu(int position) const {
  return Menu(menu_ ? GetSubMenu(menu_, position) : nullptr, false);
}

int Menu::ItemCount() const { return menu_ ? GetMenuItemCount(menu_) : 0; }

int Menu::Enable(UINT id, bool enable) const {
  if (!menu_) return -1;
  const DWORD previous = EnableMenuItem(menu_, id, MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
  if (previous == static_cast<DWORD>(-1)) return -1;
  return (previous & (MF_GRAYED | MF_DISABLED)) ? 0 : 1;
}

int Menu::Check(UINT id, bool check) const {
  if (!menu_) return -1;
  const DWORD previous = CheckMenuItem(menu_, id, MF_BYCOMMAND | (check ? MF_CHECKED : MF_UNCHECKED));
  if (previous == static_cast<DWORD>(-1)) return -1;
  return (previous & MF_CHECKED) ? 1 : 0;
}

bool Menu::IsChecked(UINT id) const {
  if (!menu_) return false;
  const UINT state = GetMenuState(menu_, id, MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && (state & MF_CHECKED);
}

bool Menu::IsEnabled(UINT id) const {
  if (!menu_) return false;
  const UINT state = GetMenuState(menu_, id, MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

bool Menu::SetItemText(UINT id, const char* text) const {
  if (!menu_) return false;
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = const_cast<char*>(text);
  return SetMenuItemInfoA(menu_, id, FALSE, &info) != FALSE;
}

UINT Menu::TrackForCommand(HWND owner, int x, int y, UINT flags) const {
  if (!menu_) return 0;
  return static_cast<UINT>(TrackPopupMenu(menu_, flags | TPM_RETURNCMD | TPM_NONOTIFY, x, y, 0, owner, nullptr));
}

bool Menu::Track(HWND owner, int x, int y, UINT flags) const {
  return menu_ && TrackPopupMenu(menu_, flags & ~TPM_RETURNCMD, x, y, 0, owner, nullptr);
}

}  // namespace fw
