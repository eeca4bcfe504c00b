#include "editor/win/shell_folder_tree.h"

#include <shellapi.h>
#include <shlwapi.h>

#include "editor/core/folder_label.h"
#include "editor/win/editor_resource.h"
#include "editor/win/member_prompt.h"
#include "framework/menu.h"
#include "framework/module.h"

namespace {

constexpr UINT kOpen = 32923;
constexpr UINT kOpenParent = 32938;
constexpr UINT kForward = 32940;
constexpr UINT kBack = 32941;
constexpr UINT kNewFolder = 32942;
const char kNewFolderText[] = "新建文件夹";
const char kBadFolderName[] = "文件夹名不能包含下列字符: \\ / : * ? \" < > |，也不能是 \"..\"，全路径不能超过260个字符";
const char kCannotMakeFolder[] = "无法创建文件夹 %s";

// The shell folder of an absolute list (the desktop for the empty one); the caller releases it.
IShellFolder* BindFolder(IShellFolder* desktop, LPCITEMIDLIST absolute) {
  if (!absolute || absolute->mkid.cb == 0) {
    desktop->AddRef();
    return desktop;
  }
  IShellFolder* folder = nullptr;
  if (FAILED(desktop->BindToObject(absolute, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&folder))))
    return nullptr;
  return folder;
}

int SmallIcon(LPCITEMIDLIST absolute, UINT extra) {
  SHFILEINFOA info = {};
  SHGetFileInfoA(reinterpret_cast<LPCSTR>(absolute), 0, &info, sizeof info,
                 SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | extra);
  return info.iIcon;
}

std::string DisplayName(IShellFolder* folder, LPCITEMIDLIST relative) {
  STRRET name = {};
  char text[MAX_PATH] = {};
  if (SUCCEEDED(folder->GetDisplayNameOf(relative, SHGDN_NORMAL, &name))) {
    StrRetToBufA(&name, relative, text, sizeof text);
  }
  return text;
}

struct SortContext {
  IShellFolder* folder;
};

int CALLBACK CompareByShell(LPARAM a, LPARAM b, LPARAM context) {
  auto* sort = reinterpret_cast<SortContext*>(context);
  const HRESULT result = sort->folder->CompareIDs(0, ILFindLastID(reinterpret_cast<LPCITEMIDLIST>(a)),
                                                  ILFindLastID(reinterpret_cast<LPCITEMIDLIST>(b)));
  return static_cast<short>(HRESULT_CODE(result));
}

}  // namespace

ShellFolderTree::ShellFolderTree() {
  SHGetDesktopFolder(&desktop_);
  SHGetMalloc(&allocator_);
  Handle(fw::kReflectBase + WM_NOTIFY, &ShellFolderTree::OnReflectedNotify);
  Command(kOpen, &ShellFolderTree::OnOpenHit);
  Command(kOpenParent, &ShellFolderTree::OnOpenParent);
  Command(kNewFolder, &ShellFolderTree::OnNewFolder);
}

ShellFolderTree::~ShellFolderTree() {
  // The items' lists go with the window (TVN_DELETEITEM); the desktop's own list and the
  // interfaces go here.
  if (IsWindow()) Destroy();
  if (desktopIdList_ && allocator_) allocator_->Free(desktopIdList_);
  if (allocator_) allocator_->Release();
  if (desktop_) desktop_->Release();
}

HWND ShellFolderTree::Create(HWND parent, const RECT& rect, UINT id) {
  INITCOMMONCONTROLSEX init = {sizeof init, ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&init);
  const DWORD style = WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_EDITLABELS |
                      TVS_SHOWSELALWAYS;
  HWND hwnd = CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "", style, rect.left, rect.top, rect.right - rect.left,
                              rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                              fw::Module::Instance(), nullptr);
  if (!hwnd || !Subclass(hwnd) || !desktop_ || !allocator_) {
    if (hwnd) DestroyWindow(hwnd);
    return nullptr;
  }
  InsertRoot();
  return hwnd;
}

