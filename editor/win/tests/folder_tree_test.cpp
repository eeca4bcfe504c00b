#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/gbk_text.h"
#include "editor/win/file_tree_view.h"
#include "editor/win/member_prompt.h"
#include "editor/win/show_pane_strip.h"
#include "framework/module.h"
#include "tests/winkit/screenshot.h"
#include "tests/winkit/winkit.h"

namespace {

// Stands for the application main window: keeps what the panes send it.
class HostWindow : public fw::Window {
 public:
  HostWindow() {
    Handle(ShellFolderTree::kFolderChosenMessage, &HostWindow::OnChosen);
    Handle(WM_HEAD_CLOSE, &HostWindow::OnHeadClose);
  }
  std::vector<WPARAM> chosen;
  std::vector<WPARAM> headClosed;

 protected:
  fw::WindowClassSpec ClassSpec() const override {
    fw::WindowClassSpec spec;
    spec.name = "editor.test.Host";
    return spec;
  }

 private:
  LRESULT OnChosen(const fw::Message& m) {
    chosen.push_back(m.wParam);
    return 0;
  }
  LRESULT OnHeadClose(const fw::Message& m) {
    headClosed.push_back(m.wParam);
    return 0;
  }
};

// The child of item whose path begins the target path (or is it); null when none.
HTREEITEM ChildTowards(ShellFolderTree& tree, HTREEITEM item, const std::string& target) {
  tree.Expand(item);
  for (HTREEITEM child = TreeView_GetChild(tree.Handle(), item); child;
       child = TreeView_GetNextSibling(tree.Handle(), child)) {
    std::string path = tree.ItemPath(child);
    if (path.empty()) continue;
    if (!mb::GbkEndsWith(path, '\\')) path += '\\';
    if (mb::GbkStartsWithNoCase(target + "\\", path)) return child;
  }
  return nullptr;
}

TEST(FolderTree, BrowsesToAFolderOnCMakesAndDropsNewFoldersAndClosesItsPane) {
  fw::Module::Init(GetModuleHandleA(nullptr));
  OleInitialize(nullptr);
  std::vector<std::string> prompts;
  mb::editor::SetPromptFunction([&](HWND, const std::string& text, UINT) {
    prompts.push_back(text);
    return IDOK;
  });
  winkit::TempFolder folder;
  std::string target = folder.Root().substr(0, folder.Root().size() - 1);
  char longTarget[MAX_PATH] = {};
  GetLongPathNameA(target.c_str(), longTarget, sizeof longTarget);
  target = longTarget;
  ASSERT_EQ(target.substr(0, 3), "C:\\");

  HostWindow host;
  ASSERT_NE(host.Create(nullptr, "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE), nullptr);
  SetWindowPos(host, HWND_TOPMOST, 40, 40, 360, 480, SWP_SHOWWINDOW);
  CFileTreeView view;
  RECT area = {0, 0, 300, 440};
  ASSERT_NE(view.Create(host, area, 1, host), nullptr);
  ShellFolderTree& tree = view.Tree();
  EXPECT_EQ(GetDlgCtrlID(tree.Handle()), 8888);

  // The desktop's children hold the computer, whose children hold C:.
  HTREEITEM computer = nullptr, item = nullptr;
  for (HTREEITEM child = TreeView_GetChild(tree.Handle(), tree.Root()); child && !item;
       child = TreeView_GetNextSibling(tree.Handle(), child)) {
    if (!tree.ItemPath(child).empty()) continue;
    tree.Expand(child);
    for (HTREEITEM drive = TreeView_GetChild(tree.Handle(), child); drive;
         drive = TreeView_GetNextSibling(tree.Handle(), drive)) {
      if (tree.ItemPath(drive) == "C:\\") computer = child, item = drive;
    }
  }
  ASSERT_NE(item, nullptr);
  while (item && tree.ItemPath(item) != target) item = ChildTowards(tree, item, target);
  ASSERT_NE(item, nullptr) << target;
  tree.Select(item);
  ASSERT_FALSE(host.chosen.empty());
  EXPECT_EQ(host.chosen.back(), 1u);
  EXPECT_EQ(tree.CurrentPath(), target);
  tree.Select(computer);
  EXPECT_EQ(host.chosen.back(), 0u);
  EXPECT_TRUE(tree.CurrentPath().empty());

  // An existing folder's label cannot be edited; a new item's can.
  EXPECT_EQ(TreeView_EditLabel(tree.Handle(), item), nullptr);
  auto nameNewFolder = [&](const char* name) {
    HTREEITEM fresh = tree.InsertNewFolderItem(item);
    EXPECT_NE(fresh, nullptr);
    HWND edit = TreeView_GetEditControl(tree.Handle());
    EXPECT_NE(edit, nullptr);
    SetWindowTextA(edit, name);
    TreeView_EndEditLabelNow(tree.Handle(), FALSE);
  };
  nameNewFolder("新的图片");
  EXPECT_NE(GetFileAttributesA(folder.Path("新的图片").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(ChildTowards(tree, item, target + "\\新的图片"), nullptr);  // read again, sorted in
  winkit::SaveClientScreenshot(host, "editor_folder_tree");
  nameNewFolder("");
  nameNewFolder("a:b");
  nameNewFolder("..");
  EXPECT_EQ(prompts.size(), 2u);
  int children = 0;
  for (HTREEITEM c = TreeView_GetChild(tree.Handle(), item); c; c = TreeView_GetNextSibling(tree.Handle(), c)) ++children;
  EXPECT_EQ(children, 1);  // only the named one stays
  EXPECT_EQ(tree.InsertNewFolderItem(computer), nullptr);  // a virtual item has no place for one

  view.Send(CFileTreeView::kSelectItemMessage, 0);
  EXPECT_EQ(TreeView_GetSelection(tree.Handle()), tree.Root());
  view.Send(WM_HEAD_CLOSE);
  ASSERT_EQ(host.headClosed.size(), 1u);
  EXPECT_EQ(host.headClosed[0], 1u);

  int shown = 0;
  CShowPaneDlg2 strip([&] { ++shown; });
  ASSERT_NE(strip.Create(host), nullptr);
  SetWindowPos(strip, nullptr, 310, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
  SendMessageA(strip.Item(201), BM_CLICK, 0, 0);
  EXPECT_EQ(shown, 1);
  winkit::SaveClientScreenshot(host, "editor_show_pane_strip");

  mb::editor::SetPromptFunction(nullptr);
  view.Destroy();
  host.Destroy();
  RemoveDirectoryA(folder.Path("新的图片").c_str());
  OleUninitialize();
}

}  // namespace
