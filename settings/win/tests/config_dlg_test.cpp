#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "settings/win/set_resource.h"
#include "tests/winkit/screenshot.h"
#include "tests/winkit/standin_client.h"
#include "tests/winkit/winkit.h"
#include "uploader/hoistly_resource.h"

namespace {

const DWORD kTimeoutMs = 30000;

template <typename Condition>
bool WaitUntil(Condition condition) {
  for (DWORD waited = 0; waited < kTimeoutMs && !condition(); waited += 50) Sleep(50);
  return condition();
}

// Hoistly as the client starts it: the member's name is the whole command line.
class Uploader {
 public:
  bool Start(const winkit::InstallFolder& folder, std::string member) {
    STARTUPINFOA startup = {sizeof startup};
    return CreateProcessA(folder.Path("Hoistly.exe").c_str(), member.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.Root().c_str(), &startup, &info_) != FALSE;
  }
  ~Uploader() {
    if (!info_.hProcess) return;
    if (WaitForSingleObject(info_.hProcess, kTimeoutMs) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 1);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  DWORD Id() const { return info_.dwProcessId; }

 private:
  PROCESS_INFORMATION info_ = {};
};

// The settings dialog as a command to that window opens it, once it shows.
HWND OpenSettings(HWND window, UINT command, DWORD processId) {
  PostMessageA(window, WM_COMMAND, command, 0);
  HWND dialog = winkit::WaitForWindow("#32770", "设置", kTimeoutMs, processId);
  return WaitUntil([dialog] { return IsWindowVisible(dialog) != FALSE; }) ? dialog : nullptr;
}

// The page in the frame: the visible child dialog holding that control; null when not shown.
HWND ShownPageWith(HWND dialog, int controlId) {
  for (HWND child = FindWindowExA(dialog, nullptr, "#32770", nullptr); child;
       child = FindWindowExA(dialog, child, "#32770", nullptr)) {
    if (IsWindowVisible(child) && GetDlgItem(child, controlId)) return child;
  }
  return nullptr;
}

HWND SelectNode(HWND dialog, int index) {
  HWND tree = GetDlgItem(dialog, IDC_CONFIG_TREE);
  LPARAM item = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
  for (int i = 0; i < index; ++i) item = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, item);
  SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, item);
  const int marks[] = {IDC_AUTO_LOGIN, IDC_COLUMN_FILE_NAME, IDC_RANGE_TICKED};
  return ShownPageWith(dialog, marks[index]);
}

std::string HeaderText(HWND dialog) {
  for (HWND child = FindWindowExA(dialog, nullptr, "#32770", nullptr); child;
       child = FindWindowExA(dialog, child, "#32770", nullptr)) {
    if (GetDlgItem(child, IDC_HEADER_TEXT) && !GetDlgItem(child, IDC_VIEW_REPORT)) {
      char text[128] = "";
      GetDlgItemTextA(child, IDC_HEADER_TEXT, text, sizeof text);
      return text;
    }
  }
  return "";
}

