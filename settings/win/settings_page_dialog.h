// SettingsPageDialog: the base of the settings dialog's pages. A page is a child dialog of CConfigDlg
// on the dialog's face colour; its group boxes are painted in that colour with one brush the page
// owns. OK sends the pages shown in this run WM_APPLY_SETTINGS, on which a page writes its boxes.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <vector>

#include "framework/gdi.h"
#include "settings/core/settings_apply.h"
#include "uibase/win/zel_dialog.h"

constexpr UINT WM_APPLY_SETTINGS = WM_USER + 13;  // 1037

class SettingsPageDialog : public CZELDialog {
 public:
  virtual mb::settings::SettingsPage Page() const = 0;

 protected:
  SettingsPageDialog(UINT templateId, std::initializer_list<int> groupBoxes);

  // The page's boxes from the stored values, and its boxes into values.
  virtual void ShowValues(const mb::settings::SettingsValues& stored) = 0;
  virtual void ReadValues(mb::settings::SettingsValues& boxes) const = 0;

  bool Checked(int id) const { return IsDlgButtonChecked(Handle(), id) == BST_CHECKED; }
  void Check(int id, bool checked) const { CheckDlgButton(Handle(), id, checked ? BST_CHECKED : BST_UNCHECKED); }

 private:
  LRESULT OnInitDialog(const fw::Message& message);
  LRESULT OnApplySettings(const fw::Message& message);
  LRESULT OnControlColour(const fw::Message& message);

  std::vector<int> groupBoxes_;
  fw::Brush faceBrush_;  // made once with the page, deleted with it
};
