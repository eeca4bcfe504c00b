#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "editor/win/pane_splitter_wnd.h"
#include "image/picture.h"
#include "tests/winkit/screenshot.h"
#include "tests/winkit/standin_client.h"
#include "tests/winkit/winkit.h"
#include "uploader/tests/hoistly_driver.h"
#include "uploader/hoistly_resource.h"
#include "uploader/member/win/member_resources.h"

namespace {

constexpr int kBar = mb::editor::PaneSplitterWnd::kBarWidth;

using namespace hoistlytest;

// Red on the left half, blue on the right: turned clockwise, red is on top.
void WriteTwoColourPicture(const std::string& path, mb::PictureFormat format) {
  mb::Picture picture;
  ASSERT_TRUE(picture.Create(120, 80, {0, 0, 255, 255}));
  for (int y = 0; y < 80; ++y) {
    for (int x = 0; x < 60; ++x) picture.SetPixelColor(x, y, {255, 0, 0, 255});
  }
  ASSERT_TRUE(picture.Save(path, format)) << picture.LastError();
}

void ExpectTurnedClockwise(const std::string& path) {
  mb::Picture picture;
  ASSERT_TRUE(picture.Load(path)) << path;
  EXPECT_EQ(picture.Width(), 80) << path;
  EXPECT_EQ(picture.Height(), 120) << path;
  EXPECT_GT(picture.GetPixelColor(40, 20).r, 200) << path;
  EXPECT_GT(picture.GetPixelColor(40, 100).b, 200) << path;
}

}  // namespace

