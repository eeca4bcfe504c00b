// The wallpaper manager page under Wine, in each skin layout: categories with their counts, a
// category paged newest first, pictures double-clicked into the strip, reordered and removed
// there, the carousel applied through the tray frame, and a category deleted.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <future>
#include <set>
#include <string>
#include <vector>

#include "client/core/client_config.h"
#include "client/core/client_data_files.h"
#include "client/core/download_request.h"
#include "client/core/win/tray_frame.h"
#include "client/core/win/wallpaper_carousel.h"
#include "client/ui/manager/preview_grid.h"
#include "client/ui/manager/win/wallpaper_manager_page.h"
#include "client/ui/tests/win/control_test_support.h"
#include "framework/module.h"
#include "image/picture.h"
#include "tests/winkit/winkit.h"

namespace mb {
namespace {

const char kCaption[] = "墨岚屏[Pelora]-系统消息";

// The page's parent, as the main window is.
class PageHost : public fw::Window {
 public:
  PageHost() {
    const RECT frame = {10, 10, 10 + 700, 10 + 340};
    Create(nullptr, "manager", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW, &frame);
  }
  ~PageHost() override { Destroy(); }

 protected:
  fw::WindowClassSpec ClassSpec() const override {
    fw::WindowClassSpec spec;
    spec.name = "mb.test.ManagerHost";
    return spec;
  }
};

// Runs action on this thread while another presses button on the box it shows; the box's text.
std::string AnswerBox(const std::function<void()>& action, int button) {
  std::string text;
  auto answered = std::async(std::launch::async, [&] {
    return winkit::AnswerMessageBox(kCaption, button, 10000, &text, GetCurrentProcessId());
  });
  action();
  EXPECT_TRUE(answered.get());
  return text;
}

// A small JPEG written hoursAgo hours before now.
void WritePicture(const std::string& path, int shade, int hoursAgo) {
  Picture picture;
  ASSERT_TRUE(picture.Create(64 + shade % 3 * 40, 48, Rgba{static_cast<std::uint8_t>(shade * 9), 90, 160, 255}));
  ASSERT_TRUE(picture.Save(path, PictureFormat::kJpeg)) << path;
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER when = {{now.dwLowDateTime, now.dwHighDateTime}};
  when.QuadPart -= static_cast<ULONGLONG>(hoursAgo) * 3600ULL * 10000000ULL;
  const FILETIME written = {when.LowPart, when.HighPart};
  SetFileTime(file, nullptr, nullptr, &written);
  CloseHandle(file);
}

std::string TreeLabel(HWND tree, HTREEITEM item) {
  char text[128] = {};
  TVITEMA query = {};
  query.mask = TVIF_TEXT;
  query.hItem = item;
  query.pszText = text;
  query.cchTextMax = sizeof text;
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
  return text;
}

HTREEITEM FindItem(HWND tree, const std::string& label) {
  for (HTREEITEM item = TreeView_GetRoot(tree); item; item = TreeView_GetNextSibling(tree, item)) {
    if (TreeLabel(tree, item) == label) return item;
  }
  return nullptr;
}

// Records what the page and its list would show in the file manager.
class RecordingShell : public ManagerPageShell {
 public:
  void ShowInFolder(const std::string& path) override { shown.push_back(path); }
  std::vector<std::string> shown;
};

std::vector<std::string> StoredStrip(const ClientConfig& config) {
  std::vector<std::string> list;
  LoadWallpaperList(config.FilePath("wallpaper.dat"), list);
  return list;
}

class ManagerPageRoad : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    fw::Module::Init(GetModuleHandleA(nullptr));
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    ASSERT_TRUE(CreateClientConfig({folder_.Root(), "http://127.0.0.1:9"}));
    config_ = GetClientConfig();
    config_->skinLayout = GetParam();
    config_->sessionUser = "张三";
    const std::string library = config_->downloadPath;
    for (const char* name : {"a", "a(b)", "empty"}) ASSERT_TRUE(winkit::MakeFolders(library + name));
    for (int i = 0; i < 25; ++i) WritePicture(library + "a\\p" + std::to_string(i) + ".jpg", i, 2 * i + 1);
    WritePicture(library + "a(b)\\q.jpg", 3, 1);
    winkit::WriteTextFile(library + "a\\broken.jpg", "\xFF\xD8\xFF not a picture");  // oldest: a white cell
    WritePicture(library + "a\\broken.jpg", 0, 0);
    winkit::WriteTextFile(library + "a\\broken.jpg", "\xFF\xD8\xFF");
    TrayFrame::CreateTrayFrame({});
    ASSERT_NE(GetTrayFrame(), nullptr);
    host_ = std::make_unique<PageHost>();
    auto shell = std::make_unique<RecordingShell>();
    shell_ = shell.get();
    page_ = std::make_unique<WallpaperManagerPage>(std::move(shell));
    ASSERT_TRUE(page_->Create(host_->Handle()));
    MoveWindow(page_->Handle(), 0, 0, 679, 318, TRUE);
    ShowWindow(page_->Handle(), SW_SHOW);
  }
  void TearDown() override {
    page_.reset();
    host_.reset();
    TrayFrame::ReleaseTrayFrame();
    DestroyClientConfig();
  }

