#include "settings/win/dialog_header.h"

#include "settings/win/set_resource.h"
#include "uibase/win/mem_dc.h"

CZELDialogHeader::CZELDialogHeader() : CZELDialog(IDD_DIALOG_HEADER, fw::ThisModule()) {
  Handle(WM_INITDIALOG, &CZELDialogHeader::OnInitDialog);
  Handle(WM_PAINT, &CZELDialogHeader::OnPaintBand);
}

LRESULT CZELDialogHeader::OnInitDialog(const fw::Message&) {
  background_.Reset(static_cast<HBITMAP>(
      LoadImageA(fw::ThisModule(), MAKEINTRESOURCEA(IDB_DIALOG_HEADER), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  return TRUE;
}

LRESULT CZELDialogHeader::OnPaintBand(const fw::Message&) {
  fw::PaintDC paint(Handle());
  RECT client;
  GetClientRect(Handle(), &client);
  CMemDC dc(paint, client);
  fw::Brush face(CreateSolidBrush(kFaceColor));
  FillRect(dc, &client, face);
  BITMAP size = {};
  if (background_.Get() && GetObjectA(background_, sizeof size, &size)) {
    fw::MemoryDC source(dc);
    fw::ScopedSelect chosen(source, background_);
    BitBlt(dc, 0, 0, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
  }
  return 0;
}

void CZELDialogHeader::SetDescription(const char* text) {
  HWND label = Item(IDC_HEADER_TEXT);
  RECT area;
  GetWindowRect(label, &area);
  MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&area), 2);
  SendMessageA(label, WM_SETREDRAW, FALSE, 0);
  SetWindowTextA(label, text);
  SendMessageA(label, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(Handle(), &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}