// The whole start-up road: the frame with its title, panes, menus, toolbar, search box and status
// bar; the data files brought up to date, where only whole downloads replace a file; a second copy
// that brings the hidden frame back and ends; the client's close message ends the program.
TEST(Hoistly, FrameStartsForTheMemberAndKeepsOneCopy) {
  winkit::StandinSession standin;
  ASSERT_TRUE(standin.Control("fault /admin/actives.dat 404\nfault /admin/themes.dat truncate")) << standin.Error();
  winkit::InstallFolder folder(kProgram);
  InstallIcons(folder);
  ASSERT_TRUE(winkit::WriteTextFile(folder.Path("actives.dat"), "kept actives"));
  ASSERT_TRUE(winkit::WriteTextFile(folder.Path("themes.dat"), "kept themes"));

  Uploader first;
  ASSERT_TRUE(first.Start(folder.Path(""), "会员甲"));
  HWND frame = winkit::WaitForWindow(nullptr, kTitle, kStartTimeoutMs, first.Id());
  ASSERT_NE(frame, nullptr);
  winkit::PumpMessages(500);
  EXPECT_TRUE(IsWindowVisible(frame));
  EXPECT_TRUE(IsZoomed(frame));

  EXPECT_NE(GetMenu(frame), nullptr);

  // Toolbar: thirteen buttons, three hidden; the search box.
  HWND toolBar = Child(frame, TOOLBARCLASSNAMEA, 59392);
  ASSERT_NE(toolBar, nullptr);
  EXPECT_TRUE(IsWindowVisible(toolBar));
  EXPECT_EQ(SendMessageA(toolBar, TB_BUTTONCOUNT, 0, 0), 13);
  for (int id : {32939, 32940, 32941}) EXPECT_TRUE(SendMessageA(toolBar, TB_ISBUTTONHIDDEN, id, 0)) << id;
  // Enabled at idle time by the list's state: an empty list has nothing to upload, tick or turn.
  for (int id : {32887, 32933, 32889, 32890, 32888}) EXPECT_TRUE(SendMessageA(toolBar, TB_ISBUTTONENABLED, id, 0)) << id;
  for (int id : {32895, 32891, 32892, 32893, 32894}) EXPECT_FALSE(SendMessageA(toolBar, TB_ISBUTTONENABLED, id, 0)) << id;
  HWND combo = Child(frame, "ComboBox", 8886);
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 5);
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 3);
  EXPECT_NE(Child(frame, "Edit", 8988), nullptr);
  EXPECT_EQ(Text(Child(frame, "Button", 8889)), "壁纸搜索");

  // Status bar: four panes, the progress bar over the second, hidden until an upload.
  HWND status = Child(frame, STATUSCLASSNAMEA, 59393);
  ASSERT_NE(status, nullptr);
  EXPECT_EQ(SendMessageA(status, SB_GETPARTS, 0, 0), 4);
  HWND progress = Child(status, PROGRESS_CLASSA, 10000);
  ASSERT_NE(progress, nullptr);
  EXPECT_FALSE(IsWindowVisible(progress));

  // Four panes in two splitters: three columns, the third split in two rows.
  HWND inner = GetDlgItem(frame, ID_INNER_SPLITTER);
  ASSERT_NE(inner, nullptr);
  HWND outer = GetDlgItem(inner, ID_OUTER_SPLITTER);
  ASSERT_NE(outer, nullptr);
  RECT tree, info, limit;
  GetWindowRect(GetDlgItem(inner, ID_PANE_FOLDER_TREE), &tree);
  GetWindowRect(GetDlgItem(outer, ID_PANE_INFO), &info);
  GetWindowRect(GetDlgItem(outer, ID_PANE_IMAGE_LIMIT), &limit);
  EXPECT_EQ(tree.right - tree.left, 200);
  EXPECT_EQ(info.right - info.left, 220 - 2 * kBar);  // what the first two columns and their bars leave
  EXPECT_EQ(info.bottom - info.top, 220);
  EXPECT_GT(limit.top, info.bottom - 1);
  Sleep(1500);
  winkit::SaveClientScreenshot(frame, "hoistly_frame");

  // The side panes close and open again: the third column goes when both are closed.
  HWND infoPane = GetDlgItem(outer, ID_PANE_INFO), limitPane = GetDlgItem(outer, ID_PANE_IMAGE_LIMIT);
  RECT view, wider;
  GetWindowRect(GetDlgItem(inner, ID_PANE_IMAGE_VIEW), &view);
  SendMessageA(frame, WM_COMMAND, 32906, 0);
  EXPECT_FALSE(IsWindowVisible(infoPane));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(outer) != FALSE; }));
  GetWindowRect(limitPane, &limit);
  EXPECT_EQ(limit.top, info.top);  // the settings pane takes the whole column
  SendMessageA(frame, WM_COMMAND, 32907, 0);
  EXPECT_FALSE(IsWindowVisible(outer));
  GetWindowRect(GetDlgItem(inner, ID_PANE_IMAGE_VIEW), &wider);
  EXPECT_EQ(wider.right, info.right);  // the picture view reaches the frame's edge
  EXPECT_GT(wider.right, view.right);
  SendMessageA(frame, WM_USER + 55, 2, 0);  // the information pane's close button again: shown
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(outer) != FALSE; }));
  EXPECT_TRUE(IsWindowVisible(infoPane));
  EXPECT_FALSE(IsWindowVisible(limitPane));
  SendMessageA(frame, WM_COMMAND, 32907, 0);
  EXPECT_TRUE(IsWindowVisible(limitPane));

  // Data files: the whole classify.dat arrived; a 404 and a cut-off body changed nothing.
  const winkit::StandinReply classify = winkit::SendToStandin("GET", "/admin/classify.dat");
  ASSERT_EQ(classify.status, 200);
  EXPECT_EQ(winkit::ReadTextFile(folder.Path("classify.dat")), classify.body);
  EXPECT_EQ(winkit::ReadTextFile(folder.Path("actives.dat")), "kept actives");
  EXPECT_EQ(winkit::ReadTextFile(folder.Path("themes.dat")), "kept themes");

  // The engine's reports in the status bar (compared by length in characters: a status bar's text
  // does not cross processes).
  auto paneLength = [status](int pane) { return static_cast<int>(LOWORD(SendMessageA(status, SB_GETTEXTLENGTHA, pane, 0))); };
  auto chars = [](const char* text) { return MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0) - 1; };
  SendMessageA(frame, WM_USER + 7, 10, 0);  // first connection
  EXPECT_EQ(paneLength(0), chars("连接服务器成功,开始传送文件!"));
  SendMessageA(frame, WM_USER + 8, 0, 0);  // a block acknowledged: the progress bar shows
  EXPECT_TRUE(IsWindowVisible(progress));
  SendMessageA(frame, WM_USER + 7, 9, 0);  // all sent
  EXPECT_EQ(paneLength(0), chars("传送完成！"));
  EXPECT_EQ(paneLength(2) + paneLength(3), 0);
  EXPECT_FALSE(IsWindowVisible(progress));
  SendMessageA(frame, WM_USER + 8, 0, 0);
  SendMessageA(frame, WM_USER + 35, 0, 0);  // connection failed
  EXPECT_EQ(paneLength(0), chars("上传失败!"));
  EXPECT_FALSE(IsWindowVisible(progress));

  // Full-screen editing: the bars go and the picture view takes the whole screen; then back.
  SendMessageA(frame, WM_USER + 27, 0, 0);
  EXPECT_FALSE(IsWindowVisible(toolBar));
  EXPECT_FALSE(IsWindowVisible(status));
  RECT full;
  GetWindowRect(GetDlgItem(inner, ID_PANE_IMAGE_VIEW), &full);
  EXPECT_EQ(full.right - full.left, GetSystemMetrics(SM_CXSCREEN) - kBar);  // less the empty first column's bar
  SendMessageA(frame, WM_USER + 27, 1, 0);
  EXPECT_TRUE(IsWindowVisible(toolBar));
  EXPECT_TRUE(IsWindowVisible(status));
  GetWindowRect(GetDlgItem(inner, ID_PANE_FOLDER_TREE), &tree);
  EXPECT_EQ(tree.right - tree.left, 200);

  // The toolbar's About button opens the About dialog over the frame.
  PostMessageA(frame, WM_COMMAND, 32890, 0);
  HWND about = winkit::WaitForWindow("#32770", "关于 Hoistly", kStartTimeoutMs, first.Id());
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(GetWindow(about, GW_OWNER), frame);
  EXPECT_TRUE(winkit::AnswerMessageBox("关于 Hoistly", IDOK, kStartTimeoutMs, nullptr, first.Id()));

  // Closing hides the frame (the tray setting); a second copy brings it back and ends.
  PostMessageA(frame, WM_CLOSE, 0, 0);
  for (int i = 0; i < 50 && IsWindowVisible(frame); ++i) Sleep(100);
  EXPECT_FALSE(IsWindowVisible(frame));
  Uploader second;
  ASSERT_TRUE(second.Start(folder.Path(""), "会员乙"));
  ASSERT_TRUE(second.WaitForExit(kStartTimeoutMs));
  EXPECT_TRUE(IsWindowVisible(frame));
  EXPECT_TRUE(IsZoomed(frame));
  EXPECT_EQ(FindWindowExA(nullptr, frame, nullptr, kTitle), nullptr);

  // The client's exit message ends the program without a question.
  PostMessageA(frame, WM_USER + 998, 0, 0);
  ASSERT_TRUE(first.WaitForExit(kStartTimeoutMs));

  // The next start fetches only the files still older than the service's: classify.dat's version
  // was kept.
  standin.Mark();
  Uploader next;
  ASSERT_TRUE(next.Start(folder.Path(""), "会员丙"));
  HWND again = winkit::WaitForWindow(nullptr, kTitle, kStartTimeoutMs, next.Id());
  ASSERT_NE(again, nullptr);
  std::vector<std::string> fetched;
  for (const winkit::StandinRequest& request : standin.Requests()) fetched.push_back(request.path);
  // (The settings pane asks for the member's albums first.)
  EXPECT_EQ(fetched, (std::vector<std::string>{"/common/upload/albumlist_client.jsp", "/admin/version.txt",
                                               "/admin/actives.dat", "/admin/themes.dat"}));
  PostMessageA(again, WM_USER + 998, 0, 0);
  EXPECT_TRUE(next.WaitForExit(kStartTimeoutMs));
}

