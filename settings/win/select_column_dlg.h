// CSelectColumnDlg: the picture-browsing page: the report view's columns and the default view,
// whose two boxes act as one choice.
#pragma once

#include "settings/win/settings_page_dialog.h"

class CSelectColumnDlg : public SettingsPageDialog {
 public:
  CSelectColumnDlg();
  mb::settings::SettingsPage Page() const override { return mb::settings::SettingsPage::kBrowse; }

 protected:
  void ShowValues(const mb::settings::SettingsValues& stored) override;
  void ReadValues(mb::settings::SettingsValues& boxes) const override;

 private:
  void ChooseView(bool report) const;
  void OnThumbnails() { ChooseView(false); }
  void OnReport() { ChooseView(true); }
};
