// The client's roads as a member walks them, with real mouse clicks and typed keys against the
// running muralbox.exe: exits while a login dialog stands, a second start's link during a login
// from the tray, the tray's page items in each layout, and Esc and F5 typed into a page.
// Messages are posted only to set a scene: the tray icon's right click, which the rig's
// notification area does not show.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "client/core/password_cipher.h"
#include "client/core/win/hover_helper.h"
#include "client/tests/installed_client.h"
#include "client/ui/skin/skin_layouts.h"
#include "tests/winkit/member_input.h"
#include "tests/winkit/screenshot.h"

namespace {

using mb::skin::SkinWindow;

const char kWrongPassword[] = "用户名,密码错误";
const char kNotLoggedIn[] = "您还没有登陆,请先登陆";
const char kLinkDialogTitle[] = "壁纸下载";
const char kLogoutNotice[] = "/kivane/member/exit.jsp";

// A skin element's rectangle in its owner's client coordinates, from the layout tables.
RECT ElementRect(HWND owner, SkinWindow window, int layout, int id) {
  RECT client = {};
  GetClientRect(owner, &client);
  for (const mb::skin::SkinElementSpec& spec : mb::skin::SkinLayoutElements(window, layout)) {
    if (spec.id != id) continue;
    const mb::skin::Rect r = mb::skin::AnchorRect(spec.rect, client.right, client.bottom);
    return {r.left, r.top, r.right, r.bottom};
  }
  ADD_FAILURE() << "no element " << id;
  return {};
}

bool ClickSkinElement(HWND owner, SkinWindow window, int layout, int id) {
  HWND covering = nullptr;
  const bool clicked = winkit::ClickElement(owner, ElementRect(owner, window, layout, id), &covering);
  EXPECT_TRUE(clicked) << "element " << id << " covered by " << covering;
  return clicked;
}

// The client's message box with the system-message caption, answered by a click on its button;
// its text, or "(none)" when no box came.
std::string ClickMessageBox(const Client& client, DWORD timeoutMs = kWaitMs) {
  HWND box = winkit::WaitForWindow("#32770", kCaption, timeoutMs, client.process.Id());
  if (!box || !WaitVisible(box, true)) return "(none)";
  const std::string text = winkit::WindowText(GetDlgItem(box, 0xFFFF));
  EXPECT_TRUE(winkit::ClickControl(GetDlgItem(box, IDOK)));
  for (int i = 0; i < 100 && IsWindow(box); ++i) winkit::PumpMessages(50);
  return text;
}

void TypeInto(HWND control, const std::string& text) {
  ASSERT_TRUE(winkit::ClickControl(control));
  winkit::TypeText(text);
}

void LogInWith(HWND login, const std::string& user, const std::string& password) {
  TypeInto(GetDlgItem(login, 1000), user);
  TypeInto(GetDlgItem(login, 1001), password);
  ASSERT_TRUE(winkit::ClickControl(GetDlgItem(login, IDOK)));
}

// The tray menu, opened as the icon's right click opens it, with the pointer mid-screen.
HWND OpenTrayMenu(Client& client) {
  HWND menu = winkit::WaitForWindow("MuralboxTrayMenu", nullptr, kWaitMs, client.process.Id());
  if (!menu) return nullptr;
  winkit::MoveMouseTo({GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2});
  // Sent, not posted: a menu still open from the last item must not move under the next click.
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(client.Frame(), RegisterWindowMessageA("WM_TRAYICON"), 4, WM_RBUTTONUP, SMTO_NORMAL, kWaitMs,
                      &ignored);
  return WaitVisible(menu, true) ? menu : nullptr;
}

bool ChooseFromTray(Client& client, int layout, int item) {
  HWND menu = OpenTrayMenu(client);
  return menu && ClickSkinElement(menu, SkinWindow::kTrayMenu, layout, item);
}

// The login dialog of the running client once it is shown; null when none comes.
HWND ShownLogin(Client& client) {
  HWND login = client.Login();
  return login && WaitVisible(login, true) ? login : nullptr;
}

bool WaitGone(HWND window) {
  for (int i = 0; i < 200 && IsWindow(window); ++i) Sleep(50);
  return !IsWindow(window);
}

// Starts the client, closes its start-up login with the dialog's own close element and waits for
// the main window of a logged-out member.
HWND StartLoggedOut(Client& client, int layout) {
  HWND login = client.StartToTheDialog();
  if (!login || !ClickSkinElement(login, SkinWindow::kLoginDialog, layout, 20006)) return nullptr;
  HWND main = client.Main();
  return main && WaitVisible(main, true) ? main : nullptr;
}

HWND LinkDialog(const Client& client, DWORD timeoutMs = kWaitMs) {
  return winkit::WaitForWindow("#32770", kLinkDialogTitle, timeoutMs, client.process.Id());
}

// Exit from the tray: the client ends within withinMs with code 0, asks nothing of the service
// after its logout notice and leaves no hover program behind (no advert is current). On the rig's
// bare display every visible window the exit hides or destroys costs Wine 2 s of waiting for a
// window manager that is not there.
void ExitFromTrayEndsEverything(Client& client, int layout, const winkit::StandinSession& standin,
                                DWORD withinMs = 15000) {
  const DWORD asked = GetTickCount();
  ASSERT_TRUE(ChooseFromTray(client, layout, 20310));
  ASSERT_TRUE(client.process.WaitForExit(withinMs));
  EXPECT_LT(GetTickCount() - asked, withinMs);
  EXPECT_EQ(client.process.ExitCode(), 0u);
  const std::vector<winkit::StandinRequest> requests = standin.Requests();
  std::size_t notice = requests.size();
  for (std::size_t i = 0; i < requests.size(); ++i) {
    if (requests[i].path == kLogoutNotice) notice = i;
  }
  ASSERT_LT(notice, requests.size()) << "no logout notice";
  for (std::size_t i = notice + 1; i < requests.size(); ++i) ADD_FAILURE() << "after the logout: " << requests[i].path;
  for (int i = 0; i < 100 && mb::FindHoverWindow(); ++i) Sleep(50);
  EXPECT_EQ(mb::FindHoverWindow(), nullptr);
}

// The stand-in hover program where the client starts it; closed and removed afterwards, so that
// the clients of later tests start none.
struct InstalledHoverProgram {
  InstalledHoverProgram() : program(mb::HoverProgramPath()) {
    winkit::MakeFolders(program.substr(0, program.find_last_of('\\') + 1));
    EXPECT_TRUE(CopyFileA((winkit::BinFolder() + "hoverpin.exe").c_str(), program.c_str(), FALSE));
  }
  ~InstalledHoverProgram() {
    for (int i = 0; i < 100; ++i) {
      HWND left = mb::FindHoverWindow();
      if (!left) break;
      PostMessageA(left, WM_CLOSE, 0, 0);
      Sleep(50);
    }
    // The program file stays locked for a moment after its window went.
    for (int i = 0; i < 100 && !DeleteFileA(program.c_str()) && winkit::FileExists(program); ++i) Sleep(50);
    DeleteFileA((program.substr(0, program.find_last_of('\\') + 1) + "hoverpin.log").c_str());
  }
  const std::string program;
};

TEST(MemberRoads, ExitAfterARefusedStartUpLoginEndsTheClientWithNothingMadeAfterIt) {
  winkit::StandinSession standin;
  InstalledHoverProgram hover;
  Client client;
  const HWND login = client.StartToTheDialog();
  ASSERT_NE(login, nullptr);
  LogInWith(login, "demo", "wrong");
  EXPECT_EQ(ClickMessageBox(client), kWrongPassword);
  ASSERT_TRUE(WaitVisible(login, true));
  ASSERT_NE(mb::FindHoverWindow(), nullptr) << "the frame made at the login starts the hover program";

  ExitFromTrayEndsEverything(client, 2, standin);
  EXPECT_TRUE(RequestsTo(standin, "/kivane/getad.html").size() <= 1u);  // one frame, one advert fetch
}

TEST(MemberRoads, LinksDuringALoginFromTheTrayAreTakenAtOnceOrAfterTheRequestAndExitEndsTheDialog) {
  winkit::StandinSession standin;
  InstalledHoverProgram hover;
  Client client;
  ASSERT_NE(StartLoggedOut(client, 2), nullptr);
  const std::string site = std::string("muralbox://") + MB_SERVICE_HOST + ":" + std::to_string(MB_SERVICE_HTTP_PORT);

  // Without a request in flight the link dialog opens at once, over the login dialog; the link
  // dialog keeps its own Esc, and the login dialog gives way.
  ASSERT_TRUE(ChooseFromTray(client, 2, 20309));
  HWND login = ShownLogin(client);
  ASSERT_NE(login, nullptr);
  client.HandOver(site + "/samples/first.bmp");
  HWND linkDialog = LinkDialog(client);
  ASSERT_NE(linkDialog, nullptr);
  EXPECT_TRUE(IsWindow(login));
  ASSERT_TRUE(WaitVisible(linkDialog, true));
  ASSERT_TRUE(winkit::BringToFront(linkDialog));
  winkit::PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitGone(linkDialog));
  EXPECT_TRUE(WaitGone(login));

