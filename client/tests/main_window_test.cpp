// The main window in-process, on the skin of each layout: the tabs' login rule from the tab bar
// and from the tray, the pages' places, a second start's link handed over by a real second
// muralbox.exe and run after the start-up requests, and a screenshot of each layout.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include "client/core/client_config.h"
#include "client/core/win/startup.h"
#include "client/ui/tests/win/control_test_support.h"
#include "client/ui/win/browser_toolbar_button.h"
#include "client/ui/win/main_window.h"
#include "client/ui/win/uploader_launch.h"
#include "common/win/com_ptr.h"
#include "framework/module.h"
#include "tests/winkit/winkit.h"

namespace mb {
namespace {

const char kCaption[] = "墨岚屏[Pelora]-系统消息";
const char kNotLoggedIn[] = "您还没有登陆,请先登陆";

struct Recorded {
  std::vector<std::string> links;
  std::vector<std::string> popups;
};

// A main window on a layout's skin with recording links to the rest of the client.
struct Harness {
  Harness(int layout, int loggedIn, const std::string& popupPage = "") : skin(layout) {
    fw::Module::Init(GetModuleHandleA(nullptr));
    CreateClientConfig(ClientLocation{folder.Root(), "http://127.0.0.1:1"});
    ClientConfig& config = *GetClientConfig();
    config.skinLayout = layout;
    config.loggedIn = loggedIn;
    config.minutes = 7;
    config.seconds = 30;
    config.SetSharedText(&ClientConfig::noticePageUrl, popupPage);
    MainWindowLinks links;
    links.handleLink = [this](const std::string& link) { recorded.links.push_back(link); };
    links.showPopupPage = [this](HWND, const std::string& address) { recorded.popups.push_back(address); };
    window = std::make_unique<MainWindow>(links);
    window->Create(nullptr);
    ShowWindow(window->Handle(), SW_SHOWNOACTIVATE);
    winkit::PumpMessages(200);
  }
  ~Harness() {
    window.reset();
    DestroyClientConfig();
  }
  // Runs the call while another thread answers the message box it shows; the box's text.
  template <typename Fn>
  std::string Answering(Fn&& call) {
    std::string text;
    std::thread answer([&] { winkit::AnswerMessageBox(kCaption, IDOK, 10000, &text, GetCurrentProcessId()); });
    call();
    answer.join();
    return text;
  }
  RECT PagePlace(UINT tab) const {
    RECT r{};
    GetWindowRect(window->PageWindow(tab), &r);
    MapWindowPoints(nullptr, window->Handle(), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  std::string Title() const {
    char text[64] = {};
    GetWindowTextA(window->Handle(), text, sizeof(text));
    return text;
  }

  ComApartment com;
  winkit::TempFolder folder;
  uitest::CurrentSkin skin;
  Recorded recorded;
  std::unique_ptr<MainWindow> window;
};

bool Visible(HWND page) { return page && IsWindowVisible(page); }

TEST(MainWindowTest, TabsAskForALoginFromTheBarAndTheTray) {
  Harness h(2, 0);
  MainWindow& w = *h.window;
  RECT client{};
  GetClientRect(w.Handle(), &client);
  EXPECT_EQ(client.right, 732);
  EXPECT_EQ(w.CurrentPageNumber(), 10000);
  EXPECT_TRUE(Visible(w.PageWindow(kTabWallpaperSettings)));

  // Logged out, the upload tab refuses and leaves the current page.
  LRESULT answer = 0;
  EXPECT_EQ(h.Answering([&] { answer = w.Send(WM_COMMAND, kTabUpload); }), kNotLoggedIn);
  EXPECT_EQ(answer, 1);
  EXPECT_EQ(w.PageWindow(kTabUpload), nullptr);
  EXPECT_EQ(w.CurrentPageNumber(), 10000);

  // From the tray, the parameters tab opens after the same message; the download tab does not.
  ShowWindow(w.Handle(), SW_HIDE);
  EXPECT_EQ(h.Answering([&] { w.ShowTabFromTray(kTabParameters); }), kNotLoggedIn);
  winkit::PumpMessages(100);
  EXPECT_TRUE(IsWindowVisible(w.Handle()));
  EXPECT_EQ(w.CurrentPageNumber(), 10004);
  EXPECT_EQ(h.Title(), "参数设置");
  EXPECT_TRUE(Visible(w.PageWindow(kTabParameters)));
  EXPECT_FALSE(Visible(w.PageWindow(kTabWallpaperSettings)));
  char minutes[8] = {}, seconds[8] = {};
  GetDlgItemTextA(w.PageWindow(kTabParameters), IDC_PAGE_MINUTES_SETTINGS, minutes, sizeof(minutes));
  GetDlgItemTextA(w.PageWindow(kTabParameters), IDC_PAGE_SECONDS_SETTINGS, seconds, sizeof(seconds));
  EXPECT_EQ(std::string(minutes) + ":" + seconds, "7:30");
  EXPECT_EQ(h.Answering([&] { w.ShowTabFromTray(kTabDownload); }), kNotLoggedIn);
  winkit::PumpMessages(100);
  EXPECT_EQ(w.CurrentPageNumber(), 10004);
  EXPECT_EQ(w.PageWindow(kTabDownload), nullptr);

  // Logged in, each page is made once in its place; Esc and F5 never reach the pages.
  GetClientConfig()->loggedIn = 1;
  EXPECT_EQ(w.Send(WM_COMMAND, kTabDownload), 0);
  const HWND download = w.PageWindow(kTabDownload);
  const RECT place = h.PagePlace(kTabDownload);
  EXPECT_EQ(place.left, 9);
  EXPECT_EQ(place.top, 73);
  EXPECT_EQ(place.right - place.left, 689);
  EXPECT_EQ(place.bottom - place.top, 298);
  EXPECT_TRUE(Visible(download));
  EXPECT_FALSE(Visible(w.PageWindow(kTabParameters)));
  EXPECT_EQ(h.Title(), "壁纸下载");
  MSG escape{w.Handle(), WM_KEYDOWN, VK_ESCAPE, 0};
  MSG refresh{download, WM_KEYDOWN, VK_F5, 0};
  EXPECT_TRUE(fw::Window::WalkPreTranslateChain(escape));
  EXPECT_TRUE(fw::Window::WalkPreTranslateChain(refresh));
  w.Send(WM_COMMAND, kTabParameters);
  w.Send(WM_COMMAND, kTabDownload);
  EXPECT_EQ(w.PageWindow(kTabDownload), download);

  // The float window's drop: the upload page with the picture's path and name.
  w.OpenUploadWithPicture("C:\\pictures\\sea side.jpg");
  winkit::PumpMessages(100);
  EXPECT_EQ(w.CurrentPageNumber(), 10002);
  char path[MAX_PATH] = {}, title[MAX_PATH] = {};
  GetDlgItemTextA(w.PageWindow(kTabUpload), IDC_UPLOAD_PATH, path, MAX_PATH);
  GetDlgItemTextA(w.PageWindow(kTabUpload), IDC_UPLOAD_TITLE, title, MAX_PATH);
  EXPECT_STREQ(path, "C:\\pictures\\sea side.jpg");
  EXPECT_STREQ(title, "sea side.jpg");
  EXPECT_EQ(GetClientConfig()->uploaderRunning, 1);

  // After a login from the tray the personal page is made afresh and the settings page shows.
  w.Send(WM_COMMAND, kTabPersonal);
  const HWND personal = w.PageWindow(kTabPersonal);
  ASSERT_NE(personal, nullptr);
  w.ResetPagesAfterLogin();
  winkit::PumpMessages(100);
  EXPECT_EQ(w.CurrentPageNumber(), 10000);
  w.Send(WM_COMMAND, kTabPersonal);
  EXPECT_FALSE(IsWindow(personal));
  EXPECT_TRUE(Visible(w.PageWindow(kTabPersonal)));

  // Every start registers the browser's toolbar button for this program.
  char exec[MAX_PATH] = {}, program[MAX_PATH] = {};
  DWORD size = sizeof(exec);
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kBrowserToolbarButtonKey, 0, KEY_READ, &key), ERROR_SUCCESS);
  RegQueryValueExA(key, "Exec", nullptr, nullptr, reinterpret_cast<BYTE*>(exec), &size);
  RegCloseKey(key);
  GetModuleFileNameA(nullptr, program, MAX_PATH);
  EXPECT_STREQ(exec, program);

