#include "client/core/win/system_utils.h"

#include <windows.h>

#include "common/gbk_text.h"

namespace mb {

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
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
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

}  // namespace mb
