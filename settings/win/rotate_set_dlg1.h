// CRotateSetDlg1: the operation-range page: which pictures the list's operations take (the ticked
// ones or the highlighted one) and whether the list asks each time.
#pragma once

#include "settings/win/settings_page_dialog.h"

class CRotateSetDlg1 : public SettingsPageDialog {
 public:
  CRotateSetDlg1();
  mb::settings::SettingsPage Page() const override { return mb::settings::SettingsPage::kOperationRange; }

 protected:
  void ShowValues(const mb::settings::SettingsValues& stored) override;
  void ReadValues(mb::settings::SettingsValues& boxes) const override;
};
