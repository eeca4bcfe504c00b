#include "settings/win/login_set_dlg.h"

#include "settings/win/set_resource.h"

CLoginSetDlg::CLoginSetDlg() : SettingsPageDialog(IDD_LOGIN_SET, {IDC_LOGIN_GROUP, IDC_CLOSE_GROUP, IDC_EXIT_GROUP}) {}

void CLoginSetDlg::ShowValues(const mb::settings::SettingsValues& stored) {
  Check(IDC_AUTO_LOGIN, stored.general.autoLogin);
  Check(IDC_RECORD_PASSWORD, stored.general.recordPassword);
  Check(IDC_HIDE_TO_TRAY, stored.general.hideToTray);
  Check(IDC_EXIT_TIP, stored.general.exitTip);
}

void CLoginSetDlg::ReadValues(mb::settings::SettingsValues& boxes) const {
  boxes.general = {Checked(IDC_AUTO_LOGIN), Checked(IDC_RECORD_PASSWORD), Checked(IDC_HIDE_TO_TRAY),
                   Checked(IDC_EXIT_TIP)};
}
