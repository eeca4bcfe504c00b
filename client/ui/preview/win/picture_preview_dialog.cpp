#include "client/ui/preview/win/picture_preview_dialog.h"

#include "client/ui/res/resource.h"

namespace mb {

PicturePreviewDialog::PicturePreviewDialog() : Dialog(IDD_PICTURE_PREVIEW) {
  Handle(WM_INITDIALOG, &PicturePreviewDialog::OnInitDialog);
  Handle(WM_TIMER, &PicturePreviewDialog::OnTimer);
  Handle(WM_SIZE, &PicturePreviewDialog::OnSize);
  Handle(WM_ERASEBKGND, &PicturePreviewDialog::OnEraseBackground);
}

LRESULT PicturePreviewDialog::OnInitDialog(const fw::Message&) {
  const HWND window = Handle();
  if (slides_.Index() < slides_.Count()) view_.LoadPicture(slides_.Current());
  SetWindowPos(window, nullptr, 0, 0, kWidth, kHeight, SWP_NOMOVE | SWP_NOZORDER);
  SetWindowLongPtrA(window, GWL_STYLE, GetWindowLongPtrA(window, GWL_STYLE) & ~(WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  SetWindowLongPtrA(window, GWL_EXSTYLE,
                    GetWindowLongPtrA(window, GWL_EXSTYLE) & ~(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE));
  RECT client{};
  GetClientRect(window, &client);
  view_.Create(window, client, kViewId, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);

  // Centred on the owner, or on the screen without one.
  RECT self{}, around{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  GetWindowRect(window, &self);
  if (HWND owner = GetWindow(window, GW_OWNER); owner && IsWindowVisible(owner)) GetWindowRect(owner, &around);
  SetWindowPos(window, nullptr, around.left + (around.right - around.left - (self.right - self.left)) / 2,
               around.top + (around.bottom - around.top - (self.bottom - self.top)) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER);
  SetTimer(window, kStepTimer, kStepMs, nullptr);
  return TRUE;
}

LRESULT PicturePreviewDialog::OnTimer(const fw::Message& m) {
  if (m.wParam != kStepTimer || !slides_.Step()) return 0;
  view_.LoadPicture(slides_.Current());
  InvalidateRect(view_.Handle(), nullptr, TRUE);
  return 0;
}

LRESULT PicturePreviewDialog::OnSize(const fw::Message& m) {
  if (!view_.IsWindow()) return 0;
  SetWindowPos(view_.Handle(), nullptr, 0, 0, LOWORD(m.lParam), HIWORD(m.lParam), SWP_NOMOVE | SWP_NOZORDER);
  InvalidateRect(view_.Handle(), nullptr, TRUE);
  return 0;
}

LRESULT PicturePreviewDialog::OnEraseBackground(const fw::Message&) { return 1; }

}  // namespace mb