  // The close element only hides the window.
  w.Send(WM_COMMAND, 20006);
  EXPECT_FALSE(IsWindowVisible(w.Handle()));
  EXPECT_TRUE(w.IsWindow());
}

TEST(MainWindowTest, SecondStartsLinkIsQueuedAndRunAfterTheStartUpRequests) {
  // This process plays the running client: its event and its main window.
  HANDLE running = CreateEventA(nullptr, FALSE, TRUE, "MuralboxFrame");
  PendingLinks().Push("\"muralbox://127.0.0.1/samples/first.jpg\"");
  PendingLinks().Push("\"MURALBOX://127.0.0.1/samples/second.jpg\"");
  const std::string notice = "http://127.0.0.1:1/kivane/notice/1.html";
  Harness h(1, 1, notice);
  uitest::WaitUntil([&] { return h.recorded.links.size() == 2; }, 3000);
  EXPECT_EQ(h.recorded.popups, (std::vector<std::string>{notice})) << "the pop-up page opens once, first";
  ASSERT_EQ(h.recorded.links.size(), 2u);
  EXPECT_EQ(h.recorded.links[1], "\"MURALBOX://127.0.0.1/samples/second.jpg\"");
  EXPECT_TRUE(PendingLinks().Empty());

  winkit::InstallFolder install({"muralbox.exe"});
  winkit::ChildProcess second;
  ASSERT_TRUE(second.Start(install.Path("muralbox.exe"), "\"muralbox://127.0.0.1/samples/third.jpg\"", install.Root()));
  EXPECT_TRUE(second.WaitForExit(20000));
  EXPECT_TRUE(uitest::WaitUntil([&] { return h.recorded.links.size() == 3; }, 5000));
  ASSERT_EQ(h.recorded.links.size(), 3u);
  EXPECT_EQ(h.recorded.links[2], "\"muralbox://127.0.0.1/samples/third.jpg\"");
  EXPECT_EQ(h.recorded.popups.size(), 1u) << "a handed-over link does not open the pop-up page again";
  CloseHandle(running);
}

TEST(MainWindowTest, EachLayoutDrawsItsBackgroundAndPlacesItsPages) {
  for (int layout = 1; layout <= 3; ++layout) {
    SCOPED_TRACE(layout);
    Harness h(layout, 1);
    MainWindow& w = *h.window;
    w.ShowTabFromTray(kTabDownload);
    winkit::PumpMessages(300);
    EXPECT_EQ(w.CurrentPageNumber(), 10001);
    const RECT place = h.PagePlace(kTabDownload);
    const RECT expected = layout == 1 ? RECT{6, 136, 6 + 528, 136 + 318}
                          : layout == 2 ? RECT{9, 73, 9 + 689, 73 + 298}
                                        : RECT{18, 74, 18 + 673, 74 + 318};
    EXPECT_TRUE(EqualRect(&place, &expected))
        << place.left << "," << place.top << "," << place.right << "," << place.bottom;
    const winkit::RgbImage shot = uitest::SaveScreenshot(w.Handle(), "main_window_layout" + std::to_string(layout));
    EXPECT_EQ(shot.Width(), layout == 1 ? 540 : 732);
    const RECT corner{20, 20, 60, 30};
    EXPECT_EQ(uitest::PixelsDifferingFromImage(shot, h.skin.Files(), "main_bk", 0, 0, "main_bk", &corner), 0);
  }
}

}  // namespace
}  // namespace mb

