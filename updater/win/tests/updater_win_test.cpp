#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/winkit/standin_client.h"
#include "tests/winkit/winkit.h"
#include "updater/win/http_downloader.h"

namespace {

const DWORD kRunTimeoutMs = 30000;
const WPARAM kTrayExitCommand = 32776;

std::string ServiceBase() {
  return std::string("http://") + MB_SERVICE_HOST + ":" + std::to_string(MB_SERVICE_HTTP_PORT);
}

// A package as the stand-in (a Linux program) reads it.
std::string LinuxBuildFile(const std::string& name) { return std::string(MB_LINUX_BIN_DIR) + "/" + name; }

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found = {};
  HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

// The temporary folder that this process and the programs it starts use, set for the life of
// the object; the one before comes back afterwards, before the test's folder is deleted.
class TemporaryFolderSetting {
 public:
  explicit TemporaryFolderSetting(const std::string& folder) {
    for (Saved& variable : saved_) {
      char value[MAX_PATH] = {};
      const DWORD length = GetEnvironmentVariableA(variable.name, value, MAX_PATH);
      variable.existed = length > 0 && length < MAX_PATH;
      variable.value = value;
      SetEnvironmentVariableA(variable.name, folder.c_str());
    }
  }
  ~TemporaryFolderSetting() {
    for (const Saved& variable : saved_) {
      SetEnvironmentVariableA(variable.name, variable.existed ? variable.value.c_str() : nullptr);
    }
  }
  TemporaryFolderSetting(const TemporaryFolderSetting&) = delete;
  TemporaryFolderSetting& operator=(const TemporaryFolderSetting&) = delete;

 private:
  struct Saved {
    const char* name;
    bool existed;
    std::string value;
  };
  Saved saved_[2] = {{"TMP", false, {}}, {"TEMP", false, {}}};
};

// The updater in a private program folder; it and whatever is started while this lives keep
// their temporary files in a private folder.
class Updater {
 public:
  Updater() { folder_.Install("renewkit.exe", "renewkit.exe"); }
  const winkit::InstallFolder& Folder() const { return folder_; }
  std::string Setup() const { return folder_.Path("data\\setup.exe"); }
  std::vector<std::string> TemporaryFiles() const { return FolderEntries(temp_.Root()); }

  bool Run(const std::string& arguments) {
    winkit::ChildProcess process;
    const bool started = process.Start(folder_.Path("renewkit.exe"), arguments, folder_.Root());
    const bool ended = started && process.WaitForExit(kRunTimeoutMs);
    return ended && process.ExitCode() == 0;
  }
  bool Check() { return Run("/m0" + ServiceBase() + "/kivane/update.jsp"); }

 private:
  winkit::InstallFolder folder_{{}};
  winkit::TempFolder temp_;
  TemporaryFolderSetting tempSetting_{temp_.Root()};
};

TEST(Renewkit, NoUpdateWritesNothingAndAsksWithAnEmptyVersion) {
  winkit::StandinSession standin;
  ASSERT_TRUE(standin.Control("installer none"));
  Updater updater;
  ASSERT_TRUE(updater.Check());
  EXPECT_FALSE(winkit::FileExists(updater.Setup()));
  EXPECT_EQ(FolderEntries(updater.Folder().Path("data\\")), std::vector<std::string>{});
  EXPECT_EQ(updater.TemporaryFiles(), std::vector<std::string>{});
  const std::vector<winkit::StandinRequest> seen = standin.Requests();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].path, "/kivane/update.jsp");
  EXPECT_EQ(seen[0].query, "version=");
}

TEST(Renewkit, ANewerPackageBecomesSetupExeByteForByte) {
  winkit::StandinSession standin;
  ASSERT_TRUE(standin.Control("installer 9.0.0.0 " + LinuxBuildFile("setup_newer.exe") + " /Download/Setup9.EXE"));
  Updater updater;
  ASSERT_TRUE(updater.Folder().Install("setup_older.exe", "data\\setup.exe"));
  ASSERT_TRUE(updater.Check());
  EXPECT_EQ(winkit::ReadTextFile(updater.Setup()), winkit::ReadTextFile(winkit::BinFolder() + "setup_newer.exe"));
  EXPECT_EQ(FolderEntries(updater.Folder().Path("data\\")), std::vector<std::string>{"setup.exe"});
  EXPECT_EQ(updater.TemporaryFiles(), std::vector<std::string>{});
  const std::vector<winkit::StandinRequest> seen = standin.Requests();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].query, "version=0.9.9.9");
  EXPECT_EQ(seen[1].path, "/Download/Setup9.EXE");  // the address as sent, capitals kept

  // A second copy while one runs ends at once without asking.
  HANDLE running = CreateEventA(nullptr, TRUE, TRUE, "QOVEN_DDD_UPDATE");
  standin.Mark();
  const DWORD start = GetTickCount();
  ASSERT_TRUE(updater.Check());
  EXPECT_LT(GetTickCount() - start, 10000u);
  EXPECT_TRUE(standin.Requests().empty());
  CloseHandle(running);
}

