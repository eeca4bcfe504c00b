#include "framework/tree_ctrl.h"

namespace fw {

HTREEITEM TreeCtrl::InsertItem(const char* text, int image, HTREEITEM parent, LPARAM data) {
  TVINSERTSTRUCTA insert = {};
  insert.hParent = parent;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
  insert.item.pszText = const_cast<char*>(text);
  insert.item.iImage = image;
  insert.item.iSelectedImage = image;
  insert.item.lParam = data;
  return reinterpret_cast<HTREEITEM>(Send(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

LPARAM TreeCtrl::GetItemData(HTREEITEM item) const {
  TVITEMA tvi = {};
  tvi.mask = TVIF_PARAM | TVIF_HANDLE;
  tvi.hItem = item;
  return Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tvi)) ? tvi.lParam : 0;
}

}  // namespace fw
