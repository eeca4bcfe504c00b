#include "editor/win/rotate_dialog.h"

#include "editor/core/picture_operations.h"
#include "editor/win/dialog_looks.h"
#include "editor/win/editor_resource.h"

CRotateDlg::CRotateDlg() : CZELDialog(IDD_ROTATE) {
  Handle(WM_INITDIALOG, &CRotateDlg::OnInitDialog);
  Handle(WM_CTLCOLORSTATIC, &CRotateDlg::OnGroupColour);
  Handle(WM_CTLCOLORBTN, &CRotateDlg::OnGroupColour);
  Command(IDC_LEFT_TO_RIGHT, BN_CLICKED, &CRotateDlg::OnTopChoice);
  Command(IDC_TOP_TO_BOTTOM, BN_CLICKED, &CRotateDlg::OnTopChoice);
  Command(IDC_BY_ANGLE, BN_CLICKED, &CRotateDlg::OnByAngle);
  Command(IDOK, &CRotateDlg::OnOK);
}

LRESULT CRotateDlg::OnInitDialog(const fw::Message&) {
  ok_.SubclassDlgItem(IDOK, Handle());
  cancel_.SubclassDlgItem(IDCANCEL, Handle());
  Check(IDC_LEFT_TO_RIGHT, true);
  EnableAngles(false);
  return TRUE;
}

LRESULT CRotateDlg::OnGroupColour(const fw::Message& message) {
  return mb::editor::GroupOrTransparentColour(*this, message);
}

void CRotateDlg::Check(int id, bool checked) const { CheckDlgButton(Handle(), id, checked ? BST_CHECKED : BST_UNCHECKED); }

bool CRotateDlg::IsChecked(int id) const { return IsDlgButtonChecked(Handle(), id) == BST_CHECKED; }

void CRotateDlg::EnableAngles(bool enable) const {
  for (int id : {IDC_ANGLE_90, IDC_ANGLE_180, IDC_ANGLE_270}) EnableWindow(Item(id), enable);
}

void CRotateDlg::OnTopChoice() {
  // The radio group holds the three top choices; the angles are a group of their own.
  EnableAngles(false);
}

void CRotateDlg::OnByAngle() {
  EnableAngles(true);
  Check(IDC_ANGLE_90, true);
  Check(IDC_ANGLE_180, false);
  Check(IDC_ANGLE_270, false);
}

void CRotateDlg::OnOK() {
  using namespace mb::editor;
  if (IsChecked(IDC_LEFT_TO_RIGHT)) {
    choice_ = kChoiceLeftToRight;
  } else if (IsChecked(IDC_TOP_TO_BOTTOM)) {
    choice_ = kChoiceTopToBottom;
  } else if (IsChecked(IDC_ANGLE_180)) {
    choice_ = kChoiceRotate180;
  } else if (IsChecked(IDC_ANGLE_270)) {
    choice_ = kChoiceRotate270;
  } else {
    choice_ = kChoiceRotate90;
  }
  EndDialog(IDOK);
}