void ShellFolderTree::InsertRoot() {
  SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &desktopIdList_);
  SHFILEINFOA info = {};
  const auto images = reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoA(reinterpret_cast<LPCSTR>(desktopIdList_), 0, &info, sizeof info,
                     SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_DISPLAYNAME));
  TreeView_SetImageList(Handle(), images, TVSIL_NORMAL);  // the system's list: never destroyed

  TVINSERTSTRUCTA insert = {};
  insert.hParent = TVI_ROOT;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_PARAM;
  insert.item.pszText = info.szDisplayName;
  insert.item.iImage = insert.item.iSelectedImage = info.iIcon;
  insert.item.cChildren = 1;
  insert.item.lParam = reinterpret_cast<LPARAM>(ILClone(desktopIdList_));
  root_ = InsertItem(insert);
  Expand(root_);
}

HTREEITEM ShellFolderTree::InsertItem(TVINSERTSTRUCTA& insert) {
  auto item = reinterpret_cast<HTREEITEM>(Send(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  if (item) items_.insert(item);
  return item;
}

LPITEMIDLIST ShellFolderTree::ItemIdList(HTREEITEM item) const {
  TVITEMA data = {};
  data.mask = TVIF_PARAM;
  data.hItem = item;
  if (!item || !Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data))) return nullptr;
  return reinterpret_cast<LPITEMIDLIST>(data.lParam);
}

std::string ShellFolderTree::ItemPath(HTREEITEM item) const {
  LPITEMIDLIST list = ItemIdList(item);
  char path[MAX_PATH] = {};
  if (!list || !SHGetPathFromIDListA(list, path)) return "";
  return path;
}

std::string ShellFolderTree::ItemText(HTREEITEM item) const {
  char text[MAX_PATH] = {};
  TVITEMA data = {};
  data.mask = TVIF_TEXT;
  data.hItem = item;
  data.pszText = text;
  data.cchTextMax = sizeof text;
  Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
  return text;
}

void ShellFolderTree::Expand(HTREEITEM item) { TreeView_Expand(Handle(), item, TVE_EXPAND); }

void ShellFolderTree::SetChildrenMark(HTREEITEM item, bool hasChildren) {
  TVITEMA data = {};
  data.mask = TVIF_CHILDREN;
  data.hItem = item;
  data.cChildren = hasChildren ? 1 : 0;
  Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&data));
}

void ShellFolderTree::DeleteChildren(HTREEITEM item) {
  while (HTREEITEM child = TreeView_GetChild(Handle(), item)) TreeView_DeleteItem(Handle(), child);
}

void ShellFolderTree::FillChildren(HTREEITEM item) {
  LPITEMIDLIST parentList = ItemIdList(item);
  IShellFolder* folder = BindFolder(desktop_, parentList);
  if (!folder) return;
  IEnumIDList* children = nullptr;
  const SHCONTF what = SHCONTF_FOLDERS | (showFiles_ ? SHCONTF_NONFOLDERS : 0);
  int count = 0;
  if (folder->EnumObjects(Handle(), what, &children) == S_OK && children) {
    LPITEMIDLIST child = nullptr;
    while (children->Next(1, &child, nullptr) == S_OK) {
      LPITEMIDLIST absolute = ILCombine(parentList, child);
      ULONG attributes = SFGAO_HASSUBFOLDER | SFGAO_FOLDER;
      folder->GetAttributesOf(1, const_cast<LPCITEMIDLIST*>(&child), &attributes);
      const std::string name = DisplayName(folder, child);
      TVINSERTSTRUCTA insert = {};
      insert.hParent = item;
      insert.hInsertAfter = TVI_LAST;
      insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_PARAM;
      insert.item.pszText = const_cast<char*>(name.c_str());
      insert.item.iImage = SmallIcon(absolute, 0);
      insert.item.iSelectedImage = SmallIcon(absolute, SHGFI_OPENICON);
      insert.item.cChildren = (attributes & SFGAO_HASSUBFOLDER) ? 1 : 0;
      insert.item.lParam = reinterpret_cast<LPARAM>(absolute);
      if (!InsertItem(insert)) allocator_->Free(absolute);
      allocator_->Free(child);
      ++count;
    }
    children->Release();
  }
  SortContext sort{folder};
  TVSORTCB order = {item, CompareByShell, reinterpret_cast<LPARAM>(&sort)};
  TreeView_SortChildrenCB(Handle(), &order, FALSE);
  folder->Release();
  const std::string path = ItemPath(item);
  const bool fixedDrive =
      path.size() == 3 && mb::editor::IsDrivePath(path) && GetDriveTypeA(path.c_str()) == DRIVE_FIXED;
  if (count == 0 && !fixedDrive) SetChildrenMark(item, false);
}

