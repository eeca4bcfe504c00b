#include "settings/win/rotate_set_dlg1.h"

#include "settings/win/set_resource.h"

CRotateSetDlg1::CRotateSetDlg1() : SettingsPageDialog(IDD_RANGE_SET, {IDC_RANGE_GROUP, IDC_RANGE_WHEN_GROUP}) {}

void CRotateSetDlg1::ShowValues(const mb::settings::SettingsValues& stored) {
  Check(IDC_RANGE_NO_DIALOG, !stored.range.showRangeDialog);
  Check(IDC_RANGE_HIGHLIGHTED, stored.range.highlightedOnly);
  Check(IDC_RANGE_TICKED, !stored.range.highlightedOnly);
}

void CRotateSetDlg1::ReadValues(mb::settings::SettingsValues& boxes) const {
  boxes.range = {!Checked(IDC_RANGE_NO_DIALOG), Checked(IDC_RANGE_HIGHLIGHTED)};
}
