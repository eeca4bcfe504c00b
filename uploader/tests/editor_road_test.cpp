// The picture editor and the folder pane of the running Hoistly.exe, driven with the member's own
// clicks, double clicks and keys: a picture handed over by the client, a row opened from the list,
// zoom and stepping, the canvas menu, full screen and back, and the folder pane closed and shown.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "image/picture.h"
#include "tests/winkit/member_input.h"
#include "tests/winkit/png_writer.h"
#include "tests/winkit/screenshot.h"
#include "tests/winkit/standin_client.h"
#include "tests/winkit/winkit.h"
#include "uploader/hoistly_resource.h"
#include "uploader/tests/hoistly_driver.h"

namespace {

using namespace hoistlytest;

constexpr char kBoxTitle[] = "墨岚屏[Pelora]-系统消息";
constexpr int kEditToolbarId = 144;
constexpr int kPanelButtonId = 9988;
constexpr UINT kZoomIn = 32839, kFullScreen = 32843, kLeave = 32844, kNext = 32809;

void WritePicture(const std::string& path, mb::Rgba colour) {
  mb::Picture picture;
  ASSERT_TRUE(picture.Create(400, 300, colour));
  ASSERT_TRUE(picture.Save(path, mb::PictureFormat::kBmp)) << picture.LastError();
}

// A toolbar button of another process's toolbar, clicked where the member sees it.
bool ClickToolButton(HWND toolbar, DWORD processId, UINT command) {
  RECT rect = {};
  RemoteBuffer remote(processId, sizeof rect);
  const LPARAM address = remote.Put(&rect, sizeof rect);
  if (!SendMessageA(toolbar, TB_GETRECT, command, address)) return false;
  remote.Get(&rect, sizeof rect);
  return winkit::ClickElement(toolbar, rect);
}

RECT RowRect(HWND list, DWORD processId, int row) {
  RECT bounds = {LVIR_ICON, 0, 0, 0};
  RemoteBuffer remote(processId, sizeof bounds);
  SendMessageA(list, LVM_GETITEMRECT, row, remote.Put(&bounds, sizeof bounds));
  remote.Get(&bounds, sizeof bounds);
  return bounds;
}

int TickedRows(HWND list) {
  int ticked = 0;
  const int rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < rows; ++row)
    ticked += (SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK) >> 12) == 2 ? 1 : 0;
  return ticked;
}

// How wide the picture of that colour is drawn on the canvas, along the canvas's middle row.
// (Taken from the frame's picture: another process's child windows are read through their top-level
// window.)
winkit::RgbImage ChildShot(HWND child, RECT* inShot) {
  HWND top = GetAncestor(child, GA_ROOT);
  GetClientRect(child, inShot);
  MapWindowPoints(child, top, reinterpret_cast<POINT*>(inShot), 2);
  return winkit::CaptureClientArea(top);
}

// A child window's pixels, compared with an earlier picture of it.
struct Shot {
  explicit Shot(HWND child) : image(ChildShot(child, &area)) {}
  // Pixels that differ from earlier's over the first `width` columns (0: all of them).
  int Differing(const Shot& earlier, int width) const {
    int columns = std::min(area.right - area.left, earlier.area.right - earlier.area.left);
    if (width > 0) columns = std::min(columns, width);
    int differing = 0;
    for (int y = 0; y < area.bottom - area.top; ++y)
      for (int x = 0; x < columns; ++x)
        differing += image.Pixel(area.left + x, area.top + y) != earlier.image.Pixel(earlier.area.left + x, earlier.area.top + y);
    return differing;
  }
  RECT area;
  winkit::RgbImage image;
};

int DrawnWidth(HWND canvas, winkit::Rgb colour) {
  RECT area;
  const winkit::RgbImage shot = ChildShot(canvas, &area);
  const int middle = (area.top + area.bottom) / 2;
  return static_cast<int>(shot.CountPixels(colour, area.left, middle, area.right, middle + 1));
}

// A message box of the program, dismissed by a click on its OK button.
bool DismissBox(DWORD processId, DWORD timeoutMs, std::string* text = nullptr) {
  HWND box = winkit::WaitForWindow("#32770", kBoxTitle, timeoutMs, processId);
  if (!box) return false;
  if (text) *text = winkit::WindowText(GetDlgItem(box, 0xFFFF));
  HWND ok = GetDlgItem(box, IDOK);
  if (!ok) ok = GetDlgItem(box, IDCANCEL);
  return winkit::ClickControl(ok) && WaitUntil([box] { return !IsWindow(box); }, 5000);
}

