// The client's login road under Wine against the stand-in service: the dialog typed into, the
// service's refusals, automatic login, the recommended pictures and the exit through the tray frame.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include <cstdint>
#include <string>

#include "client/core/md5_digest.h"
#include "client/core/password_cipher.h"
#include "client/core/service_url.h"
#include "client/tests/installed_client.h"
#include "skin/engine/tests/installed_skin.h"
#include "tests/winkit/screenshot.h"
#include "tests/winkit/standin_client.h"
#include "tests/winkit/winkit.h"

namespace {

void TypeAndPressOK(HWND login, const std::string& user, const std::string& password, bool remember) {
  SetDlgItemTextA(login, 1000, user.c_str());
  SetDlgItemTextA(login, 1001, password.c_str());
  SendDlgItemMessageA(login, 1003, BM_SETCHECK, remember ? BST_CHECKED : BST_UNCHECKED, 0);
  PostMessageA(login, WM_COMMAND, IDOK, 0);
}

TEST(Login, TypedAccountLogsInFetchesTheRecommendedPicturesAndExitsThroughTheFrame) {
  winkit::StandinSession standin;
  Client client;
  const HWND login = client.StartToTheDialog();
  ASSERT_NE(login, nullptr);
  winkit::CaptureWindowToPng(login, ScreenshotFolder() + "login_dialog_layout2.png");

  TypeAndPressOK(login, kZhangSan, "123456", true);
  ASSERT_NE(client.Main(), nullptr);

  const auto logins = RequestsTo(standin, "/kivane/passport.jsp");
  ASSERT_EQ(logins.size(), 1u);
  EXPECT_EQ(logins[0].query, "user=" + mb::PercentEncode(kZhangSan) + "&pass=" + mb::Md5Hex("123456") +
                                 "&clientver=1&confver=1");
  // The recommended pictures land in their category folders and the list's stamp is kept.
  ASSERT_TRUE(WaitForRequest(standin, "/samples/", 3));
  for (int i = 0; i < 100 && !winkit::FileExists(client.folder.Path("top10.dat")); ++i) Sleep(50);
  EXPECT_TRUE(winkit::FileExists(client.folder.Path("wallpaper\\风景\\top-lake.jpg")));
  EXPECT_TRUE(winkit::FileExists(client.folder.Path("wallpaper\\城市建筑\\top-city.png")));
  EXPECT_FALSE(winkit::FileExists(client.folder.Path("wallpaper\\风景\\top-lake.jpg.part")));
  EXPECT_EQ(winkit::ReadTextFile(client.folder.Path("top10.dat")), std::string("\x02\0\0\0", 4));

  client.ExitAndWait();
  const std::string conf = client.Conf();
  EXPECT_NE(conf.find("user=" + kZhangSan + "\r\n"), std::string::npos) << conf;
  EXPECT_NE(conf.find("savepass=1\r\n"), std::string::npos);
  const std::string stored = mb::EncryptPasswordHex("123456", mb::PasswordStorageKey());
  EXPECT_NE(conf.find("userlist=" + kZhangSan + "::" + stored + "::1::1\r\n"), std::string::npos) << conf;
  EXPECT_NE(conf.find("reporturl=http://"), std::string::npos);  // the reply's addresses were kept
}

TEST(Login, AWrongPasswordAndAStalledServerBringTheDialogBackAndALinkEndsIt) {
  winkit::StandinSession standin;
  Client client;
  ASSERT_TRUE(winkit::WriteTextFile(client.folder.Path("conf.dat"), "[USER]\r\nregister=1\r\n"));
  const HWND login = client.StartToTheDialog();
  ASSERT_NE(login, nullptr);

  TypeAndPressOK(login, "demo", "wrong", false);
  std::string text;
  ASSERT_TRUE(winkit::AnswerMessageBox(kCaption, IDOK, kWaitMs, &text, client.process.Id()));
  EXPECT_EQ(text, "用户名,密码错误");
  EXPECT_TRUE(WaitVisible(login, true));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(login, IDOK)));

  ASSERT_TRUE(standin.Control("fault /kivane/passport.jsp stall"));
  const DWORD sent = GetTickCount();
  TypeAndPressOK(login, "demo", "demo", false);
  ASSERT_TRUE(winkit::AnswerMessageBox(kCaption, IDOK, 45000, &text, client.process.Id()));
  EXPECT_LT(GetTickCount() - sent, 40000u);
  EXPECT_EQ(text, "登陆服务器超时,请检测是否联网或服务器是否开通");
  EXPECT_TRUE(WaitVisible(login, true));
  ASSERT_TRUE(standin.Control("clear"));

  // A second start's link reaches the dialog, whose link handler asks for the category at once;
  // cancelled, the login dialog gives way to the main window. Nobody logged in: no registration.
  winkit::ChildProcess second;
  ASSERT_TRUE(second.Start(client.folder.Path("muralbox.exe"), "\"muralbox://pic/1.jpg\"", client.folder.Root()));
  ASSERT_TRUE(second.WaitForExit(kWaitMs));
  HWND linkDialog = winkit::WaitForWindow("#32770", "壁纸下载", kWaitMs, client.process.Id());
  ASSERT_NE(linkDialog, nullptr);
  EXPECT_TRUE(IsWindow(login));
  EXPECT_EQ(winkit::WaitForWindowWithProperty("MuralboxMainWnd", 0, client.process.Id()), nullptr);
  PostMessageA(linkDialog, WM_COMMAND, IDCANCEL, 0);
  for (int i = 0; i < 500 && IsWindow(linkDialog); ++i) Sleep(10);
  EXPECT_FALSE(IsWindow(linkDialog));
  ASSERT_NE(client.Main(), nullptr);
  client.ExitAndWait();
  EXPECT_EQ(client.Conf().find("userlist="), std::string::npos);
  EXPECT_TRUE(RequestsTo(standin, "/regist.jsp").empty());
}

