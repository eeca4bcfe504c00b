// HeaderCtrl: the system header control (a list view's column header, typically), bound to an
// object so that its messages can go through a message map.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/framework_api.h"
#include "framework/window.h"

namespace fw {

class FW_API HeaderCtrl : public Window {
 public:
  int GetItemCount() const { return static_cast<int>(Send(HDM_GETITEMCOUNT)); }
  int GetItemWidth(int item) const;
  bool SetItemWidth(int item, int width);
  int GetItemFormat(int item) const;
  bool SetItemFormat(int item, int format);
  std::string GetItemText(int item) const;
  bool GetItemRect(int item, RECT& rect) const {
    return Send(HDM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&rect)) != 0;
  }
  // Display position to item index.
  int OrderToIndex(int order) const { return static_cast<int>(Send(HDM_ORDERTOINDEX, static_cast<WPARAM>(order))); }
  HIMAGELIST GetImageList() const { return reinterpret_cast<HIMAGELIST>(Send(HDM_GETIMAGELIST)); }
};

}  // namespace fw
