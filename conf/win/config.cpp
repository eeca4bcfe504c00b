#include "conf/win/config.h"

#include <shlobj.h>

#include "common/gbk_text.h"

namespace {

// The folder of Conf.dll itself, with a trailing backslash; the library's files live there.
std::string LibraryFolder() {
  static const std::string folder = [] {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&LibraryFolder), &module);
    char path[MAX_PATH] = {};
    GetModuleFileNameA(module, path, MAX_PATH);
    const std::string text(path);
    const std::size_t slash = mb::GbkFindLast(text, '\\');
    return slash == std::string::npos ? std::string() : text.substr(0, slash + 1);
  }();
  return folder;
}

std::string TrimTrailingBlanks(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

const char kStartupShortcut[] = "墨岚屏上传.lnk";

}  // namespace

CConfig* CConfig::GetConfig() {
  static CConfig instance;
  return &instance;
}

CConfig::CConfig() {
  Load();
  listView_ = file_.defaultListView;
  file_.showFileName = 1;  // the file-name column is always shown
}

CConfig::~CConfig() { Save(); }

std::string CConfig::GetConfigFilePath(const char* name) const { return LibraryFolder() + name; }

void CConfig::Load() {
  std::lock_guard<std::mutex> lock(userMutex_);
  mb::conf::LoadConfigFile(GetConfigFilePath("config.dat"), file_);
}

bool CConfig::Save() {
  std::lock_guard<std::mutex> lock(userMutex_);
  return mb::conf::SaveConfigFile(GetConfigFilePath("config.dat"), file_);
}

std::string CConfig::GetDefaultUserName() const {
  std::lock_guard<std::mutex> lock(userMutex_);
  return file_.userName;
}

void CConfig::SetDefaultUserName(const std::string& name) {
  std::lock_guard<std::mutex> lock(userMutex_);
  file_.userName = name;
}

int CConfig::GetUploaderWord(int index) const { return index >= 0 && index < 5 ? uploaderWords_[index] : 0; }

void CConfig::SetUploaderWord(int index, int value) {
  if (index >= 0 && index < 5) uploaderWords_[index] = value;
}

std::string CConfig::GetProgramPath() const {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return TrimTrailingBlanks(path);
}

std::string CConfig::GetDefaultFrameFilePath(std::string& out) const {
  out = GetConfigFilePath("defaultwatermark.gif");
  return out;
}

std::string CConfig::GetDefaultAdFilePath(std::string& out) const {
  out = GetConfigFilePath("indexsdfs3_1_05.swf");
  return out;
}

bool CConfig::isFileExist(const char* path) const {
  if (!path) return false;
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA(path, &data);
  if (find == INVALID_HANDLE_VALUE) return false;
  FindClose(find);
  return true;
}

int CConfig::IsWin98() const {
  OSVERSIONINFOEXA extended = {};
  extended.dwOSVersionInfoSize = sizeof extended;
  if (GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&extended))) {
    return extended.dwPlatformId == VER_PLATFORM_WIN32_NT ? 0 : 1;
  }
  OSVERSIONINFOA plain = {};
  plain.dwOSVersionInfoSize = sizeof plain;
  if (GetVersionExA(&plain)) return plain.dwPlatformId == VER_PLATFORM_WIN32_NT ? 0 : 1;
  return 1;
}

std::string CConfig::GetStartMenuPath() const {
  char path[MAX_PATH] = {};
  SHGetSpecialFolderPathA(nullptr, path, IsWin98() ? CSIDL_STARTUP : CSIDL_COMMON_STARTUP, FALSE);
  return mb::conf::StartupFolderFromShellPath(path);
}

int CConfig::CreateLink(int create) {
  const std::string shortcut = GetStartMenuPath() + kStartupShortcut;
  const bool exists = isFileExist(shortcut.c_str());
  if (create) return exists ? 0 : CreateProgramLink(GetProgramPath().c_str(), shortcut.c_str());
  return exists ? (DeleteFileA(shortcut.c_str()) ? 1 : 0) : 0;
}
