// The client's tray roads under Wine against the stand-in service: usage reports, page views and
// the logout notice; the advert of the minute painted onto the wallpaper; the tray icon's menu,
// its skin switch and its exit.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "client/core/password_cipher.h"
#include "client/core/service_url.h"
#include "client/tests/installed_client.h"
#include "common/gbk_text.h"
#include "image/picture.h"
#include "tests/winkit/member_input.h"
#include "tests/winkit/screenshot.h"

namespace {

const std::string kScenery = "风景";  // GBK at run time

std::string DemoConf(const std::string& moreLines) {
  return AutoLoginConf(mb::EncryptPasswordHex("demo", mb::PasswordStorageKey()), moreLines);
}

template <typename Fn>
bool WaitUntil(Fn&& done, DWORD timeoutMs) {
  for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
    if (done()) return true;
    Sleep(50);
  }
  return done();
}

// Puts the service's advert list and report interval back for the tests after this one.
struct ServiceDefaults {
  ~ServiceDefaults() { winkit::SendStandinControl("adverts\nadtime 1800"); }
};

HWND MenuOf(Client& client) { return winkit::WaitForWindow("MuralboxTrayMenu", nullptr, kWaitMs, client.process.Id()); }

TEST(TrayRoads, ReportsCarryDisplayTimesEachStepPingsAndTheLogoutEndsTheReports) {
  winkit::StandinSession standin;
  ServiceDefaults defaults;
  ASSERT_TRUE(standin.Control("adtime 2"));
  Client client;
  const std::vector<std::string> names = InstallPictures(client, kScenery, 3);
  ASSERT_TRUE(winkit::WriteTextFile(client.folder.Path("conf.dat"),
                                    DemoConf("wallpaperapply=1\r\nmin=0\r\nsec=2\r\nwallpaperplaytime=1\r\n")));
  ASSERT_TRUE(client.Start());
  ASSERT_NE(client.Main(), nullptr);
  ASSERT_TRUE(WaitForRequest(standin, "/conf/pv.png", 3));
  ASSERT_TRUE(WaitForRequest(standin, "/kivane/report.jsp", 2));

  const std::string encodedCategory = mb::PercentEncode(kScenery);
  for (const winkit::StandinRequest& report : RequestsTo(standin, "/kivane/report.jsp")) {
    EXPECT_EQ(report.method, "POST");
    ASSERT_EQ(report.query.rfind("fn=", 0), 0u) << report.query;
    const std::vector<std::string> records = mb::GbkSplit(report.query.substr(3), ";");
    ASSERT_GE(records.size(), 2u);
    EXPECT_LE(records.size(), 11u);  // at most ten, and the text after the last ';'
    for (std::size_t i = 0; i + 1 < records.size(); ++i) {
      const std::vector<std::string> fields = mb::GbkSplit(records[i], ",");
      ASSERT_EQ(fields.size(), 7u) << records[i];
      EXPECT_GE(std::stoi(fields[1]), 1);
      EXPECT_EQ(fields[2], encodedCategory) << records[i];
      EXPECT_EQ(fields[3] + fields[4] + fields[5] + fields[6], "f3f2f4f5");
    }
  }
  for (const winkit::StandinRequest& ping : RequestsTo(standin, "/conf/pv.png")) {
    bool known = false;
    for (const std::string& name : names) known |= ping.query == "user=demo&f=" + mb::PercentEncode(kScenery + "\\" + name);
    EXPECT_TRUE(known) << ping.query;
  }

  // Logging out from the menu asks nothing of the service and ends the reports; pings go on.
  const HWND menu = MenuOf(client);
  ASSERT_NE(menu, nullptr);
  PostMessageA(menu, WM_COMMAND, 20309, 0);
  Sleep(1500);
  standin.Mark();
  Sleep(5000);
  EXPECT_TRUE(RequestsTo(standin, "/kivane/report.jsp").empty());
  EXPECT_TRUE(RequestsTo(standin, "/kivane/member/exit.jsp").empty());
  EXPECT_TRUE(RequestsTo(standin, "/kivane/passport.jsp").empty());
  EXPECT_FALSE(RequestsTo(standin, "/conf/pv.png").empty());
  client.ExitAndWait();
  EXPECT_EQ(RequestsTo(standin, "/kivane/member/exit.jsp").size(), 1u);
}

