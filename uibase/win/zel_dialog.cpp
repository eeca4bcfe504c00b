#include "uibase/win/zel_dialog.h"

#include "framework/gdi.h"

CZELDialog::CZELDialog(UINT templateId, HINSTANCE resources) : fw::Dialog(templateId, resources) {
  Handle(WM_CTLCOLORBTN, &CZELDialog::OnCtlColor);
  Handle(WM_CTLCOLORSTATIC, &CZELDialog::OnCtlColor);
  Handle(WM_PAINT, &CZELDialog::OnPaint);
}

CZELDialog::~CZELDialog() = default;

LRESULT CZELDialog::OnCtlColor(const fw::Message& message) {
  // Buttons and statics draw on a null brush with a transparent text background, so the face
  // painted by OnPaint shows through them.
  SetBkMode(reinterpret_cast<HDC>(message.wParam), TRANSPARENT);
  return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

LRESULT CZELDialog::OnPaint(const fw::Message&) {
  fw::PaintDC dc(Handle());
  RECT client;
  GetClientRect(Handle(), &client);
  fw::Brush face(CreateSolidBrush(kFaceColor));
  FillRect(dc, &client, face);
  return 0;
}
