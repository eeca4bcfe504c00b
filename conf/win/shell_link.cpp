// CConfig::CreateProgramLink: a shell link to a program, saved as a .lnk file.
#include <objbase.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "common/gbk_text.h"
#include "conf/win/config.h"

namespace {

// Releases a COM interface pointer when it goes out of scope.
template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() {
    if (pointer_) pointer_->Release();
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  T** Out() { return &pointer_; }
  T* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }

 private:
  T* pointer_ = nullptr;
};

// Keeps COM started on this thread for the scope, when it was not started already.
class ComScope {
 public:
  ComScope() : started_(SUCCEEDED(CoInitialize(nullptr))) {}
  ~ComScope() {
    if (started_) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool started_;
};

std::wstring Widen(const std::string& text) {
  const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  std::vector<wchar_t> wide(n > 0 ? n : 1);
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
  return wide.data();
}

}  // namespace

int CConfig::CreateProgramLink(const char* target, const char* shortcut) {
  if (!target || !shortcut) return 0;
  ComScope com;
  ComPtr<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(link.Out())))) {
    return 0;
  }
  const std::string path(target);
  const std::size_t slash = mb::GbkFindLast(path, '\\');
  link->SetPath(target);
  link->SetWorkingDirectory(slash == std::string::npos ? "" : path.substr(0, slash).c_str());
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Out())))) return 0;
  return SUCCEEDED(file->Save(Widen(shortcut).c_str(), TRUE)) ? 1 : 0;
}