LRESULT ShellFolderTree::OnReflectedNotify(const fw::Message& m) {
  auto* header = reinterpret_cast<NMHDR*>(m.lParam);
  switch (header->code) {
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW:
      return OnItemExpanding(reinterpret_cast<NMTREEVIEWA*>(header));
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
      OnSelectionChanged(reinterpret_cast<NMTREEVIEWA*>(header)->itemNew.hItem);
      return 0;
    case TVN_BEGINLABELEDITA:
      return OnBeginLabelEdit(reinterpret_cast<NMTVDISPINFOA*>(header));
    case TVN_ENDLABELEDITA:
      return OnEndLabelEdit(reinterpret_cast<NMTVDISPINFOA*>(header));
    case TVN_DELETEITEMA:
    case TVN_DELETEITEMW:
      return OnDeleteItem(reinterpret_cast<NMTREEVIEWA*>(header));
    case NM_RCLICK:
      OnRightClick();
      return 1;
    default:
      return 0;
  }
}

LRESULT ShellFolderTree::OnItemExpanding(NMTREEVIEWA* info) {
  if ((info->action & TVE_EXPAND) && !TreeView_GetChild(Handle(), info->itemNew.hItem)) {
    FillChildren(info->itemNew.hItem);
  }
  return FALSE;
}

void ShellFolderTree::OnSelectionChanged(HTREEITEM item) {
  if (item == pendingNew_) return;  // a folder still being named has no place on disk yet
  currentPath_ = ItemPath(item);
  if (!mainWindow_) return;
  if (!currentPath_.empty()) {
    if (history_) history_->RecordFolder(currentPath_, item);
    SendMessageA(mainWindow_, kFolderChosenMessage, 1, 0);
  } else {
    SendMessageA(mainWindow_, kFolderChosenMessage, 0, 0);
  }
}

LRESULT ShellFolderTree::OnDeleteItem(NMTREEVIEWA* info) {
  if (auto* list = reinterpret_cast<LPITEMIDLIST>(info->itemOld.lParam)) allocator_->Free(list);
  if (info->itemOld.hItem == pendingNew_) pendingNew_ = nullptr;
  items_.erase(info->itemOld.hItem);
  return 0;
}

HTREEITEM ShellFolderTree::InsertNewFolderItem(HTREEITEM parent) {
  if (pendingNew_ || !mb::editor::IsDrivePath(ItemPath(parent))) return nullptr;
  Expand(parent);
  TVINSERTSTRUCTA insert = {};
  insert.hParent = parent;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
  insert.item.pszText = const_cast<char*>(kNewFolderText);
  insert.item.iImage = insert.item.iSelectedImage = SmallIcon(ItemIdList(parent), 0);
  pendingNew_ = InsertItem(insert);
  if (!pendingNew_) return nullptr;
  SetChildrenMark(parent, true);
  TreeView_Expand(Handle(), parent, TVE_EXPAND);
  TreeView_EnsureVisible(Handle(), pendingNew_);
  Send(TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(pendingNew_));
  return pendingNew_;
}