TEST(Login, AutomaticLoginShowsNoWindowAndTheSameListIsNotFetchedTwice) {
  winkit::StandinSession standin;
  Client client;
  const std::string stored = mb::EncryptPasswordHex("demo", mb::PasswordStorageKey());
  ASSERT_TRUE(winkit::WriteTextFile(client.folder.Path("conf.dat"),
                                    "[USER]\r\nuser=demo\r\nautostart=1\r\nsavepass=1\r\nisfirstrun=0\r\n"
                                    "userlist=demo::" + stored + "::1::1\r\n"));
  for (int run = 0; run < 2; ++run) {
    standin.Mark();
    ASSERT_TRUE(client.Start());
    HWND login = client.Login();
    ASSERT_NE(login, nullptr) << run;
    // Until the main window stands, the login dialog is never seen.
    HWND main = nullptr;
    for (int i = 0; i < 400 && !main; ++i) {
      EXPECT_FALSE(IsWindow(login) && IsWindowVisible(login)) << run;
      main = winkit::WaitForWindowWithProperty("MuralboxMainWnd", 0, client.process.Id());
      Sleep(25);
    }
    ASSERT_NE(main, nullptr) << run;
    ASSERT_EQ(RequestsTo(standin, "/kivane/passport.jsp").size(), 1u);
    EXPECT_NE(RequestsTo(standin, "/kivane/passport.jsp")[0].query.find("pass=" + mb::Md5Hex("demo")),
              std::string::npos);
    ASSERT_TRUE(WaitForRequest(standin, "/client/yhtj1.html"));
    if (run == 0) {
      ASSERT_TRUE(WaitForRequest(standin, "/samples/", 3));
      for (int i = 0; i < 100 && !winkit::FileExists(client.folder.Path("top10.dat")); ++i) Sleep(50);
    } else {
      Sleep(1000);
      EXPECT_TRUE(RequestsTo(standin, "/samples/").empty());
    }
    client.ExitAndWait();
  }
}

TEST(LoginDialog, PlacesItsControlsForEachSkinLayout) {
  struct Expected {
    int layout;
    POINT account;
    POINT ok;
    const char* okText;
    bool labelsApart;
  };
  const Expected layouts[] = {
      {1, {96, 60}, {192, 60}, "登录", false},
      {2, {135, 73}, {250, 135}, "登 陆", false},
      {3, {75, 81}, {213, 139}, "登 陆", true},
  };
  for (const Expected& e : layouts) {
    Client client(e.layout);
    const HWND login = client.StartToTheDialog();
    ASSERT_NE(login, nullptr);
    // The skin draws the whole dialog: no system caption pushes the picture down.
    EXPECT_EQ(GetWindowLongPtrA(login, GWL_STYLE) & WS_CAPTION, 0);
    winkit::CaptureWindowToPng(login, ScreenshotFolder() + "login_dialog_layout" + std::to_string(e.layout) + ".png");
    auto place = [login](int id) {
      RECT r = {};
      GetWindowRect(GetDlgItem(login, id), &r);
      POINT p = {r.left, r.top};
      ScreenToClient(login, &p);
      return p;
    };
    EXPECT_EQ(place(1000).x, e.account.x) << e.layout;
    EXPECT_EQ(place(1000).y, e.account.y) << e.layout;
    EXPECT_EQ(place(IDOK).x, e.ok.x) << e.layout;
    EXPECT_EQ(place(IDOK).y, e.ok.y) << e.layout;
    char text[32] = {};
    GetDlgItemTextA(login, IDOK, text, sizeof text);
    EXPECT_STREQ(text, e.okText);
    EXPECT_EQ(IsWindowVisible(GetDlgItem(login, 1022)) != FALSE, e.labelsApart);
    GetWindowTextA(login, text, sizeof text);
    EXPECT_STREQ(text, "用户登陆");
    PostMessageA(login, WM_COMMAND, 20006, 0);
    ASSERT_NE(client.Main(), nullptr);
    client.ExitAndWait();
  }
}