  // While a login request is in flight the link waits; once the dialog is closed it is run. The
  // link dialog counted the member as logged in, so the item logs out first.
  ASSERT_TRUE(standin.Control("fault /kivane/passport.jsp stall"));
  ASSERT_TRUE(ChooseFromTray(client, 2, 20309));
  EXPECT_EQ(winkit::WaitForWindowWithProperty("MuralboxLoginWnd", 500, client.process.Id()), nullptr);
  ASSERT_TRUE(ChooseFromTray(client, 2, 20309));
  login = ShownLogin(client);
  ASSERT_NE(login, nullptr);
  LogInWith(login, "demo", "demo");
  ASSERT_TRUE(WaitForRequest(standin, "/kivane/passport.jsp"));
  client.HandOver(site + "/samples/second.bmp");
  EXPECT_EQ(LinkDialog(client, 1500), nullptr);
  ASSERT_TRUE(WaitVisible(login, true));  // the hand-over brings the dialog forward
  ASSERT_TRUE(ClickSkinElement(login, SkinWindow::kLoginDialog, 2, 20006));
  linkDialog = LinkDialog(client);
  ASSERT_NE(linkDialog, nullptr);
  ASSERT_TRUE(WaitVisible(linkDialog, true));
  ASSERT_TRUE(winkit::ClickControl(GetDlgItem(linkDialog, IDCANCEL)));
  EXPECT_TRUE(WaitGone(linkDialog));
  ASSERT_TRUE(standin.Control("clear"));

