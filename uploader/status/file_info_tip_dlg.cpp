#include "uploader/status/file_info_tip_dlg.h"

#include "uploader/status/status_resource.h"

CFileInfoTipDlg::CFileInfoTipDlg() : CZELDialog(IDD_FILE_INFO_TIP) {
  Handle(WM_INITDIALOG, &CFileInfoTipDlg::OnInitDialog);
  Handle(WM_SIZE, &CFileInfoTipDlg::OnSize);
}

CFileInfoTipDlg::~CFileInfoTipDlg() = default;

LRESULT CFileInfoTipDlg::OnInitDialog(const fw::Message&) {
  // The tooltip watches the window's own messages (it subclasses it), so every mouse message
  // reaches it first.
  tooltip_.Create(Handle());
  tooltip_.AddWindowTool(Handle(), text_.c_str());
  tooltip_.Activate(true);
  return TRUE;
}

LRESULT CFileInfoTipDlg::OnSize(const fw::Message& m) {
  MoveWindow(Item(IDC_FILE_INFO_TEXT), 0, 0, LOWORD(m.lParam), HIWORD(m.lParam), TRUE);
  return 0;
}

void CFileInfoTipDlg::SetText(const std::string& text) {
  text_ = text;
  HWND label = Item(IDC_FILE_INFO_TEXT);
  SetWindowTextA(label, text.c_str());
  tooltip_.UpdateText(Handle(), text.c_str());
  // The label is transparent: the face under it is painted again before the new text, so the old
  // text does not show through.
  RECT area;
  GetWindowRect(label, &area);
  MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&area), 2);
  RedrawWindow(Handle(), &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}
