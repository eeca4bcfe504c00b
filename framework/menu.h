// Menu: a menu handle, owned (made or loaded here, destroyed at the end) or borrowed (a submenu,
// a window's menu). Item ids, texts, enabling, check marks and the popup at the cursor.
#pragma once

#include <windows.h>

#include "framework/framework_api.h"

namespace fw {

class FW_API Menu {
 public:
  Menu() = default;
  ~Menu();
  Menu(Menu&& other) noexcept;
  Menu& operator=(Menu&& other) noexcept;
  Menu(const Menu&) = delete;
  Menu& operator=(const Menu&) = delete;

  // An empty popup menu, owned.
  static Menu CreatePopup();
  // A menu resource of module, owned; empty when the resource is missing.
  static Menu Load(HINSTANCE module, UINT id);
  // A handle this object does not destroy.
  static Menu Borrow(HMENU menu);

  HMENU Handle() const { return menu_; }
  explicit operator bool() const { return menu_ != nullptr; }
  // Gives up ownership (a menu handed to a window).
  HMENU Detach();

  bool AppendItem(UINT id, const char* text, UINT flags = MF_STRING);
  bool AppendSeparator();
  // A submenu at position, borrowed from this menu; empty when there is none.
  Menu SubMenu(int position) const;
  int ItemCount() const;

  // By command id. Enable returns the previous state (true: was enabled), -1 when there is no
  // such item; Check the same for the check mark.
  int Enable(UINT id, bool enable) const;
  int Check(UINT id, bool check) const;
  bool IsChecked(UINT id) const;
  bool IsEnabled(UINT id) const;
  bool SetItemText(UINT id, const char* text) const;

  // Shows the menu at screen point (x, y) for owner and returns the chosen command id, 0 when
  // none was chosen; the command is not sent to the owner.
  UINT TrackForCommand(HWND owner, int x, int y, UINT flags = TPM_LEFTALIGN | TPM_RIGHTBUTTON) const;
  // Shows the menu; the chosen command goes to owner as WM_COMMAND.
  bool Track(HWND owner, int x, int y, UINT flags = TPM_LEFTALIGN | TPM_RIGHTBUTTON) const;

 private:
  Menu(HMENU menu, bool owned) : menu_(menu), owned_(owned) {}
  void Reset();

  HMENU menu_ = nullptr;
  bool owned_ = false;
};

}  // namespace fw
