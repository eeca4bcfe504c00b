#include "uploader/image_view/load_image_dlg.h"

#include <commctrl.h>

#include "uploader/image_view/image_view_messages.h"
#include "uploader/image_view/image_view_resource.h"

CLoadImageDlg::CLoadImageDlg() : fw::Dialog(IDD_LOAD_IMAGE) {
  Handle(WM_INITDIALOG, &CLoadImageDlg::OnInitDialog);
  Command(IDCANCEL, &CLoadImageDlg::OnCancel);
}

void CLoadImageDlg::SetUp(int fileCount, HWND view, std::function<bool()> scanRunning) {
  fileCount_ = fileCount;
  view_ = view;
  scanRunning_ = std::move(scanRunning);
}

void CLoadImageDlg::Run(HWND owner) { DoModal(owner); }

LRESULT CLoadImageDlg::OnInitDialog(const fw::Message&) {
  SendMessageA(Item(IDC_LOAD_PROGRESS), PBM_SETRANGE32, 0, fileCount_);
  if (scanRunning_ && !scanRunning_()) Finish();
  return TRUE;
}

void CLoadImageDlg::Step() {
  if (!IsWindow()) return;
  HWND bar = Item(IDC_LOAD_PROGRESS);
  const LRESULT position = SendMessageA(bar, PBM_GETPOS, 0, 0);
  SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(position + 1), 0);
}

void CLoadImageDlg::Finish() { EndDialog(IDOK); }

void CLoadImageDlg::OnCancel() {
  if (view_) SendMessageA(view_, WM_STOP_FOLDER_SCAN, 0, 0);
  EndDialog(IDCANCEL);
}
