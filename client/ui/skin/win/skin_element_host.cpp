#include "client/ui/skin/win/skin_element_host.h"

#include <windowsx.h>

#include "client/core/win/skin_engine.h"
#include "client/ui/skin/win/gdi_skin_canvas.h"

namespace mb::skin {

void HwndSkinOwner::Invalidate(const Rect& r, bool erase) {
  const RECT area = {r.left, r.top, r.right, r.bottom};
  InvalidateRect(window_, &area, erase ? TRUE : FALSE);
}

void HwndSkinOwner::PostCommand(int id) {
  PostMessageA(window_, WM_COMMAND, static_cast<WPARAM>(static_cast<unsigned>(id)), 0);
}

long HwndSkinOwner::SendCommand(int id) {
  return static_cast<long>(SendMessageA(window_, WM_COMMAND, static_cast<WPARAM>(static_cast<unsigned>(id)), 0));
}

void SkinElementHost::Attach(HWND window) {
  window_ = window;
  owner_ = std::make_unique<HwndSkinOwner>(window, layout_);
  set_.SetOwnerWindow(owner_.get());
}

void SkinElementHost::AddLayoutElements(SkinWindow window, const SkinLayoutState& state) {
  AddSkinLayoutElements(set_, window, layout_, state);
  LayoutElements();
}

void SkinElementHost::LayoutElements() {
  RECT client = {};
  GetClientRect(window_, &client);
  SkinSchemeRef scheme;
  const SchemeImages images(scheme.Get());
  set_.LayoutElements(0, client.right - client.left, client.bottom - client.top, &images);
}

int SkinElementHost::OnMouseMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const auto flags = static_cast<unsigned>(wParam);
  const int x = GET_X_LPARAM(lParam);
  const int y = GET_Y_LPARAM(lParam);
  switch (message) {
    case WM_MOUSEMOVE:
      return set_.OnMouseMove(flags, x, y);
    case WM_LBUTTONDOWN:
      return set_.OnLButtonDown(flags, x, y);
    case WM_LBUTTONUP:
      return set_.OnLButtonUp(flags, x, y);
    default:
      return -1;
  }
}

void SkinElementHost::Draw(HDC dc) {
  SkinSchemeRef scheme;
  if (!scheme) return;
  GdiSkinCanvas canvas(dc, scheme.Get());
  set_.Draw(&canvas);
}

}  // namespace mb::skin
