#include "client/core/win/startup.h"

#include <objbase.h>
#include <commctrl.h>
#include <shlobj.h>

#include "client/core/client_config.h"
#include "common/version_text.h"
#include "client/core/win/client_windows.h"
#include "client/core/win/file_version.h"
#include "client/core/win/registration_ping.h"
#include "client/core/win/skin_engine.h"
#include "client/core/win/system_utils.h"
#include "client/core/win/top_list_fetch.h"
#include "client/core/win/tray_frame.h"
#include "common/gbk_text.h"
#include "common/win/thread_start.h"
#include "framework/message_loop.h"
#include "framework/module.h"

namespace mb {

const char kMessageBoxCaption[] = "墨岚屏[Pelora]-系统消息";
const char kNewVersionQuestion[] = "客户端已有新版本,是否升级?";
const char kSingleInstanceEvent[] = "MuralboxFrame";
const char kMainWindowProperty[] = "MuralboxMainWnd";
const char kLoginWindowProperty[] = "MuralboxLoginWnd";

namespace {

const char kObsoleteShortcutFolder[] = "Documents and Settings\\All Users\\「开始」菜单\\程序\\启动\\";
const char kObsoleteShortcutName[] = "墨岚屏.lnk";

std::string ServiceSiteRoot() {
  return std::string("http://") + MB_SERVICE_HOST + ":" + std::to_string(MB_SERVICE_HTTP_PORT);
}

bool IsMarkedWindow(HWND hwnd) {
  return GetPropA(hwnd, kMainWindowProperty) || GetPropA(hwnd, kLoginWindowProperty);
}

HWND FindRunningInstanceWindow() {
  for (HWND hwnd = GetWindow(GetDesktopWindow(), GW_CHILD); hwnd; hwnd = GetWindow(hwnd, GW_HWNDNEXT)) {
    if (IsMarkedWindow(hwnd)) return hwnd;
  }
  return nullptr;
}

}  // namespace

PendingLinkQueue& PendingLinks() {
  static PendingLinkQueue queue;
  return queue;
}

void RemoveObsoleteShortcut() {
  char windowsFolder[MAX_PATH] = {};
  if (!GetWindowsDirectoryA(windowsFolder, MAX_PATH)) return;
  const std::string folder = windowsFolder;
  const std::size_t slash = GbkFind(folder, '\\');
  if (slash == std::string::npos) return;
  const std::string shortcut = folder.substr(0, slash + 1) + kObsoleteShortcutFolder + kObsoleteShortcutName;
  if (PathExists(shortcut)) DeleteFileA(shortcut.c_str());
}

bool HandOverToRunningInstance(const char* commandLine) {
  HWND target = FindRunningInstanceWindow();
  if (!target) return false;
  if (IsIconic(target)) {
    ShowWindow(target, SW_RESTORE);
  } else if (!IsWindowVisible(target)) {
    ShowWindow(target, SW_SHOWNORMAL);
  }
  SetForegroundWindow(target);
  SetForegroundWindow(GetLastActivePopup(target));

  const std::string text = commandLine ? commandLine : "";
  COPYDATASTRUCT data = {kCommandLineCopyData, static_cast<DWORD>(text.size() + 1),
                         const_cast<char*>(text.c_str())};
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(target, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), 0, kHandOverTimeoutMs, &ignored);
  return true;
}

bool CheckForUpdate() {
  std::string packageVersion;
  if (!GetProgramFileVersionText("data\\setup.exe", packageVersion)) return false;
  std::string ownVersion;
  GetFileVersionText(GetModuleFilePath(), ownVersion);
  if (!CompareVersionText(packageVersion, ownVersion)) return false;
  return MessageBoxA(nullptr, kNewVersionQuestion, kMessageBoxCaption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

bool LaunchUpdater(const std::string& updateUrl) {
  return RunProcess("\"" + GetModuleDirectory() + "renewkit.exe\" /m0" + updateUrl, false, false);
}

int AppRun(const char* commandLine) {
  fw::MessageLoop loop;
  fw::Module::AddMessageLoop(&loop);

  LoadSkinLibrary();
  ClientConfig& config = *GetClientConfig();
  LaunchUpdater(config.updateUrl);
  ParseCommandLine(commandLine ? commandLine : "", PendingLinks());

  if (PendingLinks().Empty()) {
    const LoginOutcome login = RunLoginDialog(GetActiveWindow());
    config.loginRunning = 0;
    if (login == LoginOutcome::kClosed) {
      CreateTrayFrame();
    } else if (login == LoginOutcome::kLoggedIn) {
      if (config.registerPending) {
        RegistrationPing(config.sessionUser, config.loadedClientId);
        config.registerPending = 0;
      }
      // The frame was made before the login went out, so it could not start the notices.
      if (TrayFrame* frame = GetTrayFrame()) frame->StartPopups();
    }
  }

  // An exit chosen while the login dialog stood has already shut the client down.
  int exitCode = 0;
  if (!ClientShuttingDown() && CreateMainWindow()) {
    exitCode = loop.Run();
  }
  fw::Module::RemoveMessageLoop();
  StopTopListFetch(TrayFrame::kThreadStopWaitMs);
  FreeSkinLibrary();
  DestroyMainWindow();
  TrayFrame::ReleaseTrayFrame();
  return exitCode;
}

int AppMain(HINSTANCE instance, const char* commandLine, int) {
  ReleaseUnusedStack();  // what the process start-up wrote below this frame
  RemoveObsoleteShortcut();

  // The event marks a running copy for the life of the process; it is never closed.
  HANDLE instanceEvent = CreateEventA(nullptr, FALSE, TRUE, kSingleInstanceEvent);
  if (!instanceEvent || GetLastError() == ERROR_ALREADY_EXISTS) {
    HandOverToRunningInstance(commandLine);
    return 0;
  }

  if (CheckForUpdate()) {
    RunProcess("\"" + GetModuleDirectory() + "data\\setup.exe\" /S ", false, false);
    return 0;
  }

  CoInitialize(nullptr);
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_COOL_CLASSES};
  InitCommonControlsEx(&controls);
  fw::Module::Init(instance);
  CreateClientConfig({GetModuleDirectory(), ServiceSiteRoot()});

  const int result = AppRun(commandLine);

  DestroyClientConfig();
  fw::Module::Term();
  CoUninitialize();
  return result;
}

}  // namespace mb
