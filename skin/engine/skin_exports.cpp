// skin.dll: the functions the client looks up by name. The scheme is read from the skin files
// beside this library (the program folder) on first use and kept until the library is freed.
#include <windows.h>
#include <commctrl.h>

#include <mutex>
#include <string>

#include "common/gbk_text.h"
#include "skin/engine/picture_skin_scheme.h"

namespace {

using mb::skinengine::PictureSkinScheme;

HMODULE g_module = nullptr;

class CurrentScheme {
 public:
  // The scheme, read on the first call; null when the skin files are missing or unusable (the
  // answer is kept: the client asks on every paint).
  PictureSkinScheme* Get() {
    std::lock_guard<std::mutex> hold(lock_);
    if (!tried_) {
      tried_ = true;
      scheme_ = PictureSkinScheme::Load(ModuleFolder());
    }
    return scheme_;
  }

  void Drop() {
    std::lock_guard<std::mutex> hold(lock_);
    if (scheme_) scheme_->Release();
    scheme_ = nullptr;
  }

 private:
  static std::string ModuleFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(g_module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    const std::string file(path, length);
    const std::size_t slash = mb::GbkFindLast(file, '\\');
    return slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
  }

  std::mutex lock_;
  bool tried_ = false;
  PictureSkinScheme* scheme_ = nullptr;
};

CurrentScheme& TheScheme() {
  static CurrentScheme scheme;
  return scheme;
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = instance;
    DisableThreadLibraryCalls(instance);
  } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
    // FreeLibrary: give the bitmap back. At process exit the system takes everything.
    TheScheme().Drop();
  }
  return TRUE;
}

extern "C" {

// Reads the skin; TRUE when there is one.
__declspec(dllexport) BOOL WINAPI SkinInitControls(int, int) { return TheScheme().Get() != nullptr; }

__declspec(dllexport) HRESULT WINAPI GetCurrentScheme(mb::ISkinScheme** scheme) {
  if (!scheme) return E_POINTER;
  *scheme = nullptr;
  PictureSkinScheme* current = TheScheme().Get();
  if (!current) return E_FAIL;
  current->AddRef();
  *scheme = current;
  return S_OK;
}

// The dialog's own skin elements draw all of it from here on: the system caption and sizing frame
// go, so that the skin picture and its region start at the window's top-left corner.
__declspec(dllexport) BOOL WINAPI RemoveDialogSkin(HWND window) {
  if (!IsWindow(window)) return FALSE;
  const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
  const LONG_PTR framed = WS_CAPTION | WS_THICKFRAME;
  if (style & framed) {
    SetWindowLongPtrA(window, GWL_STYLE, style & ~framed);
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
  return TRUE;
}

// Scroll bars keep the system look: nothing is installed and custom draw is left to the system.
__declspec(dllexport) BOOL WINAPI InstallScrollBar(HWND window) { return IsWindow(window); }

__declspec(dllexport) LRESULT WINAPI HandleScrollCustomDraw(WPARAM, NMHDR*) { return CDRF_DODEFAULT; }

}  // extern "C"