namespace mb {
namespace {

// A running batch uploader as the client sees it: a window with the uploader's title that logs
// the messages of a hand-over in order.
struct UploaderStub {
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* log = reinterpret_cast<std::vector<std::string>*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (log && msg == WM_SETTEXT) log->push_back("text " + std::string(reinterpret_cast<const char*>(lParam)));
    if (log && msg == WM_OPEN_PICTURE_PATH) log->push_back("open");
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  UploaderStub() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = Proc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "mbtest.UploaderStub";
    RegisterClassA(&windowClass);
    window = CreateWindowExA(0, windowClass.lpszClassName, "Pelora--壁纸批量上传工具", WS_OVERLAPPEDWINDOW, 0, 0,
                             100, 100, nullptr, nullptr, windowClass.hInstance, nullptr);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&log));
  }
  ~UploaderStub() { DestroyWindow(window); }
  HWND window;
  std::vector<std::string> log;
};

TEST(HoistlyHandOverTest, RunningProgramIsHandedThePictureAndAMissingOneIsReported) {
  winkit::TempFolder folder;
  const std::string picture = folder.Root() + "我的 图片.jpg";
  HANDLE file = CreateFileA(picture.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
  UploaderStub uploader;
  // The path with blanks around it, from the page's edit: the text first, then the open message.
  SendPictureToBatchUploader("  " + picture + " ", 10);
  EXPECT_TRUE(uitest::WaitUntil([&] {
    winkit::PumpMessages(10);
    return uploader.log.size() >= 2;
  }, 10000));
  EXPECT_EQ(uploader.log, (std::vector<std::string>{"text " + picture, "open"}));
  // A hung window gives the hand-over up instead of holding it.
  uploader.log.clear();
  const DWORD started = GetTickCount();
  std::thread hung([&] { EXPECT_FALSE(HandPictureToUploader(uploader.window, picture)); });
  Sleep(kUploaderMessageTimeoutMs + 1000);
  hung.join();
  EXPECT_LT(GetTickCount() - started, 2 * kUploaderMessageTimeoutMs + 2000);
  winkit::PumpMessages(50);

  // No program in the folder: the message, nothing started.
  EXPECT_EQ(BatchUploaderPath("C:\\a\\"), "C:\\a\\Hoistly.exe");
  EXPECT_EQ(BatchUploaderPath("C:\\a"), "C:\\a\\Hoistly.exe");
  std::string text;
  std::thread launch([&] { EXPECT_FALSE(LaunchBatchUploader(folder.Root(), "user name")); });
  EXPECT_TRUE(winkit::AnswerMessageBox("墨岚屏[Pelora]-系统消息", IDOK, 10000, &text, GetCurrentProcessId()));
  launch.join();
  EXPECT_EQ(text, "上传组件已丢失!");
}

}  // namespace
}  // namespace mb
