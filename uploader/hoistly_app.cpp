#include "uploader/hoistly_app.h"

#include <commctrl.h>
#include <ole2.h>

#include <memory>

#include "conf/win/config.h"
#include "framework/module.h"
#include "uploader/about_dialog.h"
#include "uploader/hoistly_doc.h"
#include "uploader/hoistly_resource.h"
#include "uploader/main_frame.h"
#include "uploader/program_folder.h"
#include "uploader/uploader_messages.h"

namespace {
const char kInstanceEvent[] = "MuralboxHoistly";
const char kLoginCaption[] = "用户登录";
const char kProgramName[] = "\\Hoistly.exe";
// Open while the program runs: it is what tells a second copy about this one.
HANDLE g_instanceEvent = nullptr;
}  // namespace

bool CHoistlyApp::StartedByHand(const std::string& commandLine) {
  return commandLine.find(kProgramName) != std::string::npos;
}

int CHoistlyApp::ActivateExistingWindow(HWND window, const char* title) {
  HWND found = FindWindowA(nullptr, title);
  if (!found) found = FindWindowA(nullptr, kLoginCaption);
  if (found) {
    ShowWindow(found, SW_SHOWMAXIMIZED);
    return 1;
  }
  if (!GetPropA(window, title)) return 0;
  if (IsIconic(window)) {
    ShowWindow(window, SW_RESTORE);
  } else if (!IsWindowVisible(window)) {
    ShowWindow(window, SW_SHOWNORMAL);
  }
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  SetForegroundWindow(GetLastActivePopup(window));
  return 1;
}

int CHoistlyApp::CheckSingleInstance() {
  HANDLE event = CreateEventA(nullptr, FALSE, TRUE, kInstanceEvent);
  if (event && GetLastError() != ERROR_ALREADY_EXISTS) {
    g_instanceEvent = event;
    return 1;
  }
  for (HWND window = GetWindow(GetDesktopWindow(), GW_CHILD); IsWindow(window);
       window = GetWindow(window, GW_HWNDNEXT)) {
    if (ActivateExistingWindow(window, kMainFrameTitle) || ActivateExistingWindow(window, kLoginCaption)) break;
  }
  if (event) CloseHandle(event);
  return 0;
}

void CHoistlyApp::RunClientAndWait() {
  // The client starts its own uploader later; this copy must not look like a running one by then.
  if (g_instanceEvent) CloseHandle(g_instanceEvent);
  g_instanceEvent = nullptr;
  const std::string program = hoistly::ProgramFolder() + "\\muralbox.exe";
  STARTUPINFOA startup = {sizeof startup};
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_MINIMIZE;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(program.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  Sleep(100);
}

void CHoistlyApp::ShowAbout(HWND mainWindow) {
  if (mainWindow) SetActiveWindow(mainWindow);
  CAboutDlg dialog;
  dialog.DoModal(mainWindow);
}

bool CHoistlyApp::InitInstance() {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_COOL_CLASSES};
  InitCommonControlsEx(&controls);
  if (!CheckSingleInstance()) return false;
  if (FAILED(OleInitialize(nullptr))) {
    MessageBoxA(nullptr, fw::LoadResourceString(IDS_OLE_INIT_FAILED).c_str(), kMainFrameTitle, MB_OK | MB_ICONSTOP);
    return false;
  }
  SetRegistryKey("应用程序向导生成的本地应用程序");
  LoadStdProfileSettings(4);
  AddDocTemplate(std::make_unique<fw::SingleDocTemplate>(
      IDR_MAINFRAME, [] { return new CHoistlyDoc; }, [] { return new CMainFrame; },
      [] { return new CHoistlyView; }));

  const std::string commandLine = GetCommandLineA();
  if (StartedByHand(commandLine)) {
    RunClientAndWait();
    return false;
  }
  // The client passes the member's name as the whole command line.
  CConfig::GetConfig()->SetCurrentUserInfo(commandLine, "");
  if (!ProcessShellCommand()) return false;
  HWND frame = MainFrame()->Handle();
  ShowWindow(frame, SW_SHOWMAXIMIZED);
  SetWindowTextA(frame, kMainFrameTitle);
  UpdateWindow(frame);
  return true;
}
