#include <windows.h>
#include <shlwapi.h>
#include <urlmon.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "common/win/com_ptr.h"
#include "protocol/win/not_installed_dialog.h"
#include "tests/winkit/screenshot.h"
#include "tests/winkit/winkit.h"

namespace {

const char kClsid[] = "{C025ACE8-F726-4773-A829-123D9AD06598}";
const DWORD kWaitMs = 15000;

std::string ReadString(HKEY root, const std::string& key, const char* name) {
  char value[1024] = {};
  DWORD size = sizeof value - 1;
  DWORD type = 0;
  if (SHGetValueA(root, key.c_str(), name, &type, value, &size) != ERROR_SUCCESS) return "<missing>";
  return value;
}

bool KeyExists(HKEY root, const std::string& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  RegCloseKey(opened);
  return true;
}

bool RunRegsvr32(const std::string& arguments) {
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, MAX_PATH);
  winkit::ChildProcess regsvr;
  return regsvr.Start(std::string(system) + "\\regsvr32.exe", arguments + " \"" + winkit::BinFolder() + "Linkport.dll\"") &&
         regsvr.WaitForExit(kWaitMs) && regsvr.ExitCode() == 0;
}

// Linkport registered for the test's length, and the client's install folder in the registry.
class Registered {
 public:
  Registered() { registered_ = RunRegsvr32("/s"); }
  ~Registered() {
    SHDeleteValueA(HKEY_LOCAL_MACHINE, "SOFTWARE\\muralbox", "path");
    RunRegsvr32("/s /u");
  }
  bool ok() const { return registered_; }
  void SetInstallFolder(const std::string& folder) {
    SHSetValueA(HKEY_LOCAL_MACHINE, "SOFTWARE\\muralbox", "path", REG_SZ, folder.c_str(),
                static_cast<DWORD>(folder.size() + 1));
  }

 private:
  bool registered_ = false;
};

// The test client (a recorder named muralbox.exe) in a private folder.
struct RecordingClient {
  winkit::InstallFolder folder{{}};
  RecordingClient() { folder.Install("link_recorder.exe", "muralbox.exe"); }
  // The three lines the recorder writes, waiting for them to appear.
  std::vector<std::string> Lines() {
    std::string log;
    for (int i = 0; i < 150 && log.find('\n') == std::string::npos; ++i) {
      Sleep(100);
      log = winkit::ReadTextFile(folder.Path("link.log"));
    }
    Sleep(200);
    log = winkit::ReadTextFile(folder.Path("link.log"));
    DeleteFileA(folder.Path("link.log").c_str());
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < log.size();) {
      const std::size_t end = log.find('\n', start);
      lines.push_back(log.substr(start, end - start));
      start = end == std::string::npos ? log.size() : end + 1;
    }
    return lines;
  }
};

// The recorded text behind the program name: it begins with a blank; the argument follows.
std::string ArgumentText(const std::string& recorded) {
  EXPECT_FALSE(recorded.empty() || recorded[0] != ' ') << recorded;
  const std::size_t start = recorded.find_first_not_of(' ');
  return start == std::string::npos ? std::string() : recorded.substr(start);
}

HRESULT BindLink(const wchar_t* link) {
  mb::ComPtr<IStream> stream;
  return URLOpenBlockingStreamW(nullptr, link, stream.Out(), 0, nullptr);
}

TEST(LinkportRegistration, WritesExactlyItsKeysAndRemovesThem) {
  const std::string clsidKey = std::string("CLSID\\") + kClsid;
  {
    Registered linkport;
    ASSERT_TRUE(linkport.ok());
    EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, "Linkport.LinkportPlug.1", nullptr), "LinkportPlug Class");
    EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, "Linkport.LinkportPlug.1\\CLSID", nullptr), kClsid);
    EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, "Linkport.LinkportPlug", nullptr), "LinkportPlug Class");
    EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, "Linkport.LinkportPlug\\CLSID", nullptr), kClsid);
    EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, "Linkport.LinkportPlug\\CurVer", nullptr), "Linkport.LinkportPlug.1");
    EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, "PROTOCOLS\\Handler\\muralbox", nullptr), "Muralbox Pluggable Protocol");
    EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, "PROTOCOLS\\Handler\\muralbox", "CLSID"), kClsid);
    EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, clsidKey, nullptr), "LinkportPlug Class");
    EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, clsidKey + "\\ProgID", nullptr), "Linkport.LinkportPlug.1");
    EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, clsidKey + "\\VersionIndependentProgID", nullptr), "Linkport.LinkportPlug");
    EXPECT_EQ(lstrcmpiA(ReadString(HKEY_CLASSES_ROOT, clsidKey + "\\InprocServer32", nullptr).c_str(),
                        (winkit::BinFolder() + "Linkport.dll").c_str()),
              0);
    EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, clsidKey + "\\InprocServer32", "ThreadingModel"), "Apartment");
    EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, clsidKey + "\\TypeLib", nullptr), "{233CD11E-4F7C-4452-923E-F533B9549FCC}");
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, "TypeLib\\{233CD11E-4F7C-4452-923E-F533B9549FCC}"));

    // The protocol key is replaced whole: a stale value from before does not survive.
    SHSetValueA(HKEY_CLASSES_ROOT, "PROTOCOLS\\Handler\\muralbox", "Stale", REG_SZ, "x", 2);
    ASSERT_TRUE(RunRegsvr32("/s"));
    EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, "PROTOCOLS\\Handler\\muralbox", "Stale"), "<missing>");
  }
  for (const std::string& key : {std::string("Linkport.LinkportPlug.1"), std::string("Linkport.LinkportPlug"),
                                 std::string("PROTOCOLS\\Handler\\muralbox"), clsidKey}) {
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, key)) << key;
  }
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, "PROTOCOLS\\Handler"));
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, "CLSID"));
}

