#include "client/core/win/system_utils.h"

#include <shlobj.h>

#include "client/core/path_text.h"
#include "client/core/unix_time.h"
#include "common/gbk_text.h"

namespace mb {
namespace {

constexpr std::size_t kWindowTextLimit = 260;
constexpr int kCsidlProgramFilesCommon = 0x2B;  // CSIDL_PROGRAM_FILES_COMMON

bool IsNtSystem() { return (GetVersion() & 0x80000000u) == 0; }

// A search of the file system; the handle is closed with the object.
class FileSearch {
 public:
  explicit FileSearch(const std::string& pattern) : handle_(FindFirstFileA(pattern.c_str(), &found_)) {}
  ~FileSearch() {
    if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
  }
  FileSearch(const FileSearch&) = delete;
  FileSearch& operator=(const FileSearch&) = delete;

  bool found() const { return handle_ != INVALID_HANDLE_VALUE; }
  const WIN32_FIND_DATAA& entry() const { return found_; }
  bool Next() { return FindNextFileA(handle_, &found_) != FALSE; }

 private:
  WIN32_FIND_DATAA found_ = {};
  HANDLE handle_;
};

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

using GetFolderPathFunction = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);

// SHGetFolderPathA from shell32, or from Shlwapi on systems whose shell32 lacks it.
bool AskShellForFolder(int csidl, std::string& folder) {
  for (const char* library : {"shell32.dll", "Shlwapi.dll"}) {
    HMODULE module = LoadLibraryA(library);
    if (!module) continue;
    const auto getFolderPath =
        reinterpret_cast<GetFolderPathFunction>(GetProcAddress(module, "SHGetFolderPathA"));
    char path[MAX_PATH] = {};
    const bool ok = getFolderPath && SUCCEEDED(getFolderPath(nullptr, csidl, nullptr, 0, path));
    FreeLibrary(module);
    if (ok) {
      folder = path;
      return true;
    }
    if (getFolderPath) return false;  // the system has the function and it failed
  }
  return false;
}

}  // namespace

std::string GetModuleFilePath() {
  char path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(path, n < MAX_PATH ? n : 0);
}

std::string GetModuleDirectory() {
  const std::string path = GetModuleFilePath();
  const std::size_t slash = GbkFindLast(path, '\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool PathExists(const std::string& path) {
  if (path.empty()) return false;
  return FileSearch(path).found();
}

bool CreateDirectoryPath(const std::string& path) {
  if (path.empty()) return false;
  if (CreateDirectoryA(path.c_str(), nullptr)) return true;
  if (GetLastError() == ERROR_PATH_NOT_FOUND) {
    // Each folder from the left; those that exist already fail harmlessly.
    for (const std::string& folder : FolderChain(path)) CreateDirectoryA(folder.c_str(), nullptr);
  }
  return IsFolder(path);
}

int CountFolderFiles(const std::string& folder) {
  FileSearch search(FolderSearchPattern(folder));
  if (!search.found()) return 0;
  int count = 0;
  do {
    const WIN32_FIND_DATAA& entry = search.entry();
    if (IsCountedFolderFile(entry.cFileName, (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                            (entry.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0)) {
      ++count;
    }
  } while (search.Next());
  return count;
}

std::string GetStartupFolderPath() {
  char path[MAX_PATH] = {};
  const int csidl = IsNtSystem() ? CSIDL_COMMON_STARTUP : CSIDL_STARTUP;
  if (!SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE)) return {};
  std::string folder = path;
  if (!GbkEndsWith(folder, '\\')) folder += '\\';
  return folder;
}

std::string GetCommonFilesFolder() {
  std::string folder;
  if (AskShellForFolder(kCsidlProgramFilesCommon, folder)) return folder;
  char windowsFolder[MAX_PATH] = {};
  const UINT n = GetWindowsDirectoryA(windowsFolder, MAX_PATH);
  return FallbackCommonFilesFolder(std::string(windowsFolder, n < MAX_PATH ? n : 0));
}

bool RunProcess(const std::string& commandLine, bool show, bool wait) {
  STARTUPINFOA startup = {sizeof startup};
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = show ? SW_SHOWDEFAULT : SW_HIDE;
  PROCESS_INFORMATION process = {};
  std::string line = commandLine;  // CreateProcessA may write into its command line
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return false;
  }
  if (wait) WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

bool GetWindowTextString(HWND window, std::string& text) {
  // Room for one byte more than the limit tells whether the text reached it.
  char buffer[kWindowTextLimit + 2] = {};
  const int n = GetWindowTextA(window, buffer, static_cast<int>(sizeof buffer));
  const std::string_view whole(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
  text.assign(whole.substr(0, GbkCutLength(whole, kWindowTextLimit)));
  return whole.size() >= kWindowTextLimit;
}

void TrimWorkingSet() {
  if (IsNtSystem()) SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
}

std::int64_t GetUnixTime() {
  SYSTEMTIME now;
  GetSystemTime(&now);
  return UnixTimeFromUtc(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond);
}

}  // namespace mb
