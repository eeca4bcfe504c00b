#include "thumblist/win/rotate_set_dlg.h"

#include "conf/win/config.h"
#include "thumblist/win/thumbrill_resource.h"

namespace {
// Controls that take the face colour as their own background rather than showing it through.
constexpr int kFaceColouredControls[] = {1047, 205};
}  // namespace

CRotateSetDlg::CRotateSetDlg() : CZELDialog(IDD_ROTATE_SET) {
  Handle(WM_INITDIALOG, &CRotateSetDlg::OnInitDialog);
  Handle(WM_DESTROY, &CRotateSetDlg::OnDestroy);
  for (UINT message : {WM_CTLCOLORSTATIC, WM_CTLCOLORBTN, WM_CTLCOLOREDIT, WM_CTLCOLORLISTBOX}) {
    Handle(message, &CRotateSetDlg::OnControlColour);
  }
  Command(IDOK, &CRotateSetDlg::OnOK);
}

LRESULT CRotateSetDlg::OnInitDialog(const fw::Message&) {
  faceBrush_.Reset(CreateSolidBrush(kFaceColor));
  ok_.SubclassDlgItem(IDOK, Handle());
  cancel_.SubclassDlgItem(IDCANCEL, Handle());
  const CConfig* config = CConfig::GetConfig();
  CheckDlgButton(Handle(), IDC_HIDE_OPERATE_DIALOG, config->GetShowOperateDialog() == 0 ? BST_CHECKED : BST_UNCHECKED);
  const int range = config->GetOperateHighlight() ? IDC_OPERATE_HIGHLIGHTED : IDC_OPERATE_TICKED;
  CheckRadioButton(Handle(), IDC_OPERATE_TICKED, IDC_OPERATE_HIGHLIGHTED, range);
  return TRUE;
}

LRESULT CRotateSetDlg::OnDestroy(const fw::Message& m) {
  const LRESULT result = CallDefault(m);
  faceBrush_.Reset();
  return result;
}

LRESULT CRotateSetDlg::OnControlColour(const fw::Message& m) {
  const int id = GetDlgCtrlID(reinterpret_cast<HWND>(m.lParam));
  for (int faceColoured : kFaceColouredControls) {
    if (id != faceColoured) continue;
    SetBkColor(reinterpret_cast<HDC>(m.wParam), kFaceColor);
    return reinterpret_cast<LRESULT>(faceBrush_.Get());
  }
  if (m.id == WM_CTLCOLORSTATIC || m.id == WM_CTLCOLORBTN) return OnCtlColor(m);
  return CallDefault(m);
}

bool CRotateSetDlg::IsChecked(int id) const { return IsDlgButtonChecked(Handle(), id) == BST_CHECKED; }

void CRotateSetDlg::OnOK() {
  CConfig* config = CConfig::GetConfig();
  config->SetShowOperateDialog(IsChecked(IDC_HIDE_OPERATE_DIALOG) ? 0 : 1);
  config->SetOperateHighlight(IsChecked(IDC_OPERATE_HIGHLIGHTED) ? 1 : 0);
  EndDialog(IDOK);
}
