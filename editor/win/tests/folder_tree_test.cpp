#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/gbk_text.h"
#include "editor/win/file_tree_view.h"
#include "editor/win/member_prompt.h"
#include "editor/win/pane_splitter_wnd.h"
#include "editor/win/show_pane_strip.h"
#include "conf/win/config.h"
#include "framework/module.h"
#include "editor/win/tests/pumped_input.h"
#include "tests/winkit/member_input.h"
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
  // The member's road: a right click on the folder, the menu's new folder, the name typed, Enter.
  RECT label = {};
  ASSERT_TRUE(TreeView_GetItemRect(tree.Handle(), item, &label, TRUE));
  ASSERT_TRUE(winkit::BringToFront(host));
  const POINT onLabel = winkit::ScreenCentreOf(tree.Handle(), label);
  WhilePumping([&] {
    winkit::RightClickAt(onLabel);
    Sleep(300);
    winkit::PressKey('N');
    Sleep(300);
    winkit::TypeText(std::string("新的图片"));
    winkit::PressKey(VK_RETURN);
    Sleep(200);
  });
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

  // 1075 selects the item it carries; one no longer in the tree is found again by its path.
  view.Send(CFileTreeView::kSelectItemMessage, reinterpret_cast<WPARAM>(item));
  EXPECT_EQ(TreeView_GetSelection(tree.Handle()), item);
  const HTREEITEM made = ChildTowards(tree, item, target + "\\新的图片");
  ASSERT_NE(made, nullptr);
  nameNewFolder("另一个");  // the children are read again: made's handle goes
  EXPECT_FALSE(tree.Holds(made));
  const std::string madePath = target + "\\新的图片";
  view.Send(CFileTreeView::kSelectItemMessage, reinterpret_cast<WPARAM>(made), reinterpret_cast<LPARAM>(madePath.c_str()));
  EXPECT_EQ(tree.CurrentPath(), madePath);
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
  RemoveDirectoryA(folder.Path("另一个").c_str());
  OleUninitialize();
}

// The frame's splitter: its colours, the folder column snapping to 58 when its bar is let go
// left of 70, the picture column's floor, and no dragging while the editor is full screen.
TEST(PaneSplitter, DrawsItsBarsAndAppliesTheColumnRulesWhenABarIsLetGo) {
  fw::Module::Init(GetModuleHandleA(nullptr));
  HostWindow host;
  ASSERT_NE(host.Create(nullptr, "host", WS_POPUP | WS_VISIBLE), nullptr);
  SetWindowPos(host, HWND_TOPMOST, 0, 0, 1000, 400, SWP_SHOWWINDOW);
  using mb::editor::PaneSplitterWnd;
  PaneSplitterWnd splitter;
  ASSERT_TRUE(splitter.Create(host, 1, 3, 100));
  MoveWindow(splitter, 0, 0, 1000, 400, TRUE);
  for (int column = 0; column < 3; ++column) {
    splitter.SetPane(0, column, CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_WHITERECT, 0, 0, 1, 1,
                                                splitter, nullptr, nullptr, nullptr));
  }
  splitter.SetColumnInfo(0, 200, 0);
  splitter.SetColumnInfo(1, 500, 0);
  splitter.SetColumnInfo(2, 220, 0);
  splitter.LayOut();

  const winkit::RgbImage shot = winkit::SaveClientScreenshot(splitter, "pane_splitter");
  ASSERT_FALSE(shot.Empty());
  auto rgb = [](COLORREF c) { return winkit::Rgb{GetRValue(c), GetGValue(c), GetBValue(c)}; };
  // Column 0 ends at 200; its bar: inner and outer border of the left pane, fill, the right pane's.
  EXPECT_EQ(shot.Pixel(200, 100), rgb(PaneSplitterWnd::kInnerBorder));
  EXPECT_EQ(shot.Pixel(201, 100), rgb(PaneSplitterWnd::kOuterBorder));
  EXPECT_EQ(shot.Pixel(203, 100), rgb(PaneSplitterWnd::kBarColour));
  EXPECT_EQ(shot.Pixel(207, 100), rgb(PaneSplitterWnd::kInnerBorder));
  EXPECT_EQ(shot.Pixel(100, 100), (winkit::Rgb{255, 255, 255}));

  auto drag = [&](int from, int to) {
    SendMessageA(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from, 100));
    SendMessageA(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to, 100));
    SendMessageA(splitter, WM_LBUTTONUP, 0, MAKELPARAM(to, 100));
  };
  CConfig* config = CConfig::GetConfig();
  config->SetFullScreenEdit(1);
  drag(203, 40);
  EXPECT_EQ(splitter.ColumnWidth(0), 200);  // full screen: nothing moves
  config->SetFullScreenEdit(0);
  drag(203, 40);
  EXPECT_EQ(splitter.ColumnWidth(0), 58);
  EXPECT_EQ(splitter.ColumnWidth(1), 1000 - 58 - 220 - 20);
  // Pulled wide beside a wide panel: the folder column stops at 399, the pictures fall to 280.
  splitter.SetColumnWidth(2, 400);
  drag(62, 700);
  EXPECT_EQ(splitter.ColumnWidth(0), 399);
  EXPECT_EQ(splitter.ColumnWidth(1), 280);

  splitter.Destroy();
  host.Destroy();
}

}  // namespace
