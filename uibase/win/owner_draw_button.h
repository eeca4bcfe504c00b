// OwnerDrawButton: a system button bound to a C++ object, drawn by the object. It is either
// created here or takes over a dialog's button; either way PreSubclassWindow runs once the window
// is bound, and the parent's WM_DRAWITEM comes back to DrawItem (the framework reflects it).
#pragma once

#include <windows.h>

#include "framework/window.h"
#include "uibase/win/zelbase_api.h"

class MB_ZELBASE_API OwnerDrawButton : public fw::Window {
 public:
  OwnerDrawButton();
  ~OwnerDrawButton() override;

  // A button window with text, style, rectangle, parent and id.
  bool Create(const char* text, DWORD style, const RECT& rect, HWND parent, UINT id);
  // Takes over the dialog item id of parent.
  bool SubclassDlgItem(UINT id, HWND parent);

  virtual void PreSubclassWindow();
  virtual void DrawItem(const DRAWITEMSTRUCT& item) = 0;

  void Invalidate(bool erase = true) const { InvalidateRect(Handle(), nullptr, erase ? TRUE : FALSE); }

 private:
  LRESULT OnReflectedDrawItem(const fw::Message& message);
};
