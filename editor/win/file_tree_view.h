// CFileTreeView: the uploader's folder pane: a title bar "本地目录浏览" over the shell folder
// tree. Closing the title bar asks the main window to hide the pane.
#pragma once

#include "editor/win/shell_folder_tree.h"
#include "framework/window.h"
#include "uibase/win/zel_head_ctrl.h"

class CFileTreeView : public fw::Window {
 public:
  // wParam: the tree item to select, or 0 for the tree's first item.
  static constexpr UINT kSelectItemMessage = 1075;

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

  CZELHeadCtrl head_;
  ShellFolderTree tree_;
  HWND main_ = nullptr;
};