TEST(TrayRoads, TheAdvertOfTheMinuteIsCachedOnceAndPaintedOntoTheWallpaperInTurns) {
  winkit::StandinSession standin;
  ServiceDefaults defaults;
  const std::string base = std::string("http://") + MB_SERVICE_HOST + ":" + std::to_string(MB_SERVICE_HTTP_PORT);
  ASSERT_TRUE(standin.Control("adverts " + base + "/samples/ad-200x150.png?v=1,spot,look here,0,1439,-200,-20,-150,-20"));
  Client client;
  InstallPictures(client, "local", 2);
  ASSERT_TRUE(winkit::WriteTextFile(client.folder.Path("conf.dat"), DemoConf("wallpaperapply=1\r\nmin=0\r\nsec=4\r\n")));
  ASSERT_TRUE(client.Start());
  ASSERT_NE(client.Main(), nullptr);

  const std::string ads0 = client.folder.Path("wallpaper\\ads0.bmp");
  ASSERT_TRUE(WaitUntil([&] { return DesktopWallpaper() == ads0; }, 30000)) << DesktopWallpaper();
  ASSERT_TRUE(CopyFileA(ads0.c_str(), (ScreenshotFolder() + "ads0.bmp").c_str(), FALSE));
  mb::Picture composed, advert;
  ASSERT_TRUE(composed.Load(ScreenshotFolder() + "ads0.bmp"));
  ASSERT_TRUE(advert.Load(client.folder.Path("conf\\spot.png")));
  const int width = GetSystemMetrics(SM_CXMAXIMIZED), height = GetSystemMetrics(SM_CYMAXIMIZED);
  ASSERT_EQ(composed.Width(), width);
  ASSERT_EQ(composed.Height(), height);
  ASSERT_EQ(advert.Width(), 200);
  for (const POINT p : {POINT{0, 0}, POINT{199, 149}, POINT{57, 93}, POINT{150, 20}}) {
    const mb::Rgba want = advert.GetPixelColor(p.x, p.y);
    const mb::Rgba got = composed.GetPixelColor(width - 200 + p.x, height - 150 + p.y);
    EXPECT_TRUE(want.r == got.r && want.g == got.g && want.b == got.b) << p.x << "," << p.y;
  }
  EXPECT_TRUE(WaitUntil([&] { return DesktopWallpaper() == client.folder.Path("wallpaper\\ads1.bmp"); }, 15000));

  // The list is fetched every 28 seconds; the cached picture is not fetched again.
  WaitUntil([&] { return RequestsTo(standin, "/kivane/getad.html").size() >= 2; }, 40000);
  ASSERT_GE(RequestsTo(standin, "/kivane/getad.html").size(), 2u);
  Sleep(1000);
  EXPECT_EQ(RequestsTo(standin, "/samples/ad-200x150.png").size(), 1u);
  EXPECT_FALSE(winkit::FileExists(client.folder.Path("conf\\spot.png.part")));
  client.ExitAndWait();
}

