#include "editor/win/file_tree_view.h"

namespace {
constexpr int kHeadHeight = 22;
constexpr UINT kHeadId = 1;
constexpr UINT kOpenParent = 32938;
const char kTitle[] = "本地目录浏览";
}  // namespace

CFileTreeView::CFileTreeView() : head_(fw::CString(kTitle)) {
  Handle(WM_CREATE, &CFileTreeView::OnCreate);
  Handle(WM_SIZE, &CFileTreeView::OnSize);
  Handle(kSelectItemMessage, &CFileTreeView::OnSelectItem);
  Handle(WM_HEAD_CLOSE, &CFileTreeView::OnHeadClose);
  Command(kOpenParent, &CFileTreeView::OnOpenParent);
}

fw::WindowClassSpec CFileTreeView::ClassSpec() const {
  fw::WindowClassSpec spec;
  spec.name = "Hoistly.FileTreeView";
  return spec;
}

HWND CFileTreeView::Create(HWND parent, const RECT& rect, UINT id, HWND main) {
  main_ = main;
  return Window::Create(parent, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, &rect,
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

LRESULT CFileTreeView::OnCreate(const fw::Message&) {
  RECT client;
  GetClientRect(Handle(), &client);
  const RECT headRect = {0, 0, client.right, kHeadHeight};
  const RECT treeRect = {0, kHeadHeight, client.right, client.bottom};
  if (!head_.Create(WS_CHILD | WS_VISIBLE, headRect, Handle(), kHeadId)) return -1;
  tree_.SetMainWindow(main_);
  if (!tree_.Create(Handle(), treeRect)) return -1;
  return 0;
}

LRESULT CFileTreeView::OnSize(const fw::Message& m) {
  const int width = LOWORD(m.lParam), height = HIWORD(m.lParam);
  if (head_.IsWindow()) MoveWindow(head_, 0, 0, width, kHeadHeight, TRUE);
  if (tree_.IsWindow()) MoveWindow(tree_, 0, kHeadHeight, width, height > kHeadHeight ? height - kHeadHeight : 0, TRUE);
  return 0;
}

LRESULT CFileTreeView::OnSelectItem(const fw::Message& m) {
  HTREEITEM item = reinterpret_cast<HTREEITEM>(m.wParam);
  const char* path = reinterpret_cast<const char*>(m.lParam);
  if (!tree_.Holds(item)) item = path && *path ? FindFolderItem(path) : nullptr;
  if (!item) item = TreeView_GetRoot(tree_.Handle());
  TreeView_Select(tree_.Handle(), item, TVGN_CARET);
  return 0;
}

namespace {
// "C:\" and "C:" name the same folder; a trailing backslash never matters.
std::string WithoutTrailingSlash(std::string path) {
  while (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  return path;
}

// True when folder is path itself or one of its ancestors.
bool Contains(const std::string& folder, const std::string& path) {
  if (folder.empty() || folder.size() > path.size()) return false;
  if (CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, folder.data(), static_cast<int>(folder.size()), path.data(),
                     static_cast<int>(folder.size())) != CSTR_EQUAL) {
    return false;
  }
  return folder.size() == path.size() || path[folder.size()] == '\\';
}

// Virtual items (the desktop, the computer) are searched this deep at most.
constexpr int kVirtualDepth = 2;
}  // namespace

HTREEITEM CFileTreeView::FindFolderItem(const std::string& path) {
  const HTREEITEM root = tree_.Root();
  return root ? FindUnder(root, WithoutTrailingSlash(path), 0) : nullptr;
}

HTREEITEM CFileTreeView::FindUnder(HTREEITEM parent, const std::string& path, int depth) {
  tree_.Expand(parent);
  HWND tree = tree_.Handle();
  // Folders first: a folder on the way is the only place to look.
  for (HTREEITEM child = TreeView_GetChild(tree, parent); child; child = TreeView_GetNextSibling(tree, child)) {
    const std::string folder = WithoutTrailingSlash(tree_.ItemPath(child));
    if (!Contains(folder, path)) continue;
    return folder.size() == path.size() ? child : FindUnder(child, path, depth);
  }
  if (depth >= kVirtualDepth) return nullptr;
  for (HTREEITEM child = TreeView_GetChild(tree, parent); child; child = TreeView_GetNextSibling(tree, child)) {
    if (!tree_.ItemPath(child).empty()) continue;
    if (HTREEITEM found = FindUnder(child, path, depth + 1)) return found;
  }
  return nullptr;
}

LRESULT CFileTreeView::OnHeadClose(const fw::Message&) {
  if (main_) SendMessageA(main_, WM_HEAD_CLOSE, 1, 0);
  return 0;
}

void CFileTreeView::OnOpenParent() { tree_.Send(WM_COMMAND, kOpenParent); }
