// ShellFolderTree: a tree control over the shell's namespace, the desktop at its root. Children
// are read when an item first opens, shown with the system's small icons and sorted as the
// shell compares them. Each item holds its absolute item identifier list, freed with the item.
// Choosing a folder tells the application's main window (1042: wParam 1 a file-system folder,
// 0 anything else). New folders come from the menu's "新建文件夹" under the folder right-clicked
// (or the one selected): the member names the new item, and the name makes the folder on disk;
// an empty name takes the item away again.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <set>
#include <string>

#include "framework/window.h"

// What the tree asks of the main window's folder history: the picture view keeps one list per
// folder opened, and with it the folder's tree item, which stepping back or forward selects.
class FolderHistoryLink {
 public:
  virtual ~FolderHistoryLink() = default;
  virtual void RecordFolder(const std::string& path, HTREEITEM item) = 0;
  virtual int HistoryCount() const = 0;
  virtual int HistoryPosition() const = 0;
};

class ShellFolderTree : public fw::Window {
 public:
  // To the main window on a selection: wParam 1 a file-system folder (CurrentPath), 0 other.
  static constexpr UINT kFolderChosenMessage = 1042;
  static constexpr UINT kControlId = 8888;

  ShellFolderTree();
  ~ShellFolderTree() override;

  // Creates the control (lines, buttons, label editing) and fills in the desktop, opened.
  HWND Create(HWND parent, const RECT& rect, UINT id = kControlId);
  // Where 1042 and the forward/back commands go; nothing is sent while null.
  void SetMainWindow(HWND mainWindow) { mainWindow_ = mainWindow; }
  void SetHistory(FolderHistoryLink* history) { history_ = history; }

  const std::string& CurrentPath() const { return currentPath_; }
  HTREEITEM Root() const { return root_; }
  // The item's file-system path, empty for a virtual item.
  std::string ItemPath(HTREEITEM item) const;
  std::string ItemText(HTREEITEM item) const;
  // Opens the item (reading its children the first time).
  void Expand(HTREEITEM item);
  void Select(HTREEITEM item) { TreeView_SelectItem(Handle(), item); }
  // True while item is one of the tree's items (a handle kept elsewhere may outlive its item:
  // a folder's children are read again after a new folder is made).
  bool Holds(HTREEITEM item) const { return items_.count(item) != 0; }

  // A new item under parent (a file-system folder), its label open for the member to name it.
  // Null when parent is no folder on a drive.
  HTREEITEM InsertNewFolderItem(HTREEITEM parent);

 private:
  LRESULT OnReflectedNotify(const fw::Message& m);
  LRESULT OnItemExpanding(NMTREEVIEWA* info);
  void OnSelectionChanged(HTREEITEM item);
  LRESULT OnBeginLabelEdit(NMTVDISPINFOA* info);
  LRESULT OnEndLabelEdit(NMTVDISPINFOA* info);
  void OnRightClick();
  void OnOpenHit();
  void OnOpenParent();
  void OnNewFolder();
  // Where the menu's new folder goes: the item right-clicked, else the selected one.
  HTREEITEM NewFolderParent() const;
  void OnForwardOrBack(UINT id);
  LRESULT OnDeleteItem(NMTREEVIEWA* info);

  void InsertRoot();
  // Reads the children of item (bound to folder) and sorts them.
  void FillChildren(HTREEITEM item);
  void DeleteChildren(HTREEITEM item);
  void SetChildrenMark(HTREEITEM item, bool hasChildren);
  LPITEMIDLIST ItemIdList(HTREEITEM item) const;
  HTREEITEM InsertItem(TVINSERTSTRUCTA& insert);

  IShellFolder* desktop_ = nullptr;
  IMalloc* allocator_ = nullptr;
  LPITEMIDLIST desktopIdList_ = nullptr;
  HTREEITEM root_ = nullptr;
  bool showFiles_ = false;
  std::string currentPath_;
  HTREEITEM rightClicked_ = nullptr;
  HTREEITEM pendingNew_ = nullptr;  // the item being named, until its label edit ends
  HWND mainWindow_ = nullptr;
  FolderHistoryLink* history_ = nullptr;
  std::set<HTREEITEM> items_;
};