// Started by hand (its own path on the command line) it starts the client minimised, after
// letting go of its single-instance event, shows no window and ends after the client.
TEST(Hoistly, StartedByHandRunsTheClientInstead) {
  winkit::InstallFolder folder(kProgram);
  ASSERT_TRUE(folder.Install("client_standin.exe", "muralbox.exe"));
  Uploader uploader;
  const std::string program = folder.Path("Hoistly.exe");  // "...\Hoistly.exe"
  ASSERT_TRUE(uploader.Start(folder.Path(""), "\"" + program + "\""));
  const std::string marker = folder.Path("client_started.txt");
  for (int i = 0; i < 300 && !winkit::FileExists(marker); ++i) Sleep(100);
  EXPECT_EQ(winkit::ReadTextFile(marker), "show=" + std::to_string(SW_MINIMIZE) + " event=0");
  EXPECT_EQ(winkit::WaitForWindow(nullptr, kTitle, 300, uploader.Id()), nullptr);
  EXPECT_FALSE(uploader.WaitForExit(200));  // still waiting for the client
  EXPECT_TRUE(uploader.WaitForExit(kStartTimeoutMs));
}

// Hoistly with its real panes: the folder tree opens a folder of pictures in the list, the
// login command logs out and the login dialog logs in against the stand-in service, the settings
// pane writes a row's settings into its columns, the rotate command turns the ticked files on
// disk, and the client's "edit this picture" opens the picture editor with its menu until left.
TEST(HoistlyWired, TreeListLoginSettingsRotationAndEditor) {
  winkit::StandinSession standin;
  winkit::InstallFolder folder(kProgram);
  // The pictures in a folder under C:\, where the tree reaches it through the computer's drives.
  const std::string pictures = "C:\\hoistly_wired_" + std::to_string(GetCurrentProcessId());
  ASSERT_TRUE(winkit::MakeFolders(pictures));
  const std::string jpeg = pictures + "\\a.jpg", bitmap = pictures + "\\b.bmp";
  WriteTwoColourPicture(jpeg, mb::PictureFormat::kJpeg);
  WriteTwoColourPicture(bitmap, mb::PictureFormat::kBmp);

  Uploader uploader;
  ASSERT_TRUE(uploader.Start(folder.Path(""), "张三"));
  const DWORD id = uploader.Id();
  HWND frame = winkit::WaitForWindow(nullptr, kTitle, kStartTimeoutMs, id);
  ASSERT_NE(frame, nullptr);
  HWND inner = GetDlgItem(frame, ID_INNER_SPLITTER);
  HWND tree = GetDlgItem(inner, ID_PANE_FOLDER_TREE);
  HWND view = GetDlgItem(inner, ID_PANE_IMAGE_VIEW);
  HWND limit = GetDlgItem(GetDlgItem(inner, ID_OUTER_SPLITTER), ID_PANE_IMAGE_LIMIT);
  ASSERT_TRUE(tree && view && limit);

  // The view's "select this folder" goes to the tree by path; the tree's choice opens the folder.
  HWND list = OpenFolderList(tree, view, id, pictures, 2);
  ASSERT_NE(list, nullptr);
  Sleep(1500);
  winkit::SaveClientScreenshot(frame, "hoistly_frame_wired");

  // Logged in at the start: the login command logs out; again, it shows the dialog, which logs in
  // against the service. Uploading is offered only to a member logged in.
  HWND toolBar = GetDlgItem(frame, ID_VIEW_TOOLBAR);
  auto uploadOffered = [toolBar] { return SendMessageA(toolBar, TB_ISBUTTONENABLED, 32895, 0) != 0; };
  EXPECT_TRUE(WaitUntil(uploadOffered));
  SendMessageA(frame, WM_COMMAND, 32853, 0);
  EXPECT_TRUE(WaitUntil([&] { return !uploadOffered(); }));
  PostMessageA(frame, WM_COMMAND, 32853, 0);
  HWND login = winkit::WaitForWindow("#32770", "用户登录", kStartTimeoutMs, id);
  ASSERT_NE(login, nullptr);
  SetWindowTextA(GetDlgItem(login, IDC_LOGIN_USER), "张三");
  SetWindowTextA(GetDlgItem(login, IDC_LOGIN_PASSWORD), "123456");
  PostMessageA(GetDlgItem(login, IDOK), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil(uploadOffered));
  EXPECT_FALSE(IsWindow(login));

  // A row shown in the settings pane, its title and tag typed; showing the next row writes them
  // into the row's columns.
  const std::string untouched = CellText(list, id, 0, 8);
  ClickRow(list, id, 0);
  HWND settings = FindChild(limit, "#32770", false);
  ASSERT_NE(settings, nullptr);
  WaitUntil([&] { return GetWindowTextLengthA(GetDlgItem(settings, IDC_LIMIT_TITLE)) > 0; }, 3000);
  // Typed, as the pane tells typing from its own filling in.
  auto type = [settings](int editId, const char* text) {
    SendMessageA(GetDlgItem(settings, editId), EM_SETSEL, 0, -1);
    for (const char* c = text; *c; ++c) PostMessageA(GetDlgItem(settings, editId), WM_CHAR, static_cast<unsigned char>(*c), 0);
  };
  type(IDC_LIMIT_TITLE, "Lake");
  type(IDC_LIMIT_TAG, "blue");
  ClickRow(list, id, 1);
  EXPECT_TRUE(WaitUntil([&] { return CellText(list, id, 0, 4) == "Lake"; })) << CellText(list, id, 0, 4);
  EXPECT_EQ(CellText(list, id, 0, 12), "blue");
  EXPECT_EQ(CellText(list, id, 0, 8), untouched);

  // Rotate right with both rows ticked: both files turn clockwise on disk.
  SendMessageA(frame, WM_COMMAND, 32891, 0);
  PostMessageA(frame, WM_COMMAND, 32894, 0);
  EXPECT_TRUE(winkit::AnswerMessageBox("选择图片操作范围", IDOK, kStartTimeoutMs, nullptr, id));  // the range asked first
  EXPECT_TRUE(WaitUntil([&] {
    mb::Picture turned;
    return turned.Load(bitmap) && turned.Width() == 80;
  }));
  ExpectTurnedClockwise(jpeg);
  ExpectTurnedClockwise(bitmap);

  // The client's "edit this picture": the editor takes the list's place and the side panes' column
  // gives way to the editing menu; leaving the editor brings both back. (Another process cannot
  // read the menu bar itself.)
  HWND outer = GetDlgItem(inner, ID_OUTER_SPLITTER);
  SetWindowTextA(frame, jpeg.c_str());
  PostMessageA(frame, WM_USER + 999, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return FindChild(view, "#32770", true) != nullptr; }));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(outer); }));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(list); }));
  EXPECT_TRUE(WaitUntil([&] { return GetWindowTextLengthA(frame) > 0 && FindWindowA(nullptr, kTitle) == frame; }));
  PostMessageA(frame, WM_COMMAND, 32844, 0);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(list) != FALSE; }));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(outer) != FALSE; }));

  PostMessageA(frame, WM_USER + 998, 0, 0);
  EXPECT_TRUE(uploader.WaitForExit(kStartTimeoutMs));
  DeleteFileA(jpeg.c_str());
  DeleteFileA(bitmap.c_str());
  RemoveDirectoryA(pictures.c_str());
}