LRESULT ShellFolderTree::OnBeginLabelEdit(NMTVDISPINFOA* info) {
  // Only a new item is named here: an existing folder's label is not a rename.
  const bool allowed = info->item.hItem == pendingNew_ &&
                       mb::editor::IsDrivePath(ItemPath(TreeView_GetParent(Handle(), info->item.hItem)));
  return allowed ? FALSE : TRUE;
}

LRESULT ShellFolderTree::OnEndLabelEdit(NMTVDISPINFOA* info) {
  HTREEITEM item = info->item.hItem;
  if (item != pendingNew_) return FALSE;
  HTREEITEM parent = TreeView_GetParent(Handle(), item);
  const std::string name = info->item.pszText ? info->item.pszText : "";
  const std::string parentPath = ItemPath(parent);
  if (name.empty()) {
    TreeView_DeleteItem(Handle(), item);
    SetChildrenMark(parent, TreeView_GetChild(Handle(), parent) != nullptr);
    return FALSE;
  }
  const auto path = mb::editor::NewFolderPath(parentPath, name);
  if (!path) {
    mb::editor::AskMember(Handle(), kBadFolderName, MB_OK | MB_ICONWARNING);
    TreeView_DeleteItem(Handle(), item);  // nothing was made: the member may ask for a new one
    return FALSE;
  }
  if (!CreateDirectoryA(path->c_str(), nullptr)) {
    char text[MAX_PATH + 64];
    wsprintfA(text, kCannotMakeFolder, path->c_str());
    mb::editor::AskMember(Handle(), text, MB_OK | MB_ICONERROR);
    TreeView_DeleteItem(Handle(), item);
    return FALSE;
  }
  pendingNew_ = nullptr;
  DeleteChildren(parent);
  FillChildren(parent);
  SetChildrenMark(parent, true);
  return FALSE;  // the item is gone: the children were read again
}

void ShellFolderTree::OnRightClick() {
  POINT cursor;
  GetCursorPos(&cursor);
  TVHITTESTINFO hit = {};
  hit.pt = cursor;
  ScreenToClient(Handle(), &hit.pt);
  rightClicked_ = TreeView_HitTest(Handle(), &hit);
  fw::Menu menus = fw::Menu::Load(fw::ThisModule(), IDR_TREE_MENU);
  fw::Menu menu = menus.SubMenu(0);
  if (!menu) return;
  const int count = history_ ? history_->HistoryCount() : 0;
  const int position = history_ ? history_->HistoryPosition() : 0;
  HTREEITEM selected = TreeView_GetSelection(Handle());
  menu.Enable(kOpen, rightClicked_ != nullptr);
  menu.Enable(kOpenParent, selected && TreeView_GetParent(Handle(), selected));
  menu.Enable(kNewFolder, !pendingNew_ && mb::editor::IsDrivePath(ItemPath(NewFolderParent())));
  menu.Enable(kForward, count >= 2 && position != 0);
  menu.Enable(kBack, count >= 2 && position != count - 1);
  const UINT command = menu.TrackForCommand(Handle(), cursor.x, cursor.y);
  if (command == kForward || command == kBack) {
    OnForwardOrBack(command);
  } else if (command) {
    Send(WM_COMMAND, command);
  }
}

void ShellFolderTree::OnOpenHit() {
  if (rightClicked_) Select(rightClicked_);
}

HTREEITEM ShellFolderTree::NewFolderParent() const {
  return rightClicked_ ? rightClicked_ : TreeView_GetSelection(Handle());
}

void ShellFolderTree::OnNewFolder() {
  if (HTREEITEM parent = NewFolderParent()) InsertNewFolderItem(parent);
}

void ShellFolderTree::OnOpenParent() {
  HTREEITEM selected = TreeView_GetSelection(Handle());
  if (HTREEITEM parent = selected ? TreeView_GetParent(Handle(), selected) : nullptr) Select(parent);
}

void ShellFolderTree::OnForwardOrBack(UINT id) {
  if (mainWindow_) SendMessageA(mainWindow_, WM_COMMAND, id, 0);
}
