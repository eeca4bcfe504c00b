#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/winkit/winkit.h"

namespace {

const char kCaption[] = "墨岚屏[Pelora]-系统消息";
const DWORD kStartTimeoutMs = 15000;

// Plays the running copy's window: carries a property and keeps what WM_COPYDATA brought.
class MarkedWindow {
 public:
  explicit MarkedWindow(const char* property, DWORD style = WS_OVERLAPPEDWINDOW) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "mbtest.Marked";
    RegisterClassA(&wc);
    hwnd_ = CreateWindowExA(0, "mbtest.Marked", "first copy", style, 0, 0, 200, 100, nullptr, nullptr,
                            wc.hInstance, nullptr);
    SetPropA(hwnd_, property, reinterpret_cast<HANDLE>(1));
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~MarkedWindow() { DestroyWindow(hwnd_); }
  HWND hwnd() const { return hwnd_; }

  int received = 0;
  ULONG_PTR dwData = 0;
  std::string bytes;  // cbData bytes as sent

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COPYDATA) {
      auto* self = reinterpret_cast<MarkedWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
      auto* data = reinterpret_cast<COPYDATASTRUCT*>(lParam);
      ++self->received;
      self->dwData = data->dwData;
      self->bytes.assign(static_cast<const char*>(data->lpData), data->cbData);
      return TRUE;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  HWND hwnd_;
};

// The event by which the client knows another copy runs.
class InstanceEvent {
 public:
  InstanceEvent() : handle_(CreateEventA(nullptr, FALSE, TRUE, "MuralboxFrame")) {}
  ~InstanceEvent() { CloseHandle(handle_); }

 private:
  HANDLE handle_;
};

struct Client {
  winkit::InstallFolder folder{{"muralbox.exe"}};
  winkit::ChildProcess process;
  bool Start(const std::string& arguments = "") {
    return process.Start(folder.Path("muralbox.exe"), arguments, folder.Root());
  }
};

// Closes the login dialog (the client goes on logged out) and waits for the main window.
HWND SkipLogin(DWORD processId) {
  HWND login = winkit::WaitForWindowWithProperty("MuralboxLoginWnd", kStartTimeoutMs, processId);
  if (!login) return nullptr;
  PostMessageA(login, WM_COMMAND, IDCANCEL, 0);
  return winkit::WaitForWindowWithProperty("MuralboxMainWnd", kStartTimeoutMs, processId);
}

// The program ends through its tray frame's exit command.
void PostExit(DWORD processId) {
  HWND frame = winkit::WaitForWindow("MuralboxTrayFrame", nullptr, kStartTimeoutMs, processId);
  ASSERT_NE(frame, nullptr);
  PostMessageA(frame, WM_COMMAND, 32776, 0);
}

TEST(SecondStart, HandsItsCommandLineToTheMainWindowAndExits) {
  InstanceEvent running;
  MarkedWindow first("MuralboxMainWnd");
  ShowWindow(first.hwnd(), SW_MINIMIZE);
  Client second;
  ASSERT_TRUE(second.Start("\"muralbox://pic/汉字 1.jpg\""));
  ASSERT_TRUE(second.process.WaitForExit(kStartTimeoutMs));
  EXPECT_EQ(second.process.ExitCode(), 0u);
  ASSERT_EQ(first.received, 1);
  EXPECT_EQ(first.dwData, 1u);
  const std::string expected = "\"muralbox://pic/汉字 1.jpg\"";
  EXPECT_EQ(first.bytes, std::string(expected.c_str(), expected.size() + 1));  // with its zero
  EXPECT_FALSE(IsIconic(first.hwnd()));                                         // restored
  // Nothing of the second copy's own start ran.
  EXPECT_FALSE(winkit::FileExists(second.folder.Path("conf.dat")));
}

TEST(SecondStart, FindsTheLoginWindowToo) {
  InstanceEvent running;
  MarkedWindow login("MuralboxLoginWnd", WS_OVERLAPPEDWINDOW);  // created hidden
  Client second;
  ASSERT_TRUE(second.Start("http://not-a-link"));
  ASSERT_TRUE(second.process.WaitForExit(kStartTimeoutMs));
  EXPECT_EQ(second.process.ExitCode(), 0u);
  ASSERT_EQ(login.received, 1);
  EXPECT_EQ(login.bytes, std::string("http://not-a-link", sizeof("http://not-a-link")));
  EXPECT_TRUE(IsWindowVisible(login.hwnd()));
}

TEST(SecondStart, WithoutAMarkedWindowEndsSilently) {
  InstanceEvent running;
  Client second;
  ASSERT_TRUE(second.Start("\"muralbox://x\""));
  ASSERT_TRUE(second.process.WaitForExit(kStartTimeoutMs));
  EXPECT_EQ(second.process.ExitCode(), 0u);
}

TEST(SecondStart, RemovesTheObsoleteStartupShortcutFirst) {
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  const std::string folder = std::string(windows, 3) + "Documents and Settings\\All Users\\「开始」菜单\\程序\\启动\\";
  ASSERT_TRUE(winkit::MakeFolders(folder));
  ASSERT_TRUE(winkit::WriteTextFile(folder + "墨岚屏.lnk", "old shortcut"));
  InstanceEvent running;
  Client second;
  ASSERT_TRUE(second.Start());
  ASSERT_TRUE(second.process.WaitForExit(kStartTimeoutMs));
  EXPECT_FALSE(winkit::FileExists(folder + "墨岚屏.lnk"));
}

TEST(FirstStart, HoldsTheEventAndAMarkedWindowThatTakesLinks) {
  Client first;
  ASSERT_TRUE(first.Start());
  HWND main = SkipLogin(first.process.Id());
  ASSERT_NE(main, nullptr);
  HANDLE event = OpenEventA(SYNCHRONIZE, FALSE, "MuralboxFrame");
  EXPECT_NE(event, nullptr);
  if (event) CloseHandle(event);

  // A second start hands over and ends.
  winkit::ChildProcess second;
  ASSERT_TRUE(second.Start(first.folder.Path("muralbox.exe"), "\"muralbox://pic/2.jpg\"", first.folder.Root()));
  ASSERT_TRUE(second.WaitForExit(kStartTimeoutMs));
  EXPECT_EQ(second.ExitCode(), 0u);

  // A text without a terminating zero is read only as far as its byte count.
  char unterminated[8] = {'m', 'u', 'r', 'a', 'l', 'b', 'o', 'x'};
  COPYDATASTRUCT data = {1, sizeof unterminated, unterminated};
  DWORD_PTR answer = 0;
  EXPECT_TRUE(SendMessageTimeoutA(main, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), 0, 5000, &answer));
  EXPECT_TRUE(SendMessageTimeoutA(main, WM_NULL, 0, 0, 0, 5000, &answer));

