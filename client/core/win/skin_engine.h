// The client's calls into the skin engine (skin.dll), each looked up by name when it is made.
// Without the library or a function, the call does nothing and the window keeps its system look.
#pragma once

#include <windows.h>

#include "client/core/win/skin_scheme.h"

namespace mb {

// Loads "skin.dll" once and calls its "SkinInitControls"(-1, 1). True when the library is loaded.
bool LoadSkinLibrary();
void FreeSkinLibrary();
HMODULE SkinLibraryHandle();

// The current scheme, or null; the caller releases it.
ISkinScheme* GetCurrentSkinScheme();
void RemoveSkinFromDialog(HWND window);
void InstallSkinScrollBar(HWND window);
// The engine's answer to a custom-draw notification of a skinned scroll bar (0 without the engine).
LRESULT HandleSkinScrollCustomDraw(WPARAM value, NMHDR* header);

// A scheme reference released when it goes out of scope.
class SkinSchemeRef {
 public:
  SkinSchemeRef() : scheme_(GetCurrentSkinScheme()) {}
  ~SkinSchemeRef() {
    if (scheme_) scheme_->Release();
  }
  SkinSchemeRef(const SkinSchemeRef&) = delete;
  SkinSchemeRef& operator=(const SkinSchemeRef&) = delete;
  explicit operator bool() const { return scheme_ != nullptr; }
  ISkinScheme* operator->() const { return scheme_; }
  ISkinScheme* Get() const { return scheme_; }

 private:
  ISkinScheme* scheme_;
};

}  // namespace mb
