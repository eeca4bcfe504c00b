// ListView: the system list-view control created as a child and bound to this object, so that
// its messages (and the notifications its parent reflects back) go through a message map.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/framework_api.h"
#include "framework/window.h"

namespace fw {

class FW_API ListView : public Window {
 public:
  // Creates the control and binds it; null on failure.
  HWND Create(HWND parent, const RECT& rect, DWORD style, UINT id, DWORD exStyle = WS_EX_CLIENTEDGE);

  DWORD GetExtendedStyle() const { return static_cast<DWORD>(Send(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
  void SetExtendedStyle(DWORD style) { Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(style)); }
  HWND GetHeader() const { return reinterpret_cast<HWND>(Send(LVM_GETHEADER)); }

  // Columns. Index of the inserted column, or -1.
  int InsertColumn(int column, const char* heading, int format, int width);
  int GetColumnWidth(int column) const { return static_cast<int>(Send(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column))); }
  bool SetColumnWidthExact(int column, int width) {
    return Send(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0)) != 0;
  }

  // Rows.
  int GetItemCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
  // Index of the new row, or -1.
  int InsertItem(int row, const char* text, int image, LPARAM data = 0);
  bool DeleteItem(int row) { return Send(LVM_DELETEITEM, static_cast<WPARAM>(row)) != 0; }
  bool DeleteAllItems() { return Send(LVM_DELETEALLITEMS) != 0; }
  bool SetItemText(int row, int column, const char* text);
  std::string GetItemText(int row, int column) const;
  bool SetItemImage(int row, int image);
  int GetItemImage(int row) const;
  LPARAM GetItemData(int row) const;
  bool SetItemData(int row, LPARAM data);
  UINT GetItemState(int row, UINT mask) const {
    return static_cast<UINT>(Send(LVM_GETITEMSTATE, static_cast<WPARAM>(row), static_cast<LPARAM>(mask)));
  }
  bool SetItemState(int row, UINT state, UINT mask);
  // Check boxes (LVS_EX_CHECKBOXES).
  bool GetCheck(int row) const { return ((GetItemState(row, LVIS_STATEIMAGEMASK) >> 12) - 1) == 1; }
  bool SetCheck(int row, bool checked) { return SetItemState(row, INDEXTOSTATEIMAGEMASK(checked ? 2 : 1), LVIS_STATEIMAGEMASK); }
  // The next row after start (-1: from the top) with the LVNI_ flags, or -1.
  int GetNextItem(int start, UINT flags) const {
    return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(start), MAKELPARAM(flags, 0)));
  }
  int GetSelectedCount() const { return static_cast<int>(Send(LVM_GETSELECTEDCOUNT)); }
  bool EnsureVisible(int row, bool partialOk) {
    return Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), partialOk ? TRUE : FALSE) != 0;
  }
  // Row under a point in client coordinates, or -1; flags receives the LVHT_ part hit.
  int HitTest(POINT point, UINT* flags = nullptr) const;
  bool GetSubItemRect(int row, int column, int part, RECT& rect) const;
  // Sorts by a comparison of the rows' item data.
  bool SortItems(PFNLVCOMPARE compare, LPARAM context) {
    return Send(LVM_SORTITEMS, static_cast<WPARAM>(context), reinterpret_cast<LPARAM>(compare)) != 0;
  }

  // LVSIL_NORMAL, LVSIL_SMALL or LVSIL_STATE; returns the previous list (still the caller's).
  HIMAGELIST SetImageList(HIMAGELIST list, int which) {
    return reinterpret_cast<HIMAGELIST>(Send(LVM_SETIMAGELIST, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(list)));
  }
  HIMAGELIST GetImageList(int which) const {
    return reinterpret_cast<HIMAGELIST>(Send(LVM_GETIMAGELIST, static_cast<WPARAM>(which)));
  }
};

}  // namespace fw
