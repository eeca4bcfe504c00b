#include "conf/win/config.h"

#include <shlobj.h>

#include "common/atomic_file.h"
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
  LoadUserList();
  LoadClassify();
  LoadActives();
  LoadThemes();
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
  if (!SHGetSpecialFolderPathA(nullptr, path, IsWin98() ? CSIDL_STARTUP : CSIDL_COMMON_STARTUP, FALSE)) return {};
  return mb::conf::StartupFolderFromShellPath(path);
}

int CConfig::CreateLink(int create) {
  const std::string folder = GetStartMenuPath();
  if (folder.empty()) return 0;  // no Startup folder, no shortcut
  const std::string shortcut = folder + kStartupShortcut;
  const bool exists = isFileExist(shortcut.c_str());
  if (create) return exists ? 0 : CreateProgramLink(GetProgramPath().c_str(), shortcut.c_str());
  return exists ? (DeleteFileA(shortcut.c_str()) ? 1 : 0) : 0;
}

mb::conf::UserListValues CConfig::UserListNow() const {
  mb::conf::UserListValues values;
  values.defaultUser = GetDefaultUserName();
  values.storedPassword = storedPassword_;
  values.autoLogin = autoLogin_;
  values.recordPassword = recordPw_;
  values.users = users_;
  return values;
}

void CConfig::LoadUserList() {
  mb::conf::UserListValues values = UserListNow();
  if (mb::conf::LoadUserListFile(GetConfigFilePath("userlist.dat"), values) != mb::conf::UserListState::Loaded) return;
  SetDefaultUserName(values.defaultUser);
  storedPassword_ = values.storedPassword;
  autoLogin_ = values.autoLogin;
  recordPw_ = values.recordPassword;
  users_ = values.users;
}

bool CConfig::SaveUserList() { return mb::conf::SaveUserListFile(GetConfigFilePath("userlist.dat"), UserListNow()); }

void CConfig::AddUserInfo(const std::string& name, const std::string& storedPassword) {
  mb::conf::UserListValues values;
  values.users = users_;
  mb::conf::SetUserPassword(values, name, storedPassword);
  users_ = values.users;
  SaveUserList();
}

void CConfig::SetCurrentUserInfo(const std::string& name, const std::string& password) {
  const std::string user = mb::conf::WithoutLineBreaks(name);
  SetDefaultUserName(user);
  storedPassword_ = mb::conf::StorePassword(password);
  AddUserInfo(user, storedPassword_);
}

std::string CConfig::GetDefaultPassword() const { return mb::conf::RecallPassword(storedPassword_); }

std::string CConfig::GetPassword(const std::string& name) const {
  mb::conf::UserListValues values;
  values.users = users_;
  return mb::conf::RecallPassword(mb::conf::StoredPasswordOf(values, name));
}

void CConfig::AddUserNameToCombo(HWND combo) const {
  for (const mb::conf::UserEntry& entry : users_) {
    bool held = false;  // an exact compare: CB_FINDSTRINGEXACT ignores letter case
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count && !held; ++i) {
      char item[512] = {};
      if (SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0) >= static_cast<LRESULT>(sizeof item)) continue;
      SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
      held = entry.name == item;
    }
    if (!held) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.name.c_str()));
  }
}

namespace {

std::string ListFileText(const std::string& path) { return mb::ReadWholeFile(path).value_or(std::string()); }

}  // namespace

void CConfig::LoadClassify() { categories_.Parse(ListFileText(GetConfigFilePath("classify.dat"))); }
void CConfig::LoadActives() { actives_.Parse(ListFileText(GetConfigFilePath("actives.dat"))); }
void CConfig::LoadThemes() { themes_.Parse(ListFileText(GetConfigFilePath("themes.dat"))); }
void CConfig::LoadSpecialList(const std::string& number, const std::string& name) { albums_.Add(number, name); }
void CConfig::EmptySpecialList() { albums_.Clear(); }
void CConfig::GetActives(std::vector<std::string>& names) const { actives_.AppendNames(names); }
void CConfig::GetThemes(std::vector<std::string>& names) const { themes_.AppendNames(names); }
void CConfig::GetSpecialList(std::vector<std::string>& names) const { albums_.AppendNames(names); }
void CConfig::GetTopClass(std::vector<std::string>& names, const std::string& parentName) const {
  categories_.AppendChildren(names, parentName);
}
std::string CConfig::GetClass(int id) const { return categories_.NameOf(id); }
int CConfig::GetType(const std::string& name) const { return categories_.TypeOf(name); }
int CConfig::GetActiveType(const std::string& name) const { return actives_.TypeOf(name); }
int CConfig::GetThemeType(const std::string& name) const { return themes_.TypeOf(name); }
int CConfig::GetSpecialNum(const std::string& name) const { return albums_.TypeOf(name); }
std::string CConfig::GetSpecialName(int id) const { return albums_.NameOf(id); }
int CConfig::IsExistsSpecial(const std::string& name) const { return albums_.Contains(name) ? 1 : 0; }