  // Exit while a login dialog opened from the tray stands (logged out first, as above).
  ASSERT_TRUE(ChooseFromTray(client, 2, 20309));
  Sleep(500);
  ASSERT_TRUE(ChooseFromTray(client, 2, 20309));
  ASSERT_NE(ShownLogin(client), nullptr);
  standin.Mark();
  ExitFromTrayEndsEverything(client, 2, standin);
}

TEST(MemberRoads, ALinkDuringALinkDownloadOpensItsOwnDialogAndExitEndsThemBoth) {
  winkit::StandinSession standin;
  InstalledHoverProgram hover;
  Client client;
  const std::string stored = mb::EncryptPasswordHex("demo", mb::PasswordStorageKey());
  ASSERT_TRUE(winkit::WriteTextFile(client.folder.Path("conf.dat"), AutoLoginConf(stored, "")));
  ASSERT_TRUE(winkit::MakeFolders(client.folder.Path("wallpaper\\demo")));
  ASSERT_TRUE(client.Start());
  ASSERT_NE(client.Main(), nullptr);
  const std::string site = std::string("muralbox://") + MB_SERVICE_HOST + ":" + std::to_string(MB_SERVICE_HTTP_PORT);

  // The first link's picture never comes: its download runs on.
  ASSERT_TRUE(standin.Control("fault /samples/slow.bmp stall"));
  client.HandOver(site + "/samples/slow.bmp");
  const HWND first = LinkDialog(client);
  ASSERT_NE(first, nullptr);
  ASSERT_TRUE(WaitVisible(first, true));
  ASSERT_TRUE(winkit::ClickControl(GetDlgItem(first, IDOK)));
  ASSERT_TRUE(WaitForRequest(standin, "/samples/slow.bmp"));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(first, IDOK)));

  // A second link during that download gets a dialog of its own.
  client.HandOver(site + "/samples/other.bmp");
  HWND second = nullptr;
  for (int i = 0; i < 200 && !second; ++i) {
    for (HWND w = FindWindowExA(nullptr, nullptr, "#32770", kLinkDialogTitle); w && !second;
         w = FindWindowExA(nullptr, w, "#32770", kLinkDialogTitle)) {
      if (w != first && winkit::WindowProcessId(w) == client.process.Id()) second = w;
    }
    if (!second) Sleep(50);
  }
  ASSERT_NE(second, nullptr);

  // Exit with both open and the download still waiting for its picture: every wait of the exit
  // is bounded (here the logout notice alone takes several seconds).
  standin.Mark();
  ExitFromTrayEndsEverything(client, 2, standin, 30000);
  standin.Control("clear");
}

