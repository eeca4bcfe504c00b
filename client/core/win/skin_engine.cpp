#include "client/core/win/skin_engine.h"

#include <atomic>
#include <mutex>

namespace mb {

namespace {

// The popup thread loads and draws the skin too, so loading and freeing are serialised.
std::atomic<HMODULE> g_skinLibrary{nullptr};
std::mutex g_skinLibraryLock;

using SkinInitControlsFn = BOOL(WINAPI*)(int, int);
using GetCurrentSchemeFn = HRESULT(WINAPI*)(ISkinScheme**);
using WindowFn = BOOL(WINAPI*)(HWND);
using HandleScrollCustomDrawFn = LRESULT(WINAPI*)(WPARAM, NMHDR*);

template <typename Fn>
Fn Lookup(const char* name) {
  return g_skinLibrary ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(g_skinLibrary, name)))
                       : nullptr;
}

}  // namespace

bool LoadSkinLibrary() {
  std::lock_guard<std::mutex> hold(g_skinLibraryLock);
  if (g_skinLibrary) return true;
  g_skinLibrary = LoadLibraryA("skin.dll");
  if (!g_skinLibrary) return false;
  if (auto init = Lookup<SkinInitControlsFn>("SkinInitControls")) init(-1, 1);
  return true;
}

void FreeSkinLibrary() {
  std::lock_guard<std::mutex> hold(g_skinLibraryLock);
  if (g_skinLibrary) FreeLibrary(g_skinLibrary);
  g_skinLibrary = nullptr;
}

HMODULE SkinLibraryHandle() { return g_skinLibrary; }

ISkinScheme* GetCurrentSkinScheme() {
  auto get = Lookup<GetCurrentSchemeFn>("GetCurrentScheme");
  if (!get) return nullptr;
  ISkinScheme* scheme = nullptr;
  if (FAILED(get(&scheme))) {
    if (scheme) scheme->Release();
    return nullptr;
  }
  return scheme;
}

void RemoveSkinFromDialog(HWND window) {
  if (auto remove = Lookup<WindowFn>("RemoveDialogSkin")) remove(window);
}

void InstallSkinScrollBar(HWND window) {
  if (auto install = Lookup<WindowFn>("InstallScrollBar")) install(window);
}

LRESULT HandleSkinScrollCustomDraw(WPARAM value, NMHDR* header) {
  auto handle = Lookup<HandleScrollCustomDrawFn>("HandleScrollCustomDraw");
  return handle ? handle(value, header) : 0;
}

}  // namespace mb
