#include "client/core/win/shell_operations.h"

#include <exdisp.h>
#include <shellapi.h>

#include "client/core/path_text.h"
#include "client/core/win/system_utils.h"
#include "common/gbk_text.h"
#include "common/win/com_ptr.h"

namespace mb {
namespace {

constexpr char kBrowserProgram[] = "IEXPLORE.EXE";

// Frees an item list made by the shell.
class ItemList {
 public:
  explicit ItemList(LPITEMIDLIST list) : list_(list) {}
  ~ItemList() {
    if (list_) CoTaskMemFree(list_);
  }
  ItemList(const ItemList&) = delete;
  ItemList& operator=(const ItemList&) = delete;
  LPITEMIDLIST Get() const { return list_; }

 private:
  LPITEMIDLIST list_;
};

using OpenFolderAndSelectItemsFunction = HRESULT(WINAPI*)(LPCITEMIDLIST, UINT, LPCITEMIDLIST*, DWORD);
using GetIDispatchForFolderFunction = HRESULT(WINAPI*)(LPCITEMIDLIST, IWebBrowserApp**);

// Systems before SHOpenFolderAndSelectItems: open the folder window through SHDOCVW and let its
// view select the item.
bool SelectThroughFolderWindow(LPCITEMIDLIST item) {
  HMODULE shdocvw = LoadLibraryA("SHDOCVW.DLL");
  if (!shdocvw) return false;
  const auto getDispatch =
      reinterpret_cast<GetIDispatchForFolderFunction>(GetProcAddress(shdocvw, "SHGetIDispatchForFolder"));
  bool selected = false;
  ItemList folder(ILClone(item));
  if (getDispatch && folder.Get() && ILRemoveLastID(folder.Get())) {
    ComPtr<IWebBrowserApp> browser;
    if (SUCCEEDED(getDispatch(folder.Get(), browser.Out())) && browser) {
      SHANDLE_PTR window = 0;
      if (SUCCEEDED(browser->get_HWND(&window)) && window) {
        SetForegroundWindow(reinterpret_cast<HWND>(window));
        ShowWindow(reinterpret_cast<HWND>(window), SW_SHOW);
      }
      ComPtr<IServiceProvider> services = browser.As<IServiceProvider>(IID_IServiceProvider);
      ComPtr<IShellBrowser> shellBrowser;
      ComPtr<IShellView> view;
      if (services &&
          SUCCEEDED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, shellBrowser.OutVoid())) &&
          shellBrowser && SUCCEEDED(shellBrowser->QueryActiveShellView(view.Out())) && view) {
        selected = SUCCEEDED(view->SelectItem(ILFindLastID(item), SVSI_SELECT | SVSI_DESELECTOTHERS |
                                                                       SVSI_ENSUREVISIBLE | SVSI_FOCUSED));
      }
    }
  }
  FreeLibrary(shdocvw);
  return selected;
}

// Opens new browser windows through the browser's automation object and the shell.
class SystemBrowserLauncher : public BrowserLauncher {
 public:
  bool NavigateNewWindow(const std::string& url) override {
    ComApartment com;
    ComPtr<IWebBrowser2> browser;
    if (FAILED(CoCreateInstance(CLSID_InternetExplorer, nullptr, CLSCTX_LOCAL_SERVER, IID_IWebBrowser2,
                                browser.OutVoid())) ||
        !browser) {
      return false;
    }
    browser->put_StatusBar(VARIANT_TRUE);
    browser->put_ToolBar(TRUE);
    browser->put_MenuBar(VARIANT_TRUE);
    browser->put_Visible(VARIANT_TRUE);
    const BStr address = BStr::FromGbk(url);
    Variant flags, frame, postData, headers;
    return SUCCEEDED(browser->Navigate(address.Get(), &flags.Get(), &frame.Get(), &postData.Get(), &headers.Get()));
  }
  bool ShellOpen(const std::string& program, const std::string& parameters, int showMode) override {
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "open", program.c_str(), parameters.c_str(), nullptr, showMode));
    return result > 32;
  }
};

BrowserLauncher& SystemLauncher() {
  static SystemBrowserLauncher system;
  return system;
}

BrowserLauncher*& CurrentLauncher() {
  static BrowserLauncher* current = &SystemLauncher();
  return current;
}

}  // namespace

bool CreateShortcut(const std::string& target, const std::string& linkPath) {
  ComApartment com;
  ComPtr<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.OutVoid())) ||
      !link) {
    return false;
  }
  if (FAILED(link->SetPath(target.c_str()))) return false;
  link->SetWorkingDirectory(SplitPath(target).folder.c_str());
  ComPtr<IPersistFile> file = link.As<IPersistFile>(IID_IPersistFile);
  if (!file) return false;
  const std::wstring widePath = GbkToWide(linkPath);
  return SUCCEEDED(file->Save(widePath.c_str(), TRUE));
}

bool ShellDeletePath(const std::string& path, bool permanent) {
  if (path.empty()) return true;
  if (GbkFind(path, '*') != std::string::npos || GbkFind(path, '?') != std::string::npos) return false;
  // The shell reads a list of paths, each ended by a zero, the list by a second zero.
  std::string from = path;
  from.append(2, '\0');
  SHFILEOPSTRUCTA operation = {};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
  if (!permanent) operation.fFlags |= FOF_ALLOWUNDO;
  return SHFileOperationA(&operation) == 0 && !operation.fAnyOperationsAborted;
}

bool OpenFolderAndSelect(LPCITEMIDLIST item) {
  if (!item) return false;
  ComApartment com;
  HMODULE shell = LoadLibraryA("Shell32.DLL");
  const auto openAndSelect = shell ? reinterpret_cast<OpenFolderAndSelectItemsFunction>(
                                         GetProcAddress(shell, "SHOpenFolderAndSelectItems"))
                                   : nullptr;
  bool opened = false;
  if (openAndSelect) {
    opened = SUCCEEDED(openAndSelect(item, 0, nullptr, 0));
  } else {
    opened = SelectThroughFolderWindow(item);
  }
  if (shell) FreeLibrary(shell);
  return opened;
}

void ShowFileInFolder(const std::string& path) {
  if (FileExists(path)) {
    ComApartment com;
    ItemList item(ILCreateFromPathA(path.c_str()));
    if (item.Get() && OpenFolderAndSelect(item.Get())) return;
  }
  const std::string folder = SplitPath(path).folder;
  if (!folder.empty()) ShellExecuteA(nullptr, "explore", folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void SetBrowserLauncher(BrowserLauncher* launcher) {
  CurrentLauncher() = launcher ? launcher : &SystemLauncher();
}

void OpenUrlInBrowser(const std::string& url) {
  BrowserLauncher& launcher = *CurrentLauncher();
  if (launcher.NavigateNewWindow(url)) return;
  // The program and the quoted URL as separate texts: a command line in the file name is never
  // found by the shell.
  launcher.ShellOpen(kBrowserProgram, "\"" + GbkReplaceAll(url, "\"", "%22") + "\"", SW_SHOWMINIMIZED);
}

}  // namespace mb