TEST(Renewkit, BrokenOrOlderPackagesLeaveSetupExeAsItWas) {
  const std::string path = "/Download/Setup9.EXE";
  struct Case {
    std::string package;
    std::string fault;
  };
  const std::vector<Case> cases = {
      {"setup_newer.exe", "404"},      {"setup_newer.exe", "garbage"}, {"setup_newer.exe", "truncate"},
      {"setup_plain.exe", "none"},     {"setup_older.exe", "none"},
  };
  for (const Case& c : cases) {
    winkit::StandinSession standin;
    ASSERT_TRUE(standin.Control("installer 9.0.0.0 " + LinuxBuildFile(c.package) + " " + path + "\nfault " + path +
                                " " + c.fault));
    Updater updater;
    ASSERT_TRUE(updater.Folder().Install("setup_older.exe", "data\\setup.exe"));
    ASSERT_TRUE(updater.Check());
    EXPECT_EQ(winkit::ReadTextFile(updater.Setup()), winkit::ReadTextFile(winkit::BinFolder() + "setup_older.exe"))
        << c.package << " " << c.fault;
    EXPECT_EQ(FolderEntries(updater.Folder().Path("data\\")), std::vector<std::string>{"setup.exe"}) << c.fault;
    EXPECT_EQ(updater.TemporaryFiles(), std::vector<std::string>{}) << c.package << " " << c.fault;
    EXPECT_EQ(standin.Requests().size(), 2u) << c.package << " " << c.fault;
  }
}

TEST(HttpDownloader, AStalledAnswerEndsAtTheTimeLimitWithoutAFile) {
  winkit::StandinSession standin;
  ASSERT_TRUE(standin.Control("installer 9.0.0.0 " + LinuxBuildFile("setup_newer.exe") +
                              " /Download/Stalled.exe\nfault /Download/Stalled.exe stall"));
  winkit::TempFolder temp;
  winkit::MakeFolders(temp.Root());
  const std::string file = temp.Path("rkupTmp0.exe");
  mb::HttpDownloader downloader;
  const DWORD start = GetTickCount();
  const mb::DownloadOutcome outcome = downloader.Download(ServiceBase() + "/Download/Stalled.exe", file, 3000);
  const DWORD elapsed = GetTickCount() - start;
  EXPECT_TRUE(outcome.timedOut);
  EXPECT_GE(elapsed, 2900u);
  EXPECT_LT(elapsed, 7000u);
  EXPECT_FALSE(winkit::FileExists(file));
}

TEST(UpdateRoad, TheClientRunsTheUpdaterAndOffersTheNewPackageAtItsNextStart) {
  winkit::StandinSession standin;
  ASSERT_TRUE(standin.Control("installer 9.0.0.0 " + LinuxBuildFile("setup_newer.exe") + " /download/setup.exe"));
  Updater updater;
  const winkit::InstallFolder& folder = updater.Folder();
  ASSERT_TRUE(folder.Install("muralbox.exe", "muralbox.exe"));
  ASSERT_TRUE(folder.Install("setup_older.exe", "data\\setup.exe"));

  const std::string newer = winkit::ReadTextFile(winkit::BinFolder() + "setup_newer.exe");
  {
    // A logged-out start: the login dialog is closed, the client goes on to its main window and
    // ends through its tray's exit command once the updater has done its work.
    winkit::ChildProcess client;
    ASSERT_TRUE(client.Start(folder.Path("muralbox.exe"), "", folder.Root()));
    HWND login = winkit::WaitForWindowWithProperty("MuralboxLoginWnd", kRunTimeoutMs, client.Id());
    ASSERT_NE(login, nullptr);
    PostMessageA(login, WM_COMMAND, IDCANCEL, 0);
    ASSERT_NE(winkit::WaitForWindowWithProperty("MuralboxMainWnd", kRunTimeoutMs, client.Id()), nullptr);
    for (int i = 0; i < 300 && winkit::ReadTextFile(updater.Setup()) != newer; ++i) Sleep(100);
    HWND frame = winkit::WaitForWindow("MuralboxTrayFrame", nullptr, kRunTimeoutMs, client.Id());
    ASSERT_NE(frame, nullptr);
    PostMessageA(frame, WM_COMMAND, kTrayExitCommand, 0);
    ASSERT_TRUE(client.WaitForExit(kRunTimeoutMs));
  }
  ASSERT_EQ(winkit::ReadTextFile(updater.Setup()), newer);
  for (const std::string& name : updater.TemporaryFiles()) {
    EXPECT_TRUE(name.rfind("rkupTmp", 0) != 0 && name.rfind("dat", 0) != 0) << name;  // the updater's are gone
  }
  bool asked = false;
  for (const winkit::StandinRequest& request : standin.Requests()) {
    asked = asked || (request.path == "/update.jsp" && request.query == "version=0.9.9.9");
  }
  EXPECT_TRUE(asked);

  winkit::ChildProcess client;
  ASSERT_TRUE(client.Start(folder.Path("muralbox.exe"), "", folder.Root()));
  std::string question;
  ASSERT_TRUE(winkit::AnswerMessageBox("墨岚屏[Pelora]-系统消息", IDYES, kRunTimeoutMs, &question, client.Id()));
  EXPECT_EQ(question, "客户端已有新版本,是否升级?");
  ASSERT_TRUE(client.WaitForExit(kRunTimeoutMs));
  std::string log;
  for (int i = 0; i < 100 && log.empty(); ++i) {
    Sleep(100);
    log = winkit::ReadTextFile(folder.Path("data\\setup.log"));
  }
  EXPECT_EQ(log, "\"" + folder.Root() + "data\\setup.exe\" /S ");
}

}  // namespace
