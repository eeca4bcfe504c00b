#include "framework/list_view.h"

#include "framework/module.h"

namespace fw {

HWND ListView::Create(HWND parent, const RECT& rect, DWORD style, UINT id, DWORD exStyle) {
  INITCOMMONCONTROLSEX init = {sizeof init, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&init);
  HWND hwnd = CreateWindowExA(exStyle, WC_LISTVIEWA, "", style | WS_CHILD, rect.left, rect.top,
                              rect.right - rect.left, rect.bottom - rect.top, parent,
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), Module::Instance(), nullptr);
  if (!hwnd) return nullptr;
  if (!Subclass(hwnd)) {
    DestroyWindow(hwnd);
    return nullptr;
  }
  return hwnd;
}

int ListView::InsertColumn(int column, const char* heading, int format, int width) {
  LVCOLUMNA col = {};
  col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
  col.fmt = format;
  col.cx = width;
  col.pszText = const_cast<char*>(heading);
  col.iSubItem = column;
  return static_cast<int>(Send(LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&col)));
}

int ListView::InsertItem(int row, const char* text, int image, LPARAM data) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
  item.iItem = row;
  item.pszText = const_cast<char*>(text);
  item.iImage = image;
  item.lParam = data;
  return static_cast<int>(Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

bool ListView::SetItemText(int row, int column, const char* text) {
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = const_cast<char*>(text);
  return Send(LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)) != 0;
}

std::string ListView::GetItemText(int row, int column) const {
  // The control answers with the length copied; a full buffer may mean a longer text.
  for (int size = 256;; size *= 4) {
    std::string text(static_cast<std::size_t>(size), '\0');
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text.data();
    item.cchTextMax = size;
    const int length = static_cast<int>(Send(LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
    if (length < size - 1 || size >= 65536) {
      text.resize(static_cast<std::size_t>(length < 0 ? 0 : length));
      return text;
    }
  }
}

bool ListView::SetItemImage(int row, int image) {
  LVITEMA item = {};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  item.iImage = image;
  return Send(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)) != 0;
}

int ListView::GetItemImage(int row) const {
  LVITEMA item = {};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  return Send(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) ? item.iImage : -1;
}

LPARAM ListView::GetItemData(int row) const {
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  return Send(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) ? item.lParam : 0;
}

bool ListView::SetItemData(int row, LPARAM data) {
  LVITEMA item = {};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  item.lParam = data;
  return Send(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)) != 0;
}

bool ListView::SetItemState(int row, UINT state, UINT mask) {
  LVITEMA item = {};
  item.stateMask = mask;
  item.state = state;
  return Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)) != 0;
}

int ListView::HitTest(POINT point, UINT* flags) const {
  LVHITTESTINFO info = {};
  info.pt = point;
  const int row = static_cast<int>(Send(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
  if (flags) *flags = info.flags;
  return row;
}

bool ListView::GetSubItemRect(int row, int column, int part, RECT& rect) const {
  rect.top = column;
  rect.left = part;
  return Send(LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect)) != 0;
}

}  // namespace fw
