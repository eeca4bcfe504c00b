#include "uploader/about_dialog.h"

#include "uploader/hoistly_resource.h"
#include "uploader/service_places.h"

namespace {
const COLORREF kPage = RGB(255, 243, 187);
}

CAboutDlg::CAboutDlg() : fw::Dialog(IDD_ABOUTBOX), background_(CreateSolidBrush(kPage)) {
  Handle(WM_INITDIALOG, &CAboutDlg::OnInitDialog);
  Handle(WM_ERASEBKGND, &CAboutDlg::OnEraseBackground);
  Handle(WM_CTLCOLORBTN, &CAboutDlg::OnCtlColor);
  Handle(WM_CTLCOLORSTATIC, &CAboutDlg::OnCtlColor);
}

CAboutDlg::~CAboutDlg() { DeleteObject(background_); }

LRESULT CAboutDlg::OnInitDialog(const fw::Message&) {
  ok_.SubclassDlgItem(IDOK, Handle());
  link_.SubclassDlgItem(IDC_ABOUT_LINK, Handle());
  const std::string home = hoistly::ServiceUrl("/");
  link_.SetHyperlink(home.c_str(), home.c_str(), 0);
  link_.SetBkColor(kPage);
  return TRUE;
}

LRESULT CAboutDlg::OnEraseBackground(const fw::Message& m) {
  RECT client;
  GetClientRect(Handle(), &client);
  FillRect(reinterpret_cast<HDC>(m.wParam), &client, background_);
  return TRUE;
}

LRESULT CAboutDlg::OnCtlColor(const fw::Message& m) {
  SetBkMode(reinterpret_cast<HDC>(m.wParam), TRANSPARENT);
  return reinterpret_cast<LRESULT>(GetStockObject(HOLLOW_BRUSH));
}
