// CategoryTree: the wallpaper manager page's tree of categories. Each root item is labelled
// "name (n张)" and keeps the category's exact name beside its label, so a category is found by
// its name even when the name holds "(" or is the beginning of another one.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <deque>
#include <string>

namespace mb {

class CategoryTree {
 public:
  enum class Selection { kNotFound, kSelected, kAlreadySelected };

  // The tree-view control the items live in; the control stays its owner's.
  void Attach(HWND tree) { tree_ = tree; }
  HWND Tree() const { return tree_; }

  // A root item "name (pictureCount张)" at the end; null when it could not be added.
  HTREEITEM InsertCategoryItem(const std::string& name, int pictureCount);
  // The item's label becomes "name (pictureCount张)"; its category stays.
  void Relabel(HTREEITEM item, int pictureCount);
  // The exact category of an item; empty for an item this tree did not add.
  std::string CategoryOf(HTREEITEM item) const;
  // Selects the root item of exactly that category. kAlreadySelected: it was the selection, so
  // the page refreshes its pictures itself.
  Selection SelectCategoryInTree(const std::string& category);

  static std::string Label(const std::string& name, int pictureCount);

 private:
  HWND tree_ = nullptr;
  std::deque<std::string> names_;  // an item's lParam is its index here
};

}  // namespace mb
