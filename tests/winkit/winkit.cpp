#include "tests/winkit/winkit.h"

#include <shellapi.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace winkit {

namespace {
#ifdef _WIN64
const char* const kRuntimeDlls[] = {"libstdc++-6.dll", "libgcc_s_seh-1.dll", "libwinpthread-1.dll"};
#else
const char* const kRuntimeDlls[] = {"libstdc++-6.dll", "libgcc_s_dw2-1.dll", "libwinpthread-1.dll"};
#endif

struct WindowSearch {
  const char* property;
  const char* className;
  const char* title;
  DWORD processId;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  if (search->processId && WindowProcessId(hwnd) != search->processId) return TRUE;
  if (search->property && !GetPropA(hwnd, search->property)) return TRUE;
  if (search->className) {
    char name[256] = {};
    GetClassNameA(hwnd, name, sizeof name);
    if (lstrcmpA(name, search->className) != 0) return TRUE;
  }
  if (search->title) {
    char text[512] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    if (lstrcmpA(text, search->title) != 0) return TRUE;
  }
  search->found = hwnd;
  return FALSE;
}

HWND WaitFor(WindowSearch search, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    search.found = nullptr;
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found || GetTickCount() - start >= timeoutMs) return search.found;
    PumpMessages(50);
  }
}
}  // namespace

std::string BinFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

// Without a usable temporary folder the test stops here: an empty name would put the test's
// files at the root of the current drive.
TempFolder::TempFolder() {
  char base[MAX_PATH] = {};
  const DWORD length = GetTempPathA(MAX_PATH, base);
  char name[MAX_PATH] = {};
  if (length == 0 || length >= MAX_PATH || !GetTempFileNameA(base, "mbt", 0, name) || !DeleteFileA(name) ||
      !CreateDirectoryA(name, nullptr)) {
    throw std::runtime_error(std::string("no private folder can be made in the temporary folder \"") + base + "\"");
  }
  root_ = std::string(name) + "\\";
}

TempFolder::~TempFolder() {
  std::string from = root_.substr(0, root_.size() - 1);
  from.push_back('\0');  // double-zero terminated list
  SHFILEOPSTRUCTA op = {};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
  SHFileOperationA(&op);
}

InstallFolder::InstallFolder(const std::vector<std::string>& programs) {
  for (const char* dll : kRuntimeDlls) Install(dll, dll);
  for (const std::string& program : programs) Install(program, program);
}

bool InstallFolder::Install(const std::string& buildFile, const std::string& relativeName) const {
  const std::string target = Path(relativeName);
  MakeFolders(target.substr(0, target.find_last_of('\\') + 1));
  return CopyFileA((BinFolder() + buildFile).c_str(), target.c_str(), FALSE) != FALSE;
}

bool WriteTextFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  return static_cast<bool>(out);
}

std::string ReadTextFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool MakeFolders(const std::string& path) {
  std::string folder = path;
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  for (std::size_t pos = folder.find('\\', 3); pos != std::string::npos; pos = folder.find('\\', pos + 1)) {
    CreateDirectoryA(folder.substr(0, pos).c_str(), nullptr);
  }
  return FileExists(folder.substr(0, folder.size() - 1));
}

ChildProcess::~ChildProcess() {
  Kill();
  if (info_.hThread) CloseHandle(info_.hThread);
  if (info_.hProcess) CloseHandle(info_.hProcess);
}

bool ChildProcess::Start(const std::string& program, const std::string& arguments, const std::string& folder) {
  std::string commandLine = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
  STARTUPINFOA startup = {sizeof startup};
  return CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info_) != FALSE;
}

bool ChildProcess::WaitForExit(DWORD timeoutMs) {
  if (!info_.hProcess) return true;
  const DWORD start = GetTickCount();
  for (;;) {
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= timeoutMs) return WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0;
    DWORD wait = MsgWaitForMultipleObjects(1, &info_.hProcess, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
    if (wait == WAIT_OBJECT_0) return true;
    PumpMessages(0);
  }
}

DWORD ChildProcess::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (info_.hProcess) GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

bool ChildProcess::Running() const { return info_.hProcess && ExitCode() == STILL_ACTIVE; }

void ChildProcess::Kill() {
  if (Running()) {
    TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, 5000);
  }
}

void PumpMessages(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (milliseconds) Sleep(10);
  } while (GetTickCount() - start < milliseconds);
}

DWORD WindowProcessId(HWND hwnd) {
  DWORD id = 0;
  GetWindowThreadProcessId(hwnd, &id);
  return id;
}

HWND WaitForWindowWithProperty(const char* property, DWORD timeoutMs, DWORD processId) {
  return WaitFor({property, nullptr, nullptr, processId, nullptr}, timeoutMs);
}

HWND WaitForWindow(const char* className, const char* title, DWORD timeoutMs, DWORD processId) {
  return WaitFor({nullptr, className, title, processId, nullptr}, timeoutMs);
}

bool AnswerMessageBox(const char* caption, int buttonId, DWORD timeoutMs, std::string* text, DWORD processId) {
  HWND box = WaitForWindow("#32770", caption, timeoutMs, processId);
  if (!box) return false;
  if (text) {
    // The message text is the box's static control with id 0xFFFF.
    char buffer[512] = {};
    GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer);
    *text = buffer;
  }
  HWND button = GetDlgItem(box, buttonId);
  if (!button) return false;
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  return true;
}

}  // namespace winkit
