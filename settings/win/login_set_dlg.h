// CLoginSetDlg: the general page: remembered password, automatic login, hiding to the tray when
// the main window closes, the question before the program exits.
#pragma once

#include "settings/win/settings_page_dialog.h"

class CLoginSetDlg : public SettingsPageDialog {
 public:
  CLoginSetDlg();
  mb::settings::SettingsPage Page() const override { return mb::settings::SettingsPage::kGeneral; }

 protected:
  void ShowValues(const mb::settings::SettingsValues& stored) override;
  void ReadValues(mb::settings::SettingsValues& boxes) const override;
};
