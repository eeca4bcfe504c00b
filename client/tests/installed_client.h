// A client installed in a private folder for the Windows tests of the client program, and the
// helpers they share: the stand-in's requests by path, small pictures, the desktop's wallpaper.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "client/core/client_data_files.h"
#include "skin/engine/tests/installed_skin.h"
#include "tests/winkit/standin_client.h"
#include "tests/winkit/winkit.h"

namespace {

const char kCaption[] = "墨岚屏[Pelora]-系统消息";
const DWORD kWaitMs = 20000;
const std::string kZhangSan = "张三";  // GBK at run time

inline std::string ScreenshotFolder() {
  char folder[MAX_PATH] = {};
  GetFullPathNameA((winkit::BinFolder() + "..\\screenshots\\").c_str(), MAX_PATH, folder, nullptr);
  winkit::MakeFolders(folder);
  return folder;
}

inline bool WaitVisible(HWND window, bool visible) {
  for (int i = 0; i < 200; ++i) {
    if ((IsWindowVisible(window) != FALSE) == visible) return true;
    Sleep(50);
  }
  return false;
}

// A client installed in a private folder with one skin layout in place.
struct Client {
  explicit Client(int layout = 2) {
    folder.Install("skin.dll", "skin.dll");
    folder.Install(mb::skintest::LayoutFile("default", layout, ".bmp"), "default.bmp");
    folder.Install(mb::skintest::LayoutFile("default", layout, ".config"), "default.config");
    const std::int32_t flag = layout;
    winkit::WriteTextFile(folder.Path("usetwocolumn.flag"), std::string(reinterpret_cast<const char*>(&flag), 4));
  }
  bool Start() { return process.Start(folder.Path("muralbox.exe"), "", folder.Root()); }
  HWND Login() { return winkit::WaitForWindowWithProperty("MuralboxLoginWnd", kWaitMs, process.Id()); }
  // Starts the client and waits for its login dialog to be shown; null when it is not.
  HWND StartToTheDialog() {
    if (!Start()) return nullptr;
    HWND login = Login();
    return login && WaitVisible(login, true) ? login : nullptr;
  }
  HWND Main() { return winkit::WaitForWindowWithProperty("MuralboxMainWnd", kWaitMs, process.Id()); }
  HWND Frame() { return winkit::WaitForWindow("MuralboxTrayFrame", nullptr, kWaitMs, process.Id()); }
  // The whole shut-down runs through the frame's exit command.
  void ExitAndWait() {
    HWND frame = Frame();
    ASSERT_NE(frame, nullptr);
    PostMessageA(frame, WM_COMMAND, 32776, 0);
    ASSERT_TRUE(process.WaitForExit(kWaitMs));
    EXPECT_EQ(process.ExitCode(), 0u);
  }
  std::string Conf() { return winkit::ReadTextFile(folder.Path("conf.dat")); }
  // A second start of the program with a link, which hands it to the running client.
  void HandOver(const std::string& link) {
    winkit::ChildProcess second;
    ASSERT_TRUE(second.Start(folder.Path("muralbox.exe"), "\"" + link + "\"", folder.Root()));
    ASSERT_TRUE(second.WaitForExit(kWaitMs));
  }

  winkit::InstallFolder folder{{"muralbox.exe"}};
  winkit::ChildProcess process;
};

inline std::vector<winkit::StandinRequest> RequestsTo(const winkit::StandinSession& standin, const std::string& path) {
  std::vector<winkit::StandinRequest> found;
  for (const winkit::StandinRequest& r : standin.Requests()) {
    if (r.path.compare(0, path.size(), path) == 0) found.push_back(r);
  }
  return found;
}

// Waits for a request whose path begins with path; false when none came in time.
inline bool WaitForRequest(const winkit::StandinSession& standin, const std::string& path, std::size_t count = 1) {
  for (int i = 0; i < 300; ++i) {
    if (RequestsTo(standin, path).size() >= count) return true;
    Sleep(50);
  }
  return false;
}

// A tiny picture of one colour, as a 24-bit BMP.
inline std::string SmallBmp(unsigned char shade) {
  const int width = 4, height = 4, rowBytes = 12, pixels = rowBytes * height;
  std::string bmp(54 + pixels, '\0');
  auto put32 = [&bmp](int at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bmp[at + i] = static_cast<char>(value >> (8 * i));
  };
  bmp[0] = 'B';
  bmp[1] = 'M';
  put32(2, static_cast<std::uint32_t>(bmp.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, width);
  put32(22, height);
  bmp[26] = 1;
  bmp[28] = 24;
  put32(34, pixels);
  for (int i = 54; i < static_cast<int>(bmp.size()); ++i) bmp[i] = static_cast<char>(shade);
  return bmp;
}

// The wallpaper the client last set, read from the user's desktop settings where it is stored: a
// process keeps the system parameter it read first, so another process's later change is not
// seen through SPI_GETDESKWALLPAPER under Wine.
inline std::string DesktopWallpaper() {
  char path[MAX_PATH + 1] = {};
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return std::string();
  }
  DWORD type = 0, size = MAX_PATH;
  const LONG read = RegQueryValueExA(key, "Wallpaper", nullptr, &type, reinterpret_cast<BYTE*>(path), &size);
  RegCloseKey(key);
  return read == ERROR_SUCCESS && type == REG_SZ ? std::string(path) : std::string();
}

// Pictures in a category folder, listed for the carousel and recorded as downloads of it.
inline std::vector<std::string> InstallPictures(Client& client, const std::string& category, int count) {
  const std::string folder = client.folder.Path("wallpaper\\" + category + "\\");
  EXPECT_TRUE(winkit::MakeFolders(folder));
  std::vector<std::string> names;
  std::string list, records;
  for (int i = 0; i < count; ++i) {
    names.push_back(std::string(1, static_cast<char>('a' + i)) + ".bmp");
    EXPECT_TRUE(winkit::WriteTextFile(folder + names.back(), SmallBmp(static_cast<unsigned char>(50 * (i + 1)))));
    list += folder + names.back() + "\n";
    records += mb::SerializeDownloadRecord({folder + names.back(), category, "f2", "f3", "f4", "f5"});
  }
  EXPECT_TRUE(winkit::WriteTextFile(client.folder.Path("wallpaper.dat"), list));
  EXPECT_TRUE(winkit::WriteTextFile(client.folder.Path("downloadinfo.res"), records));
  return names;
}

// conf.dat of the member "demo" logged in automatically at start, with more [USER] lines.
inline std::string AutoLoginConf(const std::string& storedPassword, const std::string& moreLines) {
  return "[USER]\r\nuser=demo\r\nautostart=1\r\nsavepass=1\r\nisfirstrun=0\r\n" + moreLines +
         "userlist=demo::" + storedPassword + "::1::1\r\n";
}

}  // namespace