HWND EditorOf(HWND view) { return FindChild(view, "#32770", true); }

}  // namespace

TEST(HoistlyEditorRoad, EditorAndFolderPaneAsTheMemberUsesThem) {
  winkit::StandinSession standin;
  winkit::InstallFolder folder(kProgram);
  InstallIcons(folder);
  const std::string pictures = "C:\\hoistly_editor_" + std::to_string(GetCurrentProcessId());
  ASSERT_TRUE(winkit::MakeFolders(pictures));
  const std::string first = pictures + "\\a.bmp", second = pictures + "\\b.bmp", broken = folder.Path("broken.jpg");
  WritePicture(first, {255, 0, 0, 255});
  WritePicture(second, {0, 160, 0, 255});
  ASSERT_TRUE(winkit::WriteTextFile(broken, "not a picture"));

  Uploader uploader;
  ASSERT_TRUE(uploader.Start(folder.Path(""), "张三"));
  const DWORD id = uploader.Id();
  HWND frame = winkit::WaitForWindow(nullptr, kTitle, kStartTimeoutMs, id);
  ASSERT_NE(frame, nullptr);
  ShowWindow(frame, SW_MAXIMIZE);
  HWND inner = GetDlgItem(frame, ID_INNER_SPLITTER);
  HWND tree = GetDlgItem(inner, ID_PANE_FOLDER_TREE);
  HWND view = GetDlgItem(inner, ID_PANE_IMAGE_VIEW);
  HWND frameToolbar = GetDlgItem(frame, ID_VIEW_TOOLBAR);
  ASSERT_TRUE(tree && view && frameToolbar);
  ASSERT_TRUE(winkit::BringToFront(frame));

  // The client hands over a file that cannot be read: the member is told once, not twice.
  SetWindowTextA(frame, broken.c_str());
  PostMessageA(frame, WM_USER + 999, 0, 0);
  std::string told;
  ASSERT_TRUE(DismissBox(id, kStartTimeoutMs, &told));
  EXPECT_FALSE(told.empty());
  EXPECT_FALSE(DismissBox(id, 2500)) << "the unreadable picture was reported a second time";
  HWND editor = EditorOf(view);
  ASSERT_NE(editor, nullptr);
  HWND toolbar = GetDlgItem(editor, kEditToolbarId);
  ASSERT_TRUE(ClickToolButton(toolbar, id, kLeave));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(editor); }));

  // The folder's rows, opened from the list with a double click.
  HWND list = OpenFolderList(tree, view, id, pictures, 2);
  ASSERT_NE(list, nullptr);
  Sleep(1000);
  ASSERT_EQ(TickedRows(list), 0);
  const POINT row = winkit::ScreenCentreOf(list, RowRect(list, id, 0));
  ASSERT_TRUE(winkit::BringToFront(frame));
  ASSERT_TRUE(winkit::PointReaches(row, list));
  winkit::DoubleClickAt(row);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(editor) != FALSE; }));
  EXPECT_EQ(TickedRows(list), 0) << "the double click that opened the picture ticked it";
  HWND canvas = GetDlgItem(editor, 1000);
  ASSERT_NE(canvas, nullptr);

  // Zoom works with the panel closed; the next picture is shown at the member's zoom.
  if (IsWindowVisible(GetDlgItem(editor, 1002)) && SendMessageA(toolbar, TB_ISBUTTONENABLED, kZoomIn, 0) == 0) {
    ASSERT_TRUE(winkit::ClickControl(GetDlgItem(editor, kPanelButtonId)));
  }
  ASSERT_TRUE(WaitUntil([&] { return SendMessageA(toolbar, TB_ISBUTTONENABLED, kZoomIn, 0) != 0; }, 5000));
  const winkit::Rgb red = {255, 0, 0}, green = {0, 160, 0};
  const int fitted = DrawnWidth(canvas, red);
  ASSERT_TRUE(ClickToolButton(toolbar, id, kZoomIn));
  ASSERT_TRUE(WaitUntil([&] { return DrawnWidth(canvas, red) > fitted; }, 5000)) << fitted;
  const int zoomed = DrawnWidth(canvas, red);
  ASSERT_TRUE(ClickToolButton(toolbar, id, kNext));
  ASSERT_TRUE(WaitUntil([&] { return DrawnWidth(canvas, green) > 0; }, 5000));
  EXPECT_EQ(DrawnWidth(canvas, green), zoomed) << "fitted " << fitted;

  // A right click on the canvas brings the editing menu; Escape closes it.
  const POINT middle = winkit::ScreenCentre(canvas);
  ASSERT_TRUE(winkit::BringToFront(frame));
  ASSERT_TRUE(winkit::PointReaches(middle, canvas));
  winkit::RightClickAt(middle);
  EXPECT_TRUE(WaitUntil([&] { return FindWindowA("#32768", nullptr) && IsWindowVisible(FindWindowA("#32768", nullptr)); }, 5000));
  winkit::PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !FindWindowA("#32768", nullptr) || !IsWindowVisible(FindWindowA("#32768", nullptr)); }, 5000));

  // Full screen and back: the editor reaches the screen's bottom edge; back, the editor's toolbar
  // looks as it did and the frame's toolbar is back.
  winkit::MoveMouseTo(middle);
  winkit::PumpMessages(300);
  const Shot toolsBefore(toolbar), frameToolsBefore(frameToolbar);
  ASSERT_TRUE(ClickToolButton(toolbar, id, kFullScreen));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(frameToolbar); }, 5000));
  winkit::PumpMessages(500);
  RECT shown;
  GetWindowRect(editor, &shown);
  EXPECT_GE(shown.bottom, GetSystemMetrics(SM_CYSCREEN));
  // What the screen shows: the editor from its top edge to its bottom edge, no band of desktop.
  const winkit::RgbImage screen = winkit::CaptureClientArea(GetDesktopWindow());
  winkit::WritePngFile(screen, winkit::ScreenshotPath("hoistly_editor_full_screen"));
  ASSERT_EQ(screen.Height(), GetSystemMetrics(SM_CYSCREEN));
  const int quarter = screen.Width() / 4;
  EXPECT_EQ(screen.CountPixels({0, 0, 0}, quarter, screen.Height() - 45, 3 * quarter, screen.Height()), 0u);
  EXPECT_EQ(screen.CountPixels({0, 0, 0}, quarter, 0, 3 * quarter, 20), 0u);
  ASSERT_TRUE(ClickToolButton(toolbar, id, kFullScreen));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(frameToolbar) != FALSE; }, 5000));
  winkit::MoveMouseTo(middle);
  winkit::PumpMessages(500);
  winkit::SaveClientScreenshot(frame, "hoistly_editor_back_from_full_screen");
  // The icons and the background as before: the editor's 18 buttons, the frame's whole bar.
  EXPECT_EQ(Shot(toolbar).Differing(toolsBefore, 18 * 23), 0);
  EXPECT_EQ(Shot(frameToolbar).Differing(frameToolsBefore, 0), 0);

  // Leaving: the list is back and no row was ticked on the way.
  ASSERT_TRUE(ClickToolButton(toolbar, id, kLeave));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(list) != FALSE; }));
  winkit::PumpMessages(300);
  EXPECT_EQ(TickedRows(list), 0);

  // The folder pane's close button hides it; the View menu's information pane item, hidden and
  // shown again, brings it back with the other panes.
  HWND head = FindChild(tree, nullptr, true);
  ASSERT_NE(head, nullptr);
  HWND close = GetDlgItem(head, 1001);
  ASSERT_NE(close, nullptr);
  ASSERT_TRUE(winkit::ClickControl(close));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(tree); }, 5000));
  for (int time = 0; time < 2; ++time) {
    ASSERT_TRUE(winkit::BringToFront(frame));
    winkit::PressKey('V', winkit::kAlt);
    winkit::PumpMessages(300);
    winkit::PressKey('N');
    winkit::PumpMessages(500);
  }
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(tree) != FALSE; }, 5000));

  PostMessageA(frame, WM_USER + 998, 0, 0);
  EXPECT_TRUE(uploader.WaitForExit(kStartTimeoutMs));
  DeleteFileA(first.c_str());
  DeleteFileA(second.c_str());
  DeleteFileA(broken.c_str());
  RemoveDirectoryA(pictures.c_str());
}