  PostExit(first.process.Id());
  ASSERT_TRUE(first.process.WaitForExit(kStartTimeoutMs));
  EXPECT_EQ(first.process.ExitCode(), 0u);
  // The configuration was created and written at exit.
  EXPECT_NE(winkit::ReadTextFile(first.folder.Path("conf.dat")).find("[USER]\r\n"), std::string::npos);
  EXPECT_TRUE(winkit::FileExists(first.folder.Path("usetwocolumn.flag")));
}

TEST(InstallerOffer, YesRunsTheNewerPackageSilentlyAndEnds) {
  Client client;
  ASSERT_TRUE(client.folder.Install("setup_newer.exe", "data\\setup.exe"));
  ASSERT_TRUE(client.Start());
  std::string question;
  ASSERT_TRUE(winkit::AnswerMessageBox(kCaption, IDYES, kStartTimeoutMs, &question, client.process.Id()));
  EXPECT_EQ(question, "客户端已有新版本,是否升级?");
  ASSERT_TRUE(client.process.WaitForExit(kStartTimeoutMs));
  EXPECT_EQ(client.process.ExitCode(), 0u);
  std::string log;
  for (int i = 0; i < 100 && log.empty(); ++i) {
    Sleep(100);
    log = winkit::ReadTextFile(client.folder.Path("data\\setup.log"));
  }
  EXPECT_EQ(log, "\"" + client.folder.Root() + "data\\setup.exe\" /S ");
  EXPECT_FALSE(winkit::FileExists(client.folder.Path("conf.dat")));
}

TEST(InstallerOffer, NoContinuesTheStart) {
  Client client;
  ASSERT_TRUE(client.folder.Install("setup_newer.exe", "data\\setup.exe"));
  ASSERT_TRUE(client.Start());
  ASSERT_TRUE(winkit::AnswerMessageBox(kCaption, IDNO, kStartTimeoutMs, nullptr, client.process.Id()));
  HWND main = SkipLogin(client.process.Id());
  ASSERT_NE(main, nullptr);
  PostExit(client.process.Id());
  ASSERT_TRUE(client.process.WaitForExit(kStartTimeoutMs));
  EXPECT_FALSE(winkit::FileExists(client.folder.Path("data\\setup.log")));
}

TEST(InstallerOffer, OlderOrUnversionedPackagesAreNotOffered) {
  for (const char* package : {"setup_older.exe", "setup_plain.exe"}) {
    Client client;
    ASSERT_TRUE(client.folder.Install(package, "data\\setup.exe"));
    ASSERT_TRUE(client.Start());
    HWND main = SkipLogin(client.process.Id());
    ASSERT_NE(main, nullptr) << package;
    EXPECT_EQ(winkit::WaitForWindow("#32770", kCaption, 0, client.process.Id()), nullptr) << package;
    PostExit(client.process.Id());
    ASSERT_TRUE(client.process.WaitForExit(kStartTimeoutMs));
  }
}

}  // namespace

namespace {

TEST(FirstStart, CallsTheSkinEngineAndStartsTheUpdater) {
  Client client;
  ASSERT_TRUE(client.folder.Install("recording_skin.dll", "skin.dll"));
  ASSERT_TRUE(client.folder.Install("setup_plain.exe", "renewkit.exe"));  // records its command line
  ASSERT_TRUE(client.Start());
  HWND main = SkipLogin(client.process.Id());
  ASSERT_NE(main, nullptr);
  PostExit(client.process.Id());
  ASSERT_TRUE(client.process.WaitForExit(kStartTimeoutMs));

  const std::string calls = winkit::ReadTextFile(client.folder.Path("skin.log"));
  EXPECT_EQ(calls.find("SkinInitControls -1 1\n"), 0u) << calls;
  EXPECT_NE(calls.find("RemoveDialogSkin window=valid\n"), std::string::npos) << calls;

  std::string updater;
  for (int i = 0; i < 100 && updater.empty(); ++i) {
    Sleep(50);
    updater = winkit::ReadTextFile(client.folder.Path("setup.log"));
  }
  const std::string updateUrl =
      std::string("http://") + MB_SERVICE_HOST + ":" + std::to_string(MB_SERVICE_HTTP_PORT) + "/update.jsp";
  EXPECT_EQ(updater, "\"" + client.folder.Root() + "renewkit.exe\" /m0" + updateUrl);
}

}  // namespace