bool Checked(HWND page, int id) { return SendMessageA(GetDlgItem(page, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void Close(HWND dialog, int button) {
  PostMessageA(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([dialog] { return !IsWindow(dialog); }));
}

}  // namespace

// Hoistly's settings command: the three pages with their header texts; "详细资料" and OK give
// config.dat listview=1, the report view and rebuilt columns; the list's column command opens at
// the browse page once; "缩图图" and OK give thumbnails; Cancel after changes on every page
// leaves config.dat and userlist.dat as they were.
TEST(SettingsDialog, HoistlySettingsCommandAppliesShownPagesOnly) {
  winkit::StandinSession standin;
  winkit::InstallFolder folder({"Hoistly.exe", "Framework.dll", "ZelBase.dll", "Thumbrill.dll", "Set.dll",
                                "Conf.dll", "Upload.dll", "Tabvane.dll"});
  ASSERT_TRUE(folder.Install("Res\\view.ico", "Res\\view.ico"));
  Uploader uploader;
  ASSERT_TRUE(uploader.Start(folder, "会员甲"));
  const DWORD id = uploader.Id();
  HWND frame = winkit::WaitForWindow(nullptr, "Pelora--壁纸批量上传工具", kTimeoutMs, id);
  ASSERT_NE(frame, nullptr);
  HWND list = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    list = FindWindowExA(GetDlgItem(GetDlgItem(frame, ID_INNER_SPLITTER), ID_PANE_IMAGE_VIEW), nullptr, WC_LISTVIEWA, nullptr);
    return list != nullptr;
  }));
  auto listMode = [list] { return GetWindowLongA(list, GWL_STYLE) & LVS_TYPEMASK; };
  EXPECT_EQ(listMode(), LVS_ICON);

  // The toolbar's command: the general page first, then each page with its description.
  HWND dialog = OpenSettings(frame, 32889, id);
  ASSERT_NE(dialog, nullptr);
  HWND general = ShownPageWith(dialog, IDC_AUTO_LOGIN);
  ASSERT_NE(general, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return HeaderText(dialog) == "常规设置可以设置墨岚屏客户端运行的默认行为"; }));
  winkit::SaveClientScreenshot(dialog, "settings_general");
  HWND range = SelectNode(dialog, 2);
  ASSERT_NE(range, nullptr);
  EXPECT_FALSE(IsWindowVisible(general));
  EXPECT_EQ(HeaderText(dialog), "图片操作范围设置可以设置默认的图片操作对象");
  EXPECT_TRUE(Checked(range, IDC_RANGE_TICKED) != Checked(range, IDC_RANGE_HIGHLIGHTED));
  winkit::SaveClientScreenshot(dialog, "settings_range");
  HWND browse = SelectNode(dialog, 1);
  ASSERT_NE(browse, nullptr);
  EXPECT_EQ(HeaderText(dialog), "图片浏览设置可以设置您浏览图片文件的方式");
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(browse, IDC_COLUMN_FILE_NAME)));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(browse, IDC_COLUMN_PK)));
  EXPECT_TRUE(Checked(browse, IDC_VIEW_THUMBNAILS));
  winkit::SaveClientScreenshot(dialog, "settings_browse");

  // "详细资料" (the two view boxes act as one choice) with the path column turned over.
  const bool pathShown = Checked(browse, IDC_COLUMN_FILE_PATH);
  SendMessageA(GetDlgItem(browse, IDC_VIEW_REPORT), BM_CLICK, 0, 0);
  SendMessageA(GetDlgItem(browse, IDC_COLUMN_FILE_PATH), BM_CLICK, 0, 0);
  EXPECT_FALSE(Checked(browse, IDC_VIEW_THUMBNAILS));
  Close(dialog, IDOK);
  const std::string config = folder.Path("config.dat");
  EXPECT_NE(winkit::ReadTextFile(config).find("listview=1"), std::string::npos) << winkit::ReadTextFile(config);
  EXPECT_EQ(listMode(), LVS_REPORT);
  EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 1, 0) > 0, !pathShown);  // column 1: the path

  // The list's column command opens at the browse page, once.
  dialog = OpenSettings(list, 32787, id);
  ASSERT_NE(dialog, nullptr);
  browse = ShownPageWith(dialog, IDC_COLUMN_FILE_NAME);
  ASSERT_NE(browse, nullptr);
  EXPECT_TRUE(Checked(browse, IDC_VIEW_REPORT));
  SendMessageA(GetDlgItem(browse, IDC_VIEW_THUMBNAILS), BM_CLICK, 0, 0);
  Close(dialog, IDOK);
  EXPECT_NE(winkit::ReadTextFile(config).find("listview=0"), std::string::npos);
  EXPECT_EQ(listMode(), LVS_ICON);

  // Cancel after changes on every page: both files stay byte for byte.
  const std::string users = folder.Path("userlist.dat");
  const std::string configBefore = winkit::ReadTextFile(config), usersBefore = winkit::ReadTextFile(users);
  dialog = OpenSettings(frame, 32786, id);
  ASSERT_NE(dialog, nullptr);
  general = ShownPageWith(dialog, IDC_AUTO_LOGIN);
  ASSERT_NE(general, nullptr);
  for (int box : {IDC_AUTO_LOGIN, IDC_RECORD_PASSWORD, IDC_HIDE_TO_TRAY, IDC_EXIT_TIP}) {
    SendMessageA(GetDlgItem(general, box), BM_CLICK, 0, 0);
  }
  browse = SelectNode(dialog, 1);
  ASSERT_NE(browse, nullptr);
  SendMessageA(GetDlgItem(browse, IDC_VIEW_REPORT), BM_CLICK, 0, 0);
  range = SelectNode(dialog, 2);
  ASSERT_NE(range, nullptr);
  SendMessageA(GetDlgItem(range, IDC_RANGE_NO_DIALOG), BM_CLICK, 0, 0);
  Close(dialog, IDCANCEL);
  EXPECT_EQ(winkit::ReadTextFile(config), configBefore);
  EXPECT_EQ(winkit::ReadTextFile(users), usersBefore);
  EXPECT_EQ(listMode(), LVS_ICON);

  PostMessageA(frame, WM_USER + 998, 0, 0);  // the client's close message; the process ends
}
