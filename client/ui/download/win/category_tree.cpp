#include "client/ui/download/win/category_tree.h"

#include "client/ui/manager/preview_paging.h"

namespace mb {

std::string CategoryTree::Label(const std::string& name, int pictureCount) {
  return manager::CategoryLabel(name, pictureCount);
}

HTREEITEM CategoryTree::InsertCategoryItem(const std::string& name, int pictureCount) {
  std::string label = Label(name, pictureCount);
  TVINSERTSTRUCTA insert = {};
  insert.hParent = TVI_ROOT;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_PARAM;
  insert.item.pszText = &label[0];
  insert.item.lParam = static_cast<LPARAM>(names_.size());
  names_.push_back(name);
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

void CategoryTree::Relabel(HTREEITEM item, int pictureCount) {
  std::string label = Label(CategoryOf(item), pictureCount);
  TVITEMA change = {};
  change.mask = TVIF_TEXT;
  change.hItem = item;
  change.pszText = &label[0];
  SendMessageA(tree_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
}

std::string CategoryTree::CategoryOf(HTREEITEM item) const {
  TVITEMA query = {};
  query.mask = TVIF_PARAM;
  query.hItem = item;
  if (!item || !SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query))) return {};
  const auto index = static_cast<std::size_t>(query.lParam);
  return index < names_.size() ? names_[index] : std::string();
}

CategoryTree::Selection CategoryTree::SelectCategoryInTree(const std::string& category) {
  auto next = [this](HTREEITEM item, UINT relation) {
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree_, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
  };
  for (HTREEITEM item = next(nullptr, TVGN_ROOT); item; item = next(item, TVGN_NEXT)) {
    if (CategoryOf(item) != category) continue;
    if (next(nullptr, TVGN_CARET) == item) return Selection::kAlreadySelected;
    SendMessageA(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    return Selection::kSelected;
  }
  return Selection::kNotFound;
}

}  // namespace mb