  void Select(const std::string& category) {
    page_->SelectCategoryInTree(category);
    winkit::PumpMessages(50);
  }
  std::string ChooserText() const {
    const HWND chooser = GetDlgItem(page_->Handle(), 1045);
    char text[32] = {};
    SendMessageA(chooser, CB_GETLBTEXT, SendMessageA(chooser, CB_GETCURSEL, 0, 0), reinterpret_cast<LPARAM>(text));
    return text;
  }
  // The middle of a cell of the list as it is scrolled now.
  LPARAM CellPoint(int cell) const {
    const ThumbnailPreviewList& list = page_->Preview();
    const skin::Rect r = manager::PreviewCellRect(GetParam(), cell, list.ScrollOffset());
    return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  void DoubleClickCell(int cell) {
    const HWND list = page_->Preview().Handle();
    const LPARAM at = CellPoint(cell);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(list, WM_LBUTTONUP, 0, at);
    SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageA(list, WM_LBUTTONUP, 0, at);
  }
  // Every cell of the page shown has its thumbnail from the worker.
  bool WaitForThumbnails() {
    const ThumbnailPreviewList& list = page_->Preview();
    const int cells = std::min(list.Paging().PerPage(), list.PictureCount() - list.Paging().FirstPicture());
    return uitest::WaitUntil([&] { return list.ReadyCells() == cells; }, 10000);
  }

  winkit::TempFolder folder_;
  RecordingShell* shell_ = nullptr;
  ClientConfig* config_ = nullptr;
  std::unique_ptr<PageHost> host_;
  std::unique_ptr<WallpaperManagerPage> page_;
};

TEST_P(ManagerPageRoad, PagesPicksReordersAppliesAndDeletes) {
  const int layout = GetParam();
  const HWND page = page_->Handle();
  const HWND tree = page_->Tree();
  std::set<std::string> labels;
  for (HTREEITEM item = TreeView_GetRoot(tree); item; item = TreeView_GetNextSibling(tree, item)) {
    labels.insert(TreeLabel(tree, item));
  }
  EXPECT_EQ(labels, (std::set<std::string>{"a (26张)", "a(b) (1张)", "empty (0张)"}));

  Select("empty");
  EXPECT_EQ(page_->Preview().Paging().Count(), 0);
  EXPECT_EQ(ChooserText(), "第1页");

  // 26 pictures, the newest first; the unreadable one is the newest and still gets its cell.
  Select("a");
  EXPECT_EQ(page_->SelectedCategory(), "a");
  EXPECT_EQ(page_->Preview().Paging().Count(), layout == 1 ? 2 : 7);
  EXPECT_EQ(page_->Preview().PathOfCell(0), config_->downloadPath + "a\\broken.jpg");
  EXPECT_EQ(page_->Preview().PathOfCell(1), config_->downloadPath + "a\\p0.jpg");
  EXPECT_EQ(AnswerBox([&] { page_->Send(WM_PREVIEW_PAGE_PREV); }, IDOK), "已经是开始页了!");
  page_->Send(WM_PREVIEW_PAGE_NEXT);
  EXPECT_EQ(page_->Preview().Paging().Current(), 1);
  EXPECT_EQ(ChooserText(), "第2页");
  SetDlgItemTextA(page, 1022, "abc");
  EXPECT_EQ(AnswerBox([&] { page_->Send(WM_COMMAND, 20105); }, IDOK), "请输入数字");
  SetDlgItemTextA(page, 1022, "0");
  page_->Send(WM_COMMAND, 20105);
  EXPECT_EQ(page_->Preview().Paging().Current(), 0);
  // Every cell gets its thumbnail from the worker, the unreadable picture a white one.
  EXPECT_TRUE(WaitForThumbnails());
  ThumbnailPreviewList& list = page_->Preview();
  const HWND listWindow = list.Handle();
  if (layout == 1) {
    // Five rows of 67 px in a 140 px list: lines of 64 px, the wheel a line, never past the end.
    SendMessageA(listWindow, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(list.ScrollOffset(), 64);
    SendMessageA(listWindow, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(list.ScrollOffset(), 0);
    for (int i = 0; i < 3; ++i) SendMessageA(listWindow, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(list.ScrollOffset(), 5 * 67 - 140);
    SendMessageA(listWindow, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(list.ScrollOffset(), 5 * 67 - 140);
    SendMessageA(listWindow, WM_VSCROLL, SB_PAGEUP, 0);
    EXPECT_EQ(list.ScrollOffset(), 5 * 67 - 140 - 141);
    SendMessageA(listWindow, WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(list.ScrollOffset(), 0);
  } else {
    // Its arrows step from the chooser's entry ("GO" left it on the second page); the wheel does
    // nothing on one row.
    SendMessageA(listWindow, WM_COMMAND, kPreviewPageNextElement, 0);
    EXPECT_EQ(ChooserText(), "第3页");
    EXPECT_EQ(list.Paging().Current(), 2);
    SendMessageA(listWindow, WM_COMMAND, kPreviewPagePrevElement, 0);
    EXPECT_EQ(ChooserText(), "第2页");
    page_->Send(WM_COMMAND, 20105);
    SendMessageA(listWindow, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(list.ScrollOffset(), 0);
    EXPECT_TRUE(WaitForThumbnails());
  }
  // A click outside every cell keeps the selection; a right click there clears it.
  SendMessageA(listWindow, WM_LBUTTONDOWN, MK_LBUTTON, CellPoint(1));
  SendMessageA(listWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
  EXPECT_EQ(list.SelectedCell(), 1);
  POINT outside = {1, 1};
  ClientToScreen(listWindow, &outside);
  SendMessageA(listWindow, WM_CONTEXTMENU, 0, MAKELPARAM(outside.x, outside.y));
  EXPECT_EQ(list.SelectedCell(), -1);

  // Cells double-clicked into the strip, in click order, into wallpaper.dat.
  for (int cell : {1, 2, 3, 1}) DoubleClickCell(cell);
  const std::string p0 = config_->downloadPath + "a\\p0.jpg", p1 = config_->downloadPath + "a\\p1.jpg",
                    p2 = config_->downloadPath + "a\\p2.jpg";
  EXPECT_EQ(StoredStrip(*config_), (std::vector<std::string>{p0, p1, p2}));
  ThumbnailPanel& panel = page_->Panel();
  panel.RunMenuCommand(kPanelMoveLater, 0);      // p1 p0 p2
  panel.RunMenuCommand(kPanelMoveEarlier, 2);    // p1 p2 p0
  EXPECT_EQ(AnswerBox([&] { panel.RunMenuCommand(kPanelMoveLater, 2); }, IDOK), "没有图像可移动!");
  panel.RunMenuCommand(kPanelRemove, 1);         // p1 p0, saved
  EXPECT_EQ(StoredStrip(*config_), (std::vector<std::string>{p1, p0}));
  page_->Send(WM_PREVIEW_ADD_SELECTED, 0, reinterpret_cast<LPARAM>((config_->downloadPath + "a(b)\\q.jpg").c_str()));
  page_->Send(WM_PREVIEW_ADD_SELECTED, 0, reinterpret_cast<LPARAM>(p2.c_str()));
  ASSERT_EQ(panel.GetCount(), 4);

  if (layout == 2) {
    // Right of the drawn first thumbnail (drawn 19 px right of its slot): that picture goes.
    const HWND strip = panel.Handle();
    SendMessageA(strip, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(140, 80));
    EXPECT_EQ(StoredStrip(*config_), (std::vector<std::string>{p0, config_->downloadPath + "a(b)\\q.jpg", p2}));
    SendMessageA(strip, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(660, 80));  // the arrow: nothing
    EXPECT_EQ(panel.GetCount(), 3);
  }
  page_->ScrollPanelForward();
  EXPECT_EQ(panel.FirstVisible(), 1);
  // A selected and a hot cell for the pictures; the hot one holds the mouse until it leaves.
  SendMessageA(listWindow, WM_LBUTTONDOWN, MK_LBUTTON, CellPoint(0));
  SendMessageA(listWindow, WM_LBUTTONUP, 0, CellPoint(0));
  SendMessageA(listWindow, WM_MOUSEMOVE, 0, CellPoint(2));
  EXPECT_EQ(list.HotCell(), 2);
  EXPECT_EQ(GetCapture(), listWindow);
  UpdateWindow(listWindow);
  uitest::SaveScreenshot(page, "page_manager_layout" + std::to_string(layout));
  uitest::SaveScreenshot(panel.Handle(), "panel_layout" + std::to_string(layout));
  SendMessageA(listWindow, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
  EXPECT_EQ(list.HotCell(), -1);
  EXPECT_EQ(GetCapture(), nullptr);

  // Apply: 61 seconds refused; then the interval is stored and the strip's first picture shows.
  const std::string first = panel.GetItemPath(0);
  SetDlgItemTextA(page, 1018, "0");
  SetDlgItemTextA(page, 1016, "61");
  CheckRadioButton(page, 1035, 1036, 1035);
  EXPECT_EQ(AnswerBox([&] { page_->Send(WM_PANEL_APPLY_CAROUSEL); }, IDOK), "秒数设置最小为0，最大为60，请重新设置!");
  SetDlgItemTextA(page, 1018, "2");
  SetDlgItemTextA(page, 1016, "30");
  SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(""), SPIF_UPDATEINIFILE);
  EXPECT_EQ(AnswerBox([&] { page_->Send(WM_PANEL_APPLY_CAROUSEL); }, IDOK), "保存设置成功");
  EXPECT_NE(winkit::ReadTextFile(config_->FilePath("conf.dat")).find("min=2\r\nsec=30\r\n"), std::string::npos);
  EXPECT_EQ(config_->wallpaperApply, 1);
  EXPECT_TRUE(uitest::WaitUntil([&] {
    char shown[MAX_PATH] = {};
    SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, shown, 0);
    return first == shown;
  }, 10000));

  // Deleting "a(b)": "no" keeps it; "yes" removes that folder only, and its picture from the strip.
  const HTREEITEM ab = FindItem(tree, "a(b) (1张)");
  ASSERT_NE(ab, nullptr);
  EXPECT_NE(AnswerBox([&] { EXPECT_FALSE(page_->DeleteCategory(ab)); }, IDNO).find("[a(b)]"), std::string::npos);
  EXPECT_TRUE(winkit::FileExists(config_->downloadPath + "a(b)\\q.jpg"));
  AnswerBox([&] { EXPECT_TRUE(page_->DeleteCategory(ab)); }, IDYES);
  EXPECT_FALSE(winkit::FileExists(config_->downloadPath + "a(b)\\q.jpg"));
  EXPECT_TRUE(winkit::FileExists(p0));
  for (const std::string& path : StoredStrip(*config_)) EXPECT_EQ(path.find("a(b)"), std::string::npos) << path;
  EXPECT_EQ(FindItem(tree, "a(b) (1张)"), nullptr);

  // A finished download relabels the selected category.
  Select("a");
  WritePicture(config_->downloadPath + "a\\new.jpg", 5, 0);
  page_->Send(WM_DOWNLOAD_FINISHED, 1, 0);
  EXPECT_NE(FindItem(tree, "a (27张)"), nullptr);

  // Menu 215 on the strip's first picture p0 (cell 1 after new.jpg and broken.jpg): shown in its
  // folder, then deleted from disk, the strip and wallpaper.dat.
  ASSERT_EQ(list.PathOfCell(2), p0);
  SendMessageA(listWindow, WM_LBUTTONDOWN, MK_LBUTTON, CellPoint(2));
  list.RunMenuCommand(kPreviewShowInFolder);
  EXPECT_EQ(shell_->shown, std::vector<std::string>{p0});
  list.RunMenuCommand(kPreviewDeletePicture);
  EXPECT_FALSE(winkit::FileExists(p0));
  for (const std::string& path : StoredStrip(*config_)) EXPECT_NE(path, p0);
  EXPECT_EQ(panel.Paths(), StoredStrip(*config_));
  EXPECT_NE(FindItem(tree, "a (26张)"), nullptr);
  EXPECT_NE(list.PathOfCell(2), p0);
  EXPECT_TRUE(WaitForThumbnails());
}

INSTANTIATE_TEST_SUITE_P(Layouts, ManagerPageRoad, ::testing::Values(1, 2, 3));

}  // namespace
}  // namespace mb