TEST(MemberRoads, ARecommendedListThatComesAfterTheMainWindowShowsItsLabelThere) {
  winkit::StandinSession standin;
  ASSERT_TRUE(standin.Control("fault /client/yhtj1.html stall"));
  Client client;
  const HWND login = client.StartToTheDialog();
  ASSERT_NE(login, nullptr);
  LogInWith(login, "demo", "demo");
  const HWND main = client.Main();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(WaitForRequest(standin, "/client/yhtj1.html"));

  // The label is drawn in the link element along the bottom of the window, in dark grey on a
  // light strip.
  const RECT strip = ElementRect(main, SkinWindow::kMainWindow, 2, 20010);
  auto labelPixels = [&] {
    const winkit::RgbImage shot = winkit::CaptureClientArea(main);
    std::size_t dark = 0;
    for (int y = strip.top; y < strip.bottom && y < shot.Height(); ++y) {
      for (int x = strip.left; x < strip.right && x < shot.Width(); ++x) {
        const winkit::Rgb p = shot.Pixel(x, y);
        dark += p.red < 0x80 && p.green < 0x80 && p.blue < 0x80;
      }
    }
    return dark;
  };
  Sleep(500);
  EXPECT_EQ(labelPixels(), 0u);
  ASSERT_TRUE(standin.Control("release"));
  std::size_t drawn = 0;
  for (int i = 0; i < 200 && (drawn = labelPixels()) < 20; ++i) Sleep(50);
  EXPECT_GE(drawn, 20u);
  winkit::SaveClientScreenshot(main, "main_window_recommended_label");
  standin.Control("clear");
  client.ExitAndWait();
}

TEST(MemberRoads, TheTraysPageItemsOpenPagesByTheTabRulesOfEachLayout) {
  for (int layout = 1; layout <= 3; ++layout) {
    winkit::StandinSession standin;
    Client client(layout);
    const HWND main = StartLoggedOut(client, layout);
    ASSERT_NE(main, nullptr) << layout;

    // The parameters page needs no login: skin 1 tells the member first, the tab bar does not.
    ASSERT_TRUE(ChooseFromTray(client, layout, 20305));
    if (layout == 1) {
      EXPECT_EQ(ClickMessageBox(client), kNotLoggedIn);
    } else {
      EXPECT_EQ(ClickMessageBox(client, 1500), "(none)") << layout;
    }
    for (int i = 0; i < 100 && winkit::WindowText(main) != "参数设置"; ++i) Sleep(50);
    EXPECT_EQ(winkit::WindowText(main), "参数设置") << layout;

    // The upload page needs one: the message, and the page stays.
    ASSERT_TRUE(ChooseFromTray(client, layout, 20301));
    EXPECT_EQ(ClickMessageBox(client), kNotLoggedIn) << layout;
    Sleep(300);
    EXPECT_EQ(winkit::WindowText(main), "参数设置") << layout;
    client.ExitAndWait();
  }
}

TEST(MemberRoads, EscAndF5TypedIntoAPageNeitherHideTheWindowNorReloadThePage) {
  winkit::StandinSession standin;
  Client client;
  const std::string stored = mb::EncryptPasswordHex("demo", mb::PasswordStorageKey());
  ASSERT_TRUE(winkit::WriteTextFile(client.folder.Path("conf.dat"), AutoLoginConf(stored, "")));
  ASSERT_TRUE(client.Start());
  const HWND main = client.Main();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(WaitVisible(main, true));

  // The parameters page from its tab; Esc in its seconds box.
  ASSERT_TRUE(ClickSkinElement(main, SkinWindow::kMainWindow, 2, 10004));
  HWND seconds = nullptr;
  for (int i = 0; i < 100 && !seconds; ++i) {
    for (HWND page = FindWindowExA(main, nullptr, "#32770", nullptr); page && !seconds;
         page = FindWindowExA(main, page, "#32770", nullptr)) {
      if (IsWindowVisible(page)) seconds = GetDlgItem(page, 1026);
    }
    if (!seconds) Sleep(50);
  }
  ASSERT_NE(seconds, nullptr);
  TypeInto(seconds, "7");
  winkit::PressKey(VK_ESCAPE);
  Sleep(500);
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_EQ(winkit::WindowText(main), "参数设置");

  // The download page's browser: F5 asks nothing of the service, Esc keeps the window.
  ASSERT_TRUE(ClickSkinElement(main, SkinWindow::kMainWindow, 2, 10001));
  for (int i = 0; i < 100 && winkit::WindowText(main) != "壁纸下载"; ++i) Sleep(50);
  ASSERT_EQ(winkit::WindowText(main), "壁纸下载");
  Sleep(1000);
  standin.Mark();
  winkit::ClickAt(winkit::ScreenCentre(main));
  winkit::PressKey(VK_F5);
  winkit::PressKey(VK_ESCAPE);
  Sleep(1500);
  EXPECT_TRUE(IsWindowVisible(main));
  for (const winkit::StandinRequest& r : standin.Requests()) EXPECT_EQ(r.path.find("/search"), std::string::npos) << r.path;
  client.ExitAndWait();
}

}  // namespace
