#include "uibase/win/owner_draw_button.h"

#include "framework/module.h"

OwnerDrawButton::OwnerDrawButton() {
  Handle(fw::kReflectBase + WM_DRAWITEM, &OwnerDrawButton::OnReflectedDrawItem);
}

OwnerDrawButton::~OwnerDrawButton() {
  if (IsWindow()) {
    HWND hwnd = Handle();
    Unbind();
    DestroyWindow(hwnd);
  }
}

bool OwnerDrawButton::Create(const char* text, DWORD style, const RECT& rect, HWND parent, UINT id) {
  // Made with the caller's style, so that PreSubclassWindow reads the kind of button asked for and
  // turns it owner-drawn itself.
  HWND hwnd = CreateWindowExA(0, "BUTTON", text, style, rect.left, rect.top, rect.right - rect.left,
                              rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                              fw::Module::Instance(), nullptr);
  if (!hwnd) return false;
  if (!Subclass(hwnd)) {
    DestroyWindow(hwnd);
    return false;
  }
  PreSubclassWindow();
  return true;
}

bool OwnerDrawButton::SubclassDlgItem(UINT id, HWND parent) {
  if (!Subclass(GetDlgItem(parent, static_cast<int>(id)))) return false;
  PreSubclassWindow();
  return true;
}

void OwnerDrawButton::PreSubclassWindow() {}

LRESULT OwnerDrawButton::OnReflectedDrawItem(const fw::Message& message) {
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.lParam);
  if (!item || item->CtlType != ODT_BUTTON) return FALSE;
  // A button of no width or height has nothing to draw.
  if (item->rcItem.right <= item->rcItem.left || item->rcItem.bottom <= item->rcItem.top) return TRUE;
  DrawItem(*item);
  return TRUE;
}
