// The tray menu in this process with a stand-in main window: its page commands per skin
// layout, the service pages through a recording browser launcher, the float-window and login
// items and their labels, and the messages that hide it or leave it.
#include <windows.h>
#include <windowsx.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "client/core/client_config.h"
#include "client/core/win/shell_operations.h"
#include "client/core/win/tray_frame.h"
#include "client/ui/tests/win/control_test_support.h"
#include "client/ui/win/tray_menu.h"
#include "tests/winkit/winkit.h"

namespace mb {
namespace {

std::vector<std::string> mainWindowLog;

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP) {
    mainWindowLog.push_back(std::string(message == WM_LBUTTONDOWN ? "down " : "up ") + std::to_string(wParam) +
                            " " + std::to_string(GET_X_LPARAM(lParam)) + "," + std::to_string(GET_Y_LPARAM(lParam)));
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

struct FakeMainWindow final : TrayMenuTarget {
  HWND window = nullptr;
  bool tabElements = false;
  HWND Window() const override { return window; }
  void ShowTabFromTray(int tab) override { mainWindowLog.push_back("tab " + std::to_string(tab)); }
  bool TabElementOrigin(int id, POINT& topLeft) const override {
    topLeft = {(id - 10000) * 50, 10};
    return tabElements;
  }
  void ResetPagesAfterLogin() override { mainWindowLog.push_back("reset"); }
};

struct RecordingLauncher final : BrowserLauncher {
  std::vector<std::string> urls;
  bool NavigateNewWindow(const std::string& url) override {
    urls.push_back(url);
    return true;
  }
  bool ShellOpen(const std::string&, const std::string&, int) override { return false; }
};

TEST(TrayMenu, CommandsReachThePagesTheServicePagesAndRelabelTheirItems) {
  winkit::InstallFolder folder({});
  ASSERT_TRUE(CreateClientConfig({folder.Root(), "http://svc"}));
  ClientConfig& config = *GetClientConfig();
  WNDCLASSA mainClass = {};
  mainClass.lpfnWndProc = MainWindowProc;
  mainClass.hInstance = GetModuleHandleA(nullptr);
  mainClass.lpszClassName = "mbtest.TrayMain";
  RegisterClassA(&mainClass);
  RecordingLauncher launcher;
  SetBrowserLauncher(&launcher);

  struct Case {
    int layout;
    bool tabElements;
    std::vector<std::string> pages;  // after 20300 and then 20303
    const char* loggedOut;
    const char* loggedIn;
  };
  const Case cases[] = {
      {1, false, {"tab 20001", "tab 20000"}, "登录", "注销"},
      {2, true, {"down 1 52,12", "up 8 152,112", "down 1 2,12"}, "登  录", "注  销"},
      {3, false, {"tab 20001", "tab 20000"}, "登  录", "注  销"},
  };
  for (const Case& c : cases) {
    uitest::CurrentSkin skin(c.layout);
    FakeMainWindow main;
    main.tabElements = c.tabElements;
    main.window = CreateWindowA("mbtest.TrayMain", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    config.loggedIn = 1;
    config.showFloatWindow = 0;
    TrayMenu menu(c.layout, &main);
    ASSERT_TRUE(menu.CreateMenuWindow()) << c.layout;
    const HWND hwnd = menu.Handle();
    EXPECT_EQ(config.trayMenuWindow, hwnd);
    EXPECT_EQ(menu.ItemText(kTrayLogin), c.loggedIn);
    auto command = [hwnd](int id) { SendMessageA(hwnd, WM_COMMAND, static_cast<WPARAM>(id), 0); };

    mainWindowLog.clear();
    command(kTrayDownloadPage);
    command(kTrayWallpaperPage);
    EXPECT_EQ(mainWindowLog, c.pages) << c.layout;
    EXPECT_TRUE(IsWindowVisible(main.window));

    launcher.urls.clear();
    command(kTrayHelp);
    command(kTrayHomePage);
    EXPECT_EQ(launcher.urls, (std::vector<std::string>{"http://svc/service.jsp", "http://svc"}));

    command(kTrayFloatWindow);
    EXPECT_EQ(config.showFloatWindow, 1);
    EXPECT_EQ(menu.ItemText(kTrayFloatWindow), "关拖拽框");
    SendMessageA(hwnd, WM_LOGIN_STATE_CHANGED, 1, 0);
    EXPECT_EQ(menu.ItemText(kTrayFloatWindow), "开拖拽框");

    // Logged in, the login item logs out at once: no dialog, the pages are reset.
    mainWindowLog.clear();
    command(kTrayLogin);
    EXPECT_EQ(config.loggedIn, 0);
    EXPECT_EQ(menu.ItemText(kTrayLogin), c.loggedOut);
    EXPECT_EQ(mainWindowLog, std::vector<std::string>{"reset"});
    SendMessageA(hwnd, WM_LOGIN_STATE_CHANGED, 0, 0);
    EXPECT_EQ(menu.ItemText(kTrayLogin), c.loggedIn);

    ShowWindow(hwnd, SW_SHOW);
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindowVisible(hwnd));
    SendMessageA(hwnd, WM_ACTIVATEAPP, 0, 0);
    EXPECT_FALSE(IsWindowVisible(hwnd));
    menu.DestroyMenuWindow();
    EXPECT_EQ(config.trayMenuWindow, nullptr);
    DestroyWindow(main.window);
  }
  SetBrowserLauncher(nullptr);
  DestroyClientConfig();
}

}  // namespace
}  // namespace mb