TEST(LinkportBinding, StartsTheClientWithTheLinkAsOneArgument) {
  mb::ComApartment com;
  Registered linkport;
  ASSERT_TRUE(linkport.ok());
  RecordingClient client;
  std::string folder = client.folder.Root();
  folder.pop_back();  // without its trailing backslash
  linkport.SetInstallFolder(folder);

  wchar_t result[64] = {};
  DWORD length = 0;
  ASSERT_EQ(CoInternetParseUrl(L"MURALBOX://x", PARSE_SECURITY_URL, 0, result, 64, &length, 0), S_OK);
  EXPECT_EQ(std::wstring(result), L"muralbox:");
  EXPECT_EQ(length, 9u);

  BindLink(L"muralbox://host/p.jpg");
  std::vector<std::string> lines = client.Lines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(ArgumentText(lines[0]), "\"muralbox://host/p.jpg\"");
  EXPECT_EQ(lines[1], folder);
  EXPECT_EQ(lines[2], "2");

  // With the trailing backslash the same program is found; a quote, a line break or a closing
  // backslash in the link cannot add arguments.
  linkport.SetInstallFolder(client.folder.Root());
  BindLink(L"muralbox://host/a\" -evil \"b.jpg");
  lines = client.Lines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(ArgumentText(lines[0]), "\"muralbox://host/a%22 -evil %22b.jpg\"");
  EXPECT_EQ(lines[1] + "\\", client.folder.Root());
  EXPECT_EQ(lines[2], "2");

  BindLink(L"muralbox://host/a\r\nb.jpg\\");
  lines = client.Lines();
  ASSERT_EQ(lines.size(), 3u);  // no line break reached the command line
  EXPECT_EQ(ArgumentText(lines[0]).rfind("\"muralbox://host/a", 0), 0u) << lines[0];
  EXPECT_EQ(lines[2], "2");
}

// Records the link the dialog opens.
class RecordingLauncher : public mb::LinkLauncher {
 public:
  void Open(const std::string& url) override { opened.push_back(url); }
  std::vector<std::string> opened;
};

HWND WaitForNotInstalledDialog() {
  return winkit::WaitForWindow("#32770", "提示", kWaitMs, GetCurrentProcessId());
}

void ClickItem(HWND dialog, int id) {
  HWND item = GetDlgItem(dialog, id);
  SendMessageA(item, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageA(item, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

TEST(LinkportBinding, WithoutTheClientTheDialogSaysSoAndTheBindingSucceeds) {
  Registered linkport;
  ASSERT_TRUE(linkport.ok());
  SHDeleteValueA(HKEY_LOCAL_MACHINE, "SOFTWARE\\muralbox", "path");
  HRESULT bound = E_FAIL;
  std::thread browser([&] {
    mb::ComApartment com;
    bound = BindLink(L"muralbox://host/p.jpg");
  });
  HWND dialog = WaitForNotInstalledDialog();
  ASSERT_NE(dialog, nullptr);
  char link[256] = {};
  GetDlgItemTextA(dialog, 202, link, sizeof link);
  EXPECT_EQ(std::string(link), mb::kHomePageUrl);
  char shots[MAX_PATH] = {};
  GetFullPathNameA((winkit::BinFolder() + "..\\screenshots\\").c_str(), MAX_PATH, shots, nullptr);
  winkit::MakeFolders(shots);
  EXPECT_TRUE(winkit::CaptureWindowToPng(dialog, std::string(shots) + "linkport_not_installed.png"));
  SendMessageA(dialog, WM_COMMAND, IDOK, 0);
  browser.join();
  EXPECT_TRUE(SUCCEEDED(bound)) << std::hex << bound;
}

TEST(NotInstalledDialog, ItsLinkOpensTheHomePageThroughTheLauncher) {
  HMODULE resources = LoadLibraryA((winkit::BinFolder() + "Linkport.dll").c_str());
  ASSERT_NE(resources, nullptr);
  RecordingLauncher launcher;
  std::thread dialogThread([&] { mb::RunNotInstalledDialog(resources, nullptr, launcher); });
  HWND dialog = WaitForNotInstalledDialog();
  ASSERT_NE(dialog, nullptr);
  ClickItem(dialog, 202);
  SendMessageA(dialog, WM_COMMAND, IDOK, 0);
  dialogThread.join();
  EXPECT_EQ(launcher.opened, std::vector<std::string>{mb::kHomePageUrl});
  FreeLibrary(resources);
}

}  // namespace
