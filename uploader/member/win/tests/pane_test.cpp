// The picture settings pane in the test host against the stand-in service: the member's albums,
// album creation (refused locally, failed on garbage), a row's settings written back when
// another row is shown, and the actives list with its numbers.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/winkit/screenshot.h"
#include "tests/winkit/standin_client.h"
#include "tests/winkit/winkit.h"
#include "uploader/member/win/member_resources.h"

namespace {

const char kTitle[] = "墨岚屏[Pelora]-系统消息";

// Read as UTF-16: texts of another process's controls do not survive the ANSI round trip.
std::string ComboText(HWND combo, int index) {
  wchar_t text[256] = {};
  if (SendMessageW(combo, CB_GETLBTEXTLEN, index, 0) >= 256) return "(too long)";
  SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
  char bytes[512] = {};
  WideCharToMultiByte(936, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
  return bytes;
}

std::string ComboItems(HWND combo) {
  std::string items;
  const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) items += ComboText(combo, i) + ";";
  return items;
}

class PaneHost {
 public:
  PaneHost() : folder_({"member_host.exe", "Conf.dll", "ZelBase.dll", "Framework.dll"}) {
    winkit::WriteTextFile(folder_.Path("userlist.dat"),
                          "[DEFAULTUSER]\r\nUserName=demo\r\nPassword=\r\nbAutoLogin=0\r\nbRecordPW=0\r\n");
    winkit::WriteTextFile(folder_.Path("classify.dat"), "1:风景:NULL\r\n2:山水:风景\r\n3:湖泊:山水\r\n4:动物:NULL\r\n");
    winkit::WriteTextFile(folder_.Path("actives.dat"), "5:夏日活动\r\n6:冬季活动   \r\n");
    winkit::WriteTextFile(folder_.Path("themes.dat"), "9:城市\r\n");
  }
  ~PaneHost() {
    if (frame_) PostMessageA(frame_, WM_CLOSE, 0, 0);
    process_.WaitForExit(10000);
  }
  bool Start() {
    if (!process_.Start(folder_.Path("member_host.exe"), "pane", folder_.Root())) return false;
    frame_ = winkit::WaitForWindow(nullptr, "member host", 30000, process_.Id());
    if (!WaitForReport("pane-ready")) return false;
    const HWND view = frame_ ? GetWindow(frame_, GW_CHILD) : nullptr;
    dialog_ = view ? FindWindowExA(view, nullptr, "#32770", nullptr) : nullptr;
    return dialog_ != nullptr;
  }
  HWND Item(int id) const { return GetDlgItem(dialog_, id); }
  HWND Dialog() const { return dialog_; }
  HWND Frame() const { return frame_; }
  DWORD Id() const { return process_.Id(); }
  void Click(int id) { PostMessageA(Item(id), BM_CLICK, 0, 0); }
  void Choose(int comboId, int index) {
    SendMessageA(Item(comboId), CB_SETCURSEL, index, 0);
    PostMessageA(dialog_, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(Item(comboId)));
  }
  void ShowRow(int row) { PostMessageA(frame_, WM_APP + row, 0, 0); }
  void Type(int editId, const char* text) {
    SendMessageA(Item(editId), EM_SETSEL, 0, -1);
    for (const char* c = text; *c; ++c) PostMessageA(Item(editId), WM_CHAR, static_cast<unsigned char>(*c), 0);
  }
  bool WaitForReport(const std::string& line, DWORD timeoutMs = 20000) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
      if (Reports().find(line + "\n") != std::string::npos) return true;
      winkit::PumpMessages(50);
    }
    return false;
  }
  std::string Reports() const { return winkit::ReadTextFile(folder_.Path("host.out")); }

 private:
  winkit::InstallFolder folder_;
  winkit::ChildProcess process_;
  HWND frame_ = nullptr;
  HWND dialog_ = nullptr;
};

// Presses "添加...", types the name and OK; returns the text of the box that answers.
std::string AddAlbum(PaneHost& host, const char* name, bool screenshot = false) {
  host.Click(IDC_LIMIT_ADD_ALBUM);
  const HWND add = winkit::WaitForWindow("#32770", "Pelora--添加专辑", 20000, host.Id());
  if (!add) return "(no dialog)";
  SetWindowTextA(GetDlgItem(add, IDC_ADD_SPECIAL_NAME), name);
  if (screenshot) winkit::CaptureWindowToPng(add, winkit::ScreenshotPath("uploader_add_album_dialog"));
  PostMessageA(GetDlgItem(add, IDOK), BM_CLICK, 0, 0);
  std::string text;
  if (!winkit::AnswerMessageBox(kTitle, IDOK, 20000, &text, host.Id())) return "(no answer)";
  if (IsWindow(add)) PostMessageA(add, WM_COMMAND, IDCANCEL, 0);  // a refused name keeps it open
  for (int i = 0; i < 200 && IsWindow(add); ++i) winkit::PumpMessages(50);
  return text;
}

