#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <gtest/gtest.h>

#include "framework/application.h"
#include "framework/frame_window.h"
#include "framework/module.h"
#include "framework/splitter_window.h"
#include "framework/status_bar.h"
#include "framework/tests/framework_test_ids.h"
#include "framework/tool_bar.h"

namespace {
LPARAM At(int x, int y) { return MAKELPARAM(x, y); }
}  // namespace

// A frame from its resources with a toolbar, a status bar and a splitter: the title comes from
// the string resource, command rules reach menu items and buttons alike, a no-text pane keeps no
// text, and the splitter's bars move within the minimum and skip hidden columns.
TEST(FramePieces, FrameBarsCommandRulesAndSplitter) {
  fw::Module::Init(GetModuleHandleA(nullptr));
  fw::FrameWindow frame;
  ASSERT_TRUE(frame.LoadFrame(IDR_TEST_FRAME));
  char title[64] = "";
  GetWindowTextA(frame.Handle(), title, sizeof title);
  EXPECT_STREQ(title, "测试框架");

  fw::ToolBar toolBar;
  ASSERT_TRUE(toolBar.Create(frame.Handle(), 59392));
  toolBar.AddButton(ID_TEST_CHECKED, I_IMAGENONE, "勾选");
  toolBar.AddButton(ID_TEST_GREY, I_IMAGENONE, "灰色");
  toolBar.Show(true);
  frame.SetToolBar(&toolBar, 40);
  ShowWindow(frame.Handle(), SW_SHOWNA);
  fw::StatusBar status;
  ASSERT_TRUE(status.Create(frame.Handle(), 59393, 3));
  status.SetPanes({100, 80, -1}, {fw::kPaneNormal, fw::kPaneNoText, fw::kPanePopOut});
  status.SetPaneText(0, "状态");
  status.SetPaneText(1, "hidden");
  char text[32] = "";
  SendMessageA(status.Handle(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "状态");
  EXPECT_EQ(LOWORD(SendMessageA(status.Handle(), SB_GETTEXTLENGTHA, 1, 0)), 0);
  EXPECT_EQ(HIWORD(SendMessageA(status.Handle(), SB_GETTEXTLENGTHA, 2, 0)) & SBT_POPOUT, SBT_POPOUT);

  bool checked = true;
  frame.Commands().Define(ID_TEST_CHECKED, [&checked] { return fw::CheckedIf(checked); });
  frame.Commands().Define(ID_TEST_GREY, [] { return fw::EnabledIf(false); });
  HMENU popup = GetSubMenu(GetMenu(frame.Handle()), 0);
  SendMessageA(frame.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
  EXPECT_TRUE(GetMenuState(popup, ID_TEST_CHECKED, MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_TRUE(GetMenuState(popup, ID_TEST_GREY, MF_BYCOMMAND) & MF_GRAYED);
  frame.OnIdle();
  EXPECT_TRUE(SendMessageA(toolBar.Handle(), TB_ISBUTTONCHECKED, ID_TEST_CHECKED, 0));
  EXPECT_FALSE(SendMessageA(toolBar.Handle(), TB_ISBUTTONENABLED, ID_TEST_GREY, 0));
  checked = false;
  frame.OnIdle();
  EXPECT_FALSE(SendMessageA(toolBar.Handle(), TB_ISBUTTONCHECKED, ID_TEST_CHECKED, 0));

  fw::SplitterWindow splitter;
  ASSERT_TRUE(splitter.Create(frame.Handle(), 1, 3, 0xE900));
  HWND panes[3];
  for (int i = 0; i < 3; ++i) {
    panes[i] = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, splitter.Handle(), nullptr,
                               nullptr, nullptr);
    splitter.SetPane(0, i, panes[i]);
  }
  splitter.SetColumnInfo(0, 100, 50);
  splitter.SetColumnInfo(1, 200, 50);
  frame.SetStatusBar(&status);
  frame.SetClientPane(splitter.Handle());
  SetWindowPos(frame.Handle(), nullptr, 0, 0, 600, 400, SWP_NOZORDER | SWP_SHOWWINDOW);
  RECT client, pane, area;
  GetClientRect(frame.Handle(), &client);
  GetWindowRect(splitter.Handle(), &area);
  MapWindowPoints(nullptr, frame.Handle(), reinterpret_cast<POINT*>(&area), 2);
  EXPECT_EQ(area.top, 40);
  EXPECT_EQ(area.bottom, client.bottom - status.Height());
  auto width = [&](int i) {
    GetWindowRect(panes[i], &pane);
    return static_cast<int>(pane.right - pane.left);
  };
  EXPECT_EQ(width(0), 100);
  EXPECT_EQ(width(2), client.right - 100 - 200 - 2 * fw::SplitterWindow::kBar);

  // Dragging the first bar 30 pixels left, then far past the minimum.
  SendMessageA(splitter.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(101, 10));
  SendMessageA(splitter.Handle(), WM_MOUSEMOVE, MK_LBUTTON, At(71, 10));
  EXPECT_EQ(width(0), 70);
  SendMessageA(splitter.Handle(), WM_MOUSEMOVE, MK_LBUTTON, At(-200, 10));
  SendMessageA(splitter.Handle(), WM_LBUTTONUP, 0, At(-200, 10));
  EXPECT_EQ(width(0), 50);

  // A hidden column gives its room to the last shown one, and comes back where it was.
  splitter.HideColumn(1);
  EXPECT_FALSE(IsWindowVisible(panes[1]));
  EXPECT_EQ(width(2), client.right - 50 - fw::SplitterWindow::kBar);
  splitter.HideColumn(2);
  EXPECT_EQ(splitter.HiddenColumnCount(), 2);
  EXPECT_EQ(width(0), client.right);
  splitter.ShowColumn(1);
  splitter.ShowColumn(2);
  EXPECT_TRUE(IsWindowVisible(panes[1]));
  EXPECT_EQ(width(1), 200);
  frame.Destroy();
}

// Settings under the program's key: numbers and texts come back as written; the recent list
// takes its entries in order and stops at its size.
TEST(FramePieces, ProfileSettingsRoundTrip) {
  fw::ProfileSettings settings;
  EXPECT_EQ(settings.GetInt("Settings", "Missing", 7), 7);
  EXPECT_FALSE(settings.WriteInt("Settings", "Any", 1));  // no root: nothing is stored
  settings.SetRoot("应用程序测试", "framework_tests");
  ASSERT_TRUE(settings.WriteInt("Settings", "Count", 42));
  ASSERT_TRUE(settings.WriteString("Settings", "Name", "壁纸"));
  for (const char* file : {"File1", "File2", "File3"}) ASSERT_TRUE(settings.WriteString("Recent File List", file, file));
  EXPECT_EQ(settings.GetInt("Settings", "Count", 0), 42);
  EXPECT_EQ(settings.GetString("Settings", "Name", ""), "壁纸");
  EXPECT_EQ(settings.GetString("Settings", "Count", "not a text"), "not a text");
  settings.LoadRecentList(2);
  EXPECT_EQ(settings.RecentList(), (std::vector<std::string>{"File1", "File2"}));
  for (const char* key : {"Software\\应用程序测试\\framework_tests\\Settings",
                          "Software\\应用程序测试\\framework_tests\\Recent File List",
                          "Software\\应用程序测试\\framework_tests", "Software\\应用程序测试"}) {
    RegDeleteKeyA(HKEY_CURRENT_USER, key);
  }
}
