// CFileTreeView: the uploader's folder pane: a title bar "本地目录浏览" over the shell folder
// tree. Closing the title bar asks the main window to hide the pane.
#pragma once

#include <string>

#include "editor/win/shell_folder_tree.h"
#include "framework/window.h"
#include "uibase/win/zel_head_ctrl.h"

class CFileTreeView : public fw::Window {
 public:
  // wParam: the tree item to select. When it is 0 or no longer in the tree, lParam, the folder's
  // path (const char*), is looked up; without either, the tree's first item. The picture view
  // sends it as WM_SELECT_TREE_ITEM.
  static constexpr UINT kSelectItemMessage = WM_USER + 51;

  CFileTreeView();
  // The pane as a child of parent (a splitter cell); main is the application main window.
  HWND Create(HWND parent, const RECT& rect, UINT id, HWND main);
  ShellFolderTree& Tree() { return tree_; }

 protected:
  fw::WindowClassSpec ClassSpec() const override;

 private:
  LRESULT OnCreate(const fw::Message&);
  LRESULT OnSize(const fw::Message& m);
  LRESULT OnSelectItem(const fw::Message& m);
  LRESULT OnHeadClose(const fw::Message&);
  void OnOpenParent();
  // The item of a file-system folder, its ancestors opened on the way; null when not found.
  HTREEITEM FindFolderItem(const std::string& path);
  HTREEITEM FindUnder(HTREEITEM parent, const std::string& path, int depth);

  CZELHeadCtrl head_;
  ShellFolderTree tree_;
  HWND main_ = nullptr;
};