TEST(HoistlySettingsPane, AlbumsRowsAndActives) {
  winkit::StandinSession session;
  PaneHost host;
  ASSERT_TRUE(host.Start());
  // The service keeps albums made by earlier runs after its own two.
  EXPECT_EQ(ComboItems(host.Item(IDC_LIMIT_ALBUM)).rfind("默认专辑;我的收藏;", 0), 0u);
  EXPECT_EQ(ComboItems(host.Item(IDC_LIMIT_CLASS_1)), "风景;动物;");
  EXPECT_EQ(ComboItems(host.Item(IDC_LIMIT_CLASS_3)), "湖泊;");
  EXPECT_EQ(ComboItems(host.Item(IDC_LIMIT_ACCESS)), "公开;私人;");
  winkit::CaptureWindowToPng(host.Frame(), winkit::ScreenshotPath("uploader_settings_pane_full"));

  // Creation: a known name is refused here, a new one is created and selected, garbage fails.
  session.Mark();
  EXPECT_EQ(AddAlbum(host, "  我的收藏 ", true), "该专辑已经存在!");
  const std::string run = std::to_string(GetTickCount() % 100000);
  EXPECT_EQ(AddAlbum(host, ("旅行 照片&" + run).c_str()), "添加分类成功!");
  const auto created = session.Requests();
  ASSERT_EQ(created.size(), 1u);
  EXPECT_EQ(created[0].path, "/common/upload/addalbum_client.jsp");
  EXPECT_EQ(created[0].query, "userid=demo&v=%C2%C3%D0%D0%20%D5%D5%C6%AC%26" + run);
  const HWND albums = host.Item(IDC_LIMIT_ALBUM);
  EXPECT_EQ(ComboText(albums, static_cast<int>(SendMessageA(albums, CB_GETCURSEL, 0, 0))), "旅行 照片&" + run);
  const LRESULT count = SendMessageA(albums, CB_GETCOUNT, 0, 0);
  ASSERT_TRUE(session.Control("fault /common/upload/addalbum_client.jsp garbage")) << session.Error();
  EXPECT_EQ(AddAlbum(host, "新的"), "添加分类失败!");
  EXPECT_EQ(SendMessageA(albums, CB_GETCOUNT, 0, 0), count);

  // Row 3 edited, then row 5 shown: row 3's settings go back first; row 5's showing is no change.
  host.ShowRow(3);
  ASSERT_TRUE(host.WaitForReport("shown=3"));
  host.Type(IDC_LIMIT_TITLE, "Lake");
  host.Type(IDC_LIMIT_TAG, "t");
  host.Click(IDC_LIMIT_KIND_ORIGINAL);
  host.Choose(IDC_LIMIT_ALBUM, 0);
  host.Choose(IDC_LIMIT_ACCESS, 1);
  host.ShowRow(5);
  ASSERT_TRUE(host.WaitForReport("shown=5"));
  host.ShowRow(4);
  ASSERT_TRUE(host.WaitForReport("shown=4"));
  EXPECT_NE(host.Reports().find("apply=3|Lake||t|原创-风景-山水-湖泊|私人|3|1|1|\n"), std::string::npos)
      << host.Reports();
  EXPECT_EQ(host.Reports().find("apply=5"), std::string::npos);

  // "活动": the actives, cleanly, in the compact layout; the active's number is the picture type.
  host.Click(IDC_LIMIT_KIND_ACTIVE);
  for (int i = 0; i < 100 && IsWindowVisible(host.Item(IDC_LIMIT_ALBUM)); ++i) winkit::PumpMessages(20);
  EXPECT_FALSE(IsWindowVisible(host.Item(IDC_LIMIT_CLASS_2)));
  EXPECT_FALSE(IsWindowVisible(host.Item(IDC_LIMIT_ALBUM)));
  EXPECT_EQ(ComboItems(host.Item(IDC_LIMIT_CLASS_1)), "夏日活动;冬季活动;");
  host.Choose(IDC_LIMIT_CLASS_1, 1);
  winkit::PumpMessages(200);
  winkit::CaptureWindowToPng(host.Frame(), winkit::ScreenshotPath("uploader_settings_pane_compact"));
  host.ShowRow(6);
  ASSERT_TRUE(host.WaitForReport("shown=6"));
  EXPECT_NE(host.Reports().find("apply=4|row4|||活动-冬季活动|公开|6|2|0|\n"), std::string::npos) << host.Reports();

  host.Click(IDC_LIMIT_UPLOAD);
  EXPECT_TRUE(host.WaitForReport("command=32818"));
}

}  // namespace