TEST(TrayRoads, TheIconOpensTheMenuAtTheCursorItsSkinItemSwitchesLayoutsAndExitEndsTheClient) {
  const UINT trayMessage = RegisterWindowMessageA("WM_TRAYICON");
  const int maximizedWidth = GetSystemMetrics(SM_CXMAXIMIZED);
  RECT work = {};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  for (int layout = 1; layout <= 3; ++layout) {
    winkit::StandinSession standin;
    Client client(layout);
    ASSERT_TRUE(winkit::WriteTextFile(client.folder.Path("conf.dat"), DemoConf("")));
    ASSERT_TRUE(client.Start());
    ASSERT_NE(client.Main(), nullptr);
    const HWND menu = MenuOf(client);
    ASSERT_NE(menu, nullptr) << layout;
    RECT r = {};
    GetWindowRect(menu, &r);
    const int menuWidth = (r.right - r.left) / 2 * 2, menuHeight = r.bottom - r.top;
    EXPECT_EQ(GetWindowLongPtrA(menu, GWL_EXSTYLE) & 0x88, 0x88);

    // Right button up on the icon, the cursor 10 pixels from the edge: the menu ends at the edge.
    const POINT cursor = {std::min<int>(maximizedWidth, GetSystemMetrics(SM_CXSCREEN)) - 10, work.bottom - 4};
    // Wine may still move the pointer for the new windows of a starting client: set it until it
    // stays.
    POINT actual = {};
    for (int i = 0; i < 10 && (actual.x != cursor.x || i < 2); ++i) {
      SetCursorPos(cursor.x, cursor.y);
      winkit::PumpMessages(200);
      GetCursorPos(&actual);
    }
    PostMessageA(client.Frame(), trayMessage, 4, WM_RBUTTONUP);
    ASSERT_TRUE(WaitVisible(menu, true)) << layout;
    GetWindowRect(menu, &r);
    EXPECT_EQ(r.right, maximizedWidth) << layout;
    EXPECT_EQ(r.right - r.left, menuWidth);
    EXPECT_EQ(r.bottom, actual.y) << layout;
    EXPECT_EQ(r.bottom - r.top, menuHeight);
    winkit::PumpMessages(300);
    EXPECT_TRUE(winkit::CaptureWindowToPng(menu, ScreenshotFolder() + "tray_menu_layout" + std::to_string(layout) + ".png"));
    PostMessageA(menu, WM_COMMAND, 20006, 0);
    EXPECT_TRUE(WaitVisible(menu, false));

    if (layout == 2) {
      // The skin item: the current layout changes nothing; the other one puts its files in place.
      PostMessageA(menu, WM_COMMAND, 32821, 0);
      EXPECT_FALSE(winkit::AnswerMessageBox(kCaption, IDOK, 1500, nullptr, client.process.Id()));
      ASSERT_TRUE(client.folder.Install(mb::skintest::LayoutFile("default", 3, ".bmp"), "default3.bmp"));
      ASSERT_TRUE(client.folder.Install(mb::skintest::LayoutFile("default", 3, ".config"), "default3.config"));
      ASSERT_TRUE(winkit::WriteTextFile(client.folder.Path("waitting3.gif"), "GIF89a3"));
      ASSERT_TRUE(winkit::WriteTextFile(client.folder.Path("conf3.dat"), "[USER]\r\nuser=\r\n[GUI]\r\nframeleft=33\r\n"));
      PostMessageA(client.Frame(), trayMessage, 4, WM_RBUTTONUP);
      ASSERT_TRUE(WaitVisible(menu, true));
      PostMessageA(menu, WM_COMMAND, 32823, 0);
      // The answer stands alone, the menu closed, and Return closes it.
      const HWND box = winkit::WaitForWindow("#32770", kCaption, kWaitMs, client.process.Id());
      ASSERT_NE(box, nullptr);
      EXPECT_FALSE(IsWindowVisible(menu));
      EXPECT_EQ(winkit::WindowText(GetDlgItem(box, 0xFFFF)), "更换皮肤成功，重新启动应用程序生效");
      winkit::BringToFront(box);
      winkit::PressKey(VK_RETURN);
      EXPECT_TRUE(WaitVisible(box, false));
      EXPECT_EQ(winkit::ReadTextFile(client.folder.Path("usetwocolumn.flag")), std::string("\x03\0\0\0", 4));
      EXPECT_EQ(winkit::ReadTextFile(client.folder.Path("waitting.gif")), "GIF89a3");
      EXPECT_EQ(winkit::ReadTextFile(client.folder.Path("default.bmp")),
                winkit::ReadTextFile(client.folder.Path("default3.bmp")));
    }
    const DWORD asked = GetTickCount();
    PostMessageA(menu, WM_COMMAND, 20310, 0);
    ASSERT_TRUE(client.process.WaitForExit(kWaitMs)) << layout;
    EXPECT_LT(GetTickCount() - asked, 10000u);
    const std::string conf = client.Conf();
    EXPECT_NE(conf.find("userlist=demo::"), std::string::npos) << conf;
    if (layout == 2) {
      EXPECT_NE(conf.find("frameleft=33\r\n"), std::string::npos) << conf;
    }
  }
}

}  // namespace