TEST(TrayFrame, TheCarouselStepsThroughThePicturesAndExitWritesTheLists) {
  winkit::StandinSession standin;
  Client client;
  const std::string folder = client.folder.Path("wallpaper\\本地\\");
  ASSERT_TRUE(winkit::MakeFolders(folder));
  const std::string pictures[] = {folder + "a.bmp", folder + "b.bmp", folder + "c.bmp"};
  std::string list;
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(winkit::WriteTextFile(pictures[i], SmallBmp(static_cast<unsigned char>(60 * (i + 1)))));
    list += pictures[i] + "\n";
  }
  ASSERT_TRUE(winkit::WriteTextFile(client.folder.Path("wallpaper.dat"), list));
  const std::string stored = mb::EncryptPasswordHex("demo", mb::PasswordStorageKey());
  ASSERT_TRUE(winkit::WriteTextFile(client.folder.Path("conf.dat"),
                                    "[USER]\r\nuser=demo\r\nautostart=1\r\nsavepass=1\r\nisfirstrun=0\r\n"
                                    "wallpaperapply=1\r\nmin=0\r\nsec=2\r\ncurrwallpaper=2\r\n"
                                    "userlist=demo::" + stored + "::1::1\r\n"));
  const std::string before = DesktopWallpaper();  // left by an earlier test, or empty
  ASSERT_TRUE(client.Start());
  ASSERT_NE(client.Main(), nullptr);

  // The carousel starts at the first picture without showing it, then steps every 2 seconds.
  std::vector<std::string> shown;
  std::string page;
  for (int i = 0; i < 300 && shown.size() < 3; ++i) {
    const std::string now = DesktopWallpaper();
    if (!now.empty() && now != (shown.empty() ? before : shown.back())) {
      shown.push_back(now);
      page = winkit::ReadTextFile(client.folder.Path("wallpaper\\wallpaper.html"));
      EXPECT_NE(page.find("src='.\\本地\\" + now.substr(folder.size()) + "'"), std::string::npos) << page;
    }
    Sleep(50);
  }
  // In turn from the second picture and round to the first. A player held up by a loaded machine
  // for more than a period may show the later of two queued steps only: one picture skipped, the
  // order kept.
  ASSERT_EQ(shown.size(), 3u);
  auto indexOf = [&pictures](const std::string& path) {
    return static_cast<int>(std::find(pictures, pictures + 3, path) - pictures);
  };
  int previous = 0;  // the carousel starts at the first picture without showing it
  bool wrapped = false;
  for (const std::string& now : shown) {
    const int index = indexOf(now);
    ASSERT_LT(index, 3) << now;
    const int stride = (index - previous + 3) % 3;
    EXPECT_TRUE(stride == 1 || stride == 2) << "from " << previous << " to " << index;
    wrapped = wrapped || index < previous;
    previous = index;
  }
  EXPECT_TRUE(wrapped);

  // The batch uploader's window is told to close first.
  struct UploaderWindow {
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
      if (msg == 0x7E6) SetPropA(hwnd, "closeAsked", reinterpret_cast<HANDLE>(1));
      return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
  };
  WNDCLASSA uploaderClass = {};
  uploaderClass.lpfnWndProc = UploaderWindow::Proc;
  uploaderClass.hInstance = GetModuleHandleA(nullptr);
  uploaderClass.lpszClassName = "mbtest.Uploader";
  RegisterClassA(&uploaderClass);
  HWND uploader = CreateWindowExA(0, "mbtest.Uploader", "Pelora--壁纸批量上传工具", WS_OVERLAPPEDWINDOW, 0, 0,
                                  100, 100, nullptr, nullptr, uploaderClass.hInstance, nullptr);
  const DWORD exitAsked = GetTickCount();
  client.ExitAndWait();
  winkit::PumpMessages(200);
  EXPECT_NE(GetPropA(uploader, "closeAsked"), nullptr);
  RemovePropA(uploader, "closeAsked");
  DestroyWindow(uploader);
  EXPECT_LT(GetTickCount() - exitAsked, 15000u);
  EXPECT_NE(client.Conf().find("currwallpaper="), std::string::npos);
  EXPECT_EQ(winkit::ReadTextFile(client.folder.Path("wallpaper.dat")), list);
}

}  // namespace
