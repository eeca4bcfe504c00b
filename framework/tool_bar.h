// ToolBar: a flat toolbar docked at the top of a frame: buttons with text and images (normal and
// hot image lists, owned here), drop-down buttons, hidden buttons, and child controls laid on it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/framework_api.h"
#include "framework/image_list.h"

namespace fw {

class FW_API ToolBar {
 public:
  bool Create(HWND parent, UINT id);
  HWND Handle() const { return hwnd_; }

  // Takes both lists over; the toolbar draws with them from now on.
  void SetImageLists(ImageList normal, ImageList hot);
  void SetSizes(SIZE button, SIZE image);
  void AddButton(UINT id, int image, const char* text, BYTE style = BTNS_BUTTON);
  void SetDropDown(UINT id);
  void SetButtonText(UINT id, const char* text);
  void HideButton(UINT id, bool hide);
  void EnableButton(UINT id, bool enable) const;
  void CheckButton(UINT id, bool check) const;
  RECT ButtonRect(UINT id) const;
  int ButtonCount() const;
  UINT ButtonId(int index) const;

  void Show(bool show) const { ShowWindow(hwnd_, show ? SW_SHOW : SW_HIDE); }
  bool IsVisible() const { return hwnd_ && IsWindowVisible(hwnd_); }

 private:
  HWND hwnd_ = nullptr;
  ImageList normal_;
  ImageList hot_;
};

}  // namespace fw
