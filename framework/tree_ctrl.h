// TreeCtrl: the system tree-view control (typically a dialog's item, taken over with Subclass),
// bound to an object so that its messages can go through a message map.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/framework_api.h"
#include "framework/window.h"

namespace fw {

class FW_API TreeCtrl : public Window {
 public:
  // A new item at the end of parent's children (TVI_ROOT: at the top level), with the same image
  // selected or not; null on failure.
  HTREEITEM InsertItem(const char* text, int image, HTREEITEM parent = TVI_ROOT, LPARAM data = 0);
  bool SelectItem(HTREEITEM item) {
    return Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) != 0;
  }
  HTREEITEM GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }
  HTREEITEM GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
  // TVGN_NEXT, TVGN_CHILD, TVGN_CARET, ...; null when there is none.
  HTREEITEM GetNextItem(HTREEITEM item, UINT relation) const {
    return reinterpret_cast<HTREEITEM>(
        Send(TVM_GETNEXTITEM, static_cast<WPARAM>(relation), reinterpret_cast<LPARAM>(item)));
  }
  LPARAM GetItemData(HTREEITEM item) const;
  // TVSIL_NORMAL or TVSIL_STATE; returns the previous list (still the caller's).
  HIMAGELIST SetImageList(HIMAGELIST list, int which = TVSIL_NORMAL) {
    return reinterpret_cast<HIMAGELIST>(
        Send(TVM_SETIMAGELIST, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(list)));
  }
};

}  // namespace fw
